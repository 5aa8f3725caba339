#include <string>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "fakes.h"
#include "scratchfolder.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"

namespace barmen {
namespace {

namespace L = label;
using B = ActionButton;

// Plays the real story through the engine, the way a player clicks.
struct Walk : ::testing::Test {
    test::RecordingScreen screen;
    test::FakePictures pictures;
    test::ScriptedDice dice;
    // Save and load go through the real save file, in a folder of its own.
    test::ScratchFolder folder;
    system::SaveFile saves{folder.file("save.sav")};
    Game game{story::theStory(), screen, pictures, dice, saves};

    GameState &state() { return game.state(); }
    std::string_view label() { return state().sceneLabel; }

    void start() { ASSERT_EQ(game.start().kind, StepResult::Kind::Performed); }
    void press(B b, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            game.press(b);
    }
    // Progress until the label is reached; fails rather than looping forever.
    void progressTo(std::string_view target)
    {
        for (int i = 0; i < 200 && label() != target; ++i)
            ASSERT_EQ(game.press(B::Progress).kind, StepResult::Kind::Performed) << "stuck at " << label();
        ASSERT_EQ(label(), target);
    }
    // The golem's next move: values that give it through R x A + B + C.
    void golemWill(int move)
    {
        const float b = move == 1 ? 0.1f : move == 2 ? 0.6f : 0.9f;
        const float c = move == 1 ? 0.1f : move == 2 ? 0.6f : 0.9f;
        dice.values.insert(dice.values.end(), {0.5f, b, c, move == 3 ? 0.9f : 0.1f});
    }
    void saveAndLoad()
    {
        ASSERT_EQ(game.save().kind, StepResult::Kind::Performed);
        ASSERT_EQ(game.load().kind, StepResult::Kind::Performed);
    }
    std::string lastText() const
    {
        for (auto it = screen.ops.rbegin(); it != screen.ops.rend(); ++it)
            if (it->rfind("text:", 0) == 0)
                return it->substr(5);
        return {};
    }
};

TEST_F(Walk, prologueAndFirstMenus)
{
    start();
    progressTo(L::Observe2);
    press(B::Progress);
    EXPECT_EQ(lastText(), "1. 주위를 살핀다.\r\n\r\n2. 메어드와 대화한다");
    press(B::Choice3);                      // a two-choice menu: nothing
    EXPECT_EQ(label(), L::Observe2);
    press(B::Choice2, 2);                   // the side talk keeps the menu
    EXPECT_EQ(label(), L::Observe2);
    EXPECT_EQ(state().prevLabel, L::Observe2);
    press(B::Choice1);
    EXPECT_EQ(label(), L::Observe3);
    progressTo(L::Act1);
}

TEST_F(Walk, eachApproachAtTheActionMenu)
{
    state().sceneLabel = std::string(L::Act1);
    press(B::Choice1);
    EXPECT_EQ(label(), L::Road1);
    progressTo(L::Act1);                    // the road turns back
    press(B::Choice3);
    EXPECT_EQ(label(), L::Magic1);
    press(B::Progress, 19);                 // so does the magic
    EXPECT_EQ(label(), L::Act1);
    press(B::Choice2);
    EXPECT_EQ(label(), L::Bush1);
    progressTo(L::Branch1);                 // only the bushes lead on
}

struct MazeStep {
    std::string_view from;
    B choice;
    std::string_view pathStart;
    std::string_view arrives;
};

TEST_F(Walk, everyMazePathFromEveryBranchPoint)
{
    const MazeStep steps[] = {
        {L::Branch1, B::Choice1, L::Ahead1_1, L::End},    {L::Branch1, B::Choice2, L::Left1_1, L::Branch2},
        {L::Branch1, B::Choice3, L::Right1_1, L::Branch3}, {L::Branch2, B::Choice1, L::Ahead1_1, L::End},
        {L::Branch2, B::Choice2, L::Left2_1, L::Branch1},  {L::Branch2, B::Choice3, L::Right2_1, L::Branch1},
        {L::Branch3, B::Choice1, L::Ahead1_1, L::End},    {L::Branch3, B::Choice2, L::Left3_1, L::Branch2},
        {L::Branch3, B::Choice3, L::Right3_1, L::Branch4}, {L::Branch4, B::Choice1, L::Ahead4_1, L::Showdown1},
        {L::Branch4, B::Choice2, L::Left3_1, L::Branch2},  {L::Branch4, B::Choice3, L::Right2_1, L::Branch1},
    };
    for (const MazeStep &s : steps) {
        state().sceneLabel = std::string(s.from);
        press(B::Progress);
        EXPECT_EQ(label(), s.from) << "the branch menu keeps its label";
        press(s.choice);
        EXPECT_EQ(label(), s.pathStart) << s.from;
        EXPECT_EQ(state().prevLabel, s.from);
        progressTo(s.arrives);
    }
}

TEST_F(Walk, shortestWayOutOfTheMaze)
{
    state().sceneLabel = std::string(L::Branch1);
    press(B::Choice3);
    progressTo(L::Branch3);
    press(B::Choice3);
    progressTo(L::Branch4);
    press(B::Choice1);
    progressTo(L::Showdown1);
}

// "앞 4-6" shows only a picture, so a save there holds the scene before it.
TEST_F(Walk, saveAfterThePictureOnlyRowReplaysTheSceneBefore)
{
    state().sceneLabel = std::string(L::Ahead4_5);
    press(B::Progress);
    const std::string text = lastText();
    press(B::Progress);                     // 앞 4-6: pictures only
    EXPECT_EQ(lastText(), text);
    EXPECT_EQ(state().prevLabel, L::Ahead4_5);
    saveAndLoad();
    press(B::Progress);
    EXPECT_EQ(label(), L::Ahead4_6);
    press(B::Progress);
    EXPECT_EQ(label(), L::Ahead4_7);
}

TEST_F(Walk, menuLabelSavesItself)
{
    state().sceneLabel = std::string(L::Branch2);
    press(B::Progress);
    saveAndLoad();
    EXPECT_EQ(label(), L::Branch2);
    press(B::Choice2);
    EXPECT_EQ(label(), L::Left2_1);
}

TEST_F(Walk, retreatFromTheShowdownGoesBackToTheLastBranch)
{
    state().sceneLabel = std::string(L::Showdown40);
    press(B::Choice3);
    EXPECT_EQ(label(), L::Showdown40);
    press(B::Choice2);
    EXPECT_EQ(label(), L::Branch4);
    EXPECT_EQ(pictures.loads.front(), pic::Forest);
    press(B::Choice2);                      // the branch menu need not be shown first
    EXPECT_EQ(label(), L::Left3_1);
}

TEST_F(Walk, wholeStoryToTheGoodEnd)
{
    start();
    progressTo(L::Observe2);
    press(B::Choice1);
    progressTo(L::Act1);
    press(B::Choice2);
    progressTo(L::Branch1);
    press(B::Choice3);
    progressTo(L::Branch3);
    press(B::Choice3);
    progressTo(L::Branch4);
    press(B::Choice1);
    progressTo(L::Showdown40);
    press(B::Choice1);
    progressTo(L::Golem8);
    EXPECT_EQ(state().battleRoll, 0);
    press(B::Choice1);                      // no move drawn yet: nothing happens
    EXPECT_EQ(label(), L::Golem8);
    golemWill(2);
    press(B::Progress);
    EXPECT_EQ(state().battleRoll, 2);
    press(B::Choice1);                      // attack beats dodge
    EXPECT_EQ(label(), L::Ending);
    progressTo(L::Ending36);
    const std::string epilogueEnd = lastText();
    press(B::Progress);
    EXPECT_EQ(label(), L::Ending36);
    EXPECT_EQ(lastText(), epilogueEnd);     // the last fragment stays
    for (B b : {B::Choice1, B::Choice2, B::Choice3}) {
        press(b);
        EXPECT_EQ(label(), L::Ending36);
    }
    saveAndLoad();
    EXPECT_EQ(label(), L::Ending36);
}

struct Round {
    int golem;
    B player;
    std::string_view outcome;
};

TEST_F(Walk, everyDuelRoundEndsAsTheRulesSay)
{
    const Round rounds[] = {
        {1, B::Choice1, L::Golem8}, {1, B::Choice2, L::End},    {1, B::Choice3, L::Ending},
        {2, B::Choice1, L::Ending}, {2, B::Choice2, L::Golem8}, {2, B::Choice3, L::End},
        {3, B::Choice1, L::End},    {3, B::Choice2, L::Ending}, {3, B::Choice3, L::Golem8},
    };
    for (const Round &r : rounds) {
        state().sceneLabel = std::string(L::Golem8);
        golemWill(r.golem);
        press(B::Progress);
        ASSERT_EQ(state().battleRoll, r.golem);
        press(r.player);
        EXPECT_EQ(label(), r.outcome) << "golem " << r.golem;
        EXPECT_EQ(state().prevLabel, L::Golem8);
        EXPECT_EQ(state().battleRoll, r.golem);
    }
}

// After a tie the same move is met again; the move that beats it wins at once.
TEST_F(Walk, tieThenTheMoveThatBeatsIt)
{
    const std::pair<B, B> tieThenWin[] = {{B::Choice1, B::Choice3}, {B::Choice2, B::Choice1},
                                          {B::Choice3, B::Choice2}};
    int golem = 1;
    for (const auto &[tie, win] : tieThenWin) {
        state().sceneLabel = std::string(L::Golem8);
        golemWill(golem++);
        press(B::Progress);
        press(tie, 2);
        EXPECT_EQ(label(), L::Golem8);
        press(win);
        EXPECT_EQ(label(), L::Ending);
    }
}

TEST_F(Walk, fallAndGameOver)
{
    state().sceneLabel = std::string(L::Ahead1_1);
    progressTo(L::End);
    press(B::Progress);
    EXPECT_EQ(label(), L::GameOver);
    const auto before = screen.ops.size();
    press(B::Progress);
    EXPECT_EQ(screen.ops.size(), before + 2);   // background and message, no character
    EXPECT_EQ(lastText(), "<게임 오버>\r\n\r\n시작하기 및 불러오기를 누르시고\r\n진행해 주세요.");
    EXPECT_EQ(label(), L::GameOver);
    EXPECT_EQ(state().prevLabel, L::End);
    saveAndLoad();
    press(B::Progress);                         // the fall plays again
    EXPECT_EQ(label(), L::GameOver);
}

} // namespace
} // namespace barmen
