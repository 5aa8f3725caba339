#include <gtest/gtest.h>

#include "engine/game.h"
#include "engine/textblock.h"
#include "fakes.h"

namespace barmen {
namespace {

using test::FakePictures;
using test::RecordingScreen;
using test::ScriptedDice;
using Ops = std::vector<std::string>;

// A small story with one row of every shape, so each can be checked alone.
const SceneRow progressRows[] = {
    scene("a", "a.jpg", "a.gif", {"첫 줄", "", "셋째 줄"}, "b"),
    menu("b", "b.jpg", "b.gif", {"1. 간다.", "", "2. 안 간다."}),
    picturesOnly("c", "c.jpg", "c.gif", "d"),
    picturesAndCopy("d", "d.jpg", "d.gif"),
    backgroundAndText("e", "e.jpg", {"<끝>", "", "다시"}),
    duelMenu("duel", "duel.jpg", "duel.gif", {"1. 공격", "", "2. 회피", "", "3. 돌격"}),
    scene("a", "x.jpg", "x.gif", {"가려진 줄"}, "x"),   // never reached: the first "a" wins
};
const SceneRow choiceRows[] = {
    scene("b", "b1.jpg", "b1.gif", {"선택"}, "c"),
    duelAnswer(1, "duel", "r.jpg", "r.gif", {"비겼다."}, "duel"),
    duelAnswer(2, "duel", "r.jpg", "r.gif", {"이겼다."}, "won"),
    duelAnswer(3, "duel", "r.jpg", "r.gif", {"졌다."}, "lost"),
};

struct EngineTest : ::testing::Test {
    Story story{{.choice1 = SceneTable{choiceRows}, .choice2 = {}, .choice3 = {}, .progress = SceneTable{progressRows}}, {}};
    RecordingScreen screen;
    FakePictures pictures;
    ScriptedDice dice;
    test::MemorySaves saves;
    Game game{story, screen, pictures, dice, saves};

    GameState &state() { return game.state(); }
    void at(std::string label, std::string prev = "before")
    {
        state().sceneLabel = std::move(label);
        state().prevLabel = std::move(prev);
    }
};

// Every front end hands its buttons' commands to run(): each must do what
// its button does, and Quit, which is the window's alone, nothing at all.
TEST_F(EngineTest, eachCommandDoesItsButtonsJob)
{
    at("a");
    EXPECT_EQ(game.run(Command::Progress).kind, StepResult::Kind::Performed);
    EXPECT_EQ(state().sceneLabel, "b");
    EXPECT_EQ(game.run(Command::Choice1).kind, StepResult::Kind::Performed);
    EXPECT_EQ(state().sceneLabel, "c");
    EXPECT_EQ(game.run(Command::Choice2).kind, StepResult::Kind::Missed);
    EXPECT_EQ(game.run(Command::Choice3).kind, StepResult::Kind::Missed);

    EXPECT_FALSE(game.run(Command::Save).failed());
    EXPECT_EQ(saves.saved, "b");
    state().sceneLabel = "z";
    EXPECT_FALSE(game.run(Command::Load).failed());
    EXPECT_EQ(state().sceneLabel, "b");

    const std::size_t ops = screen.ops.size();
    const GameState before = state();
    EXPECT_EQ(game.run(Command::Quit).kind, StepResult::Kind::Missed);
    EXPECT_EQ(screen.ops.size(), ops);
    EXPECT_EQ(state().sceneLabel, before.sceneLabel);
    EXPECT_EQ(state().prevLabel, before.prevLabel);
    EXPECT_EQ(saves.saved, "b");
}

// A miss must leave everything alone, prevLabel included, or a save after a
// stray click would point at the wrong scene.
TEST_F(EngineTest, missChangesNothing)
{
    for (const char *label : {"", "z", "a ", " a", "A", "ａ"}) {
        at(label);
        state().battleRoll = 2;
        EXPECT_EQ(game.press(ActionButton::Progress).kind, StepResult::Kind::Missed) << label;
        EXPECT_EQ(game.press(ActionButton::Choice3).kind, StepResult::Kind::Missed) << label;
        EXPECT_EQ(state().sceneLabel, label);
        EXPECT_EQ(state().prevLabel, "before");
        EXPECT_EQ(state().battleRoll, 2);
    }
    EXPECT_TRUE(screen.ops.empty());
    EXPECT_TRUE(pictures.loads.empty());
}

TEST_F(EngineTest, plainRowRunsEveryPartInOrder)
{
    at("a");
    EXPECT_EQ(game.press(ActionButton::Progress).kind, StepResult::Kind::Performed);
    EXPECT_EQ(screen.ops, (Ops{"bg:a.jpg", "ch:a.gif", "text:첫 줄\r\n\r\n셋째 줄"}));
    EXPECT_EQ(state().prevLabel, "a");
    EXPECT_EQ(state().sceneLabel, "b");
}

TEST_F(EngineTest, menuRowKeepsTheLabelAndShowsTheSameMenuAgain)
{
    at("b");
    game.press(ActionButton::Progress);
    game.press(ActionButton::Progress);
    const Ops once{"bg:b.jpg", "ch:b.gif", "text:1. 간다.\r\n\r\n2. 안 간다."};
    EXPECT_EQ(screen.ops, (Ops{once[0], once[1], once[2], once[0], once[1], once[2]}));
    EXPECT_EQ(state().prevLabel, "b");
    EXPECT_EQ(state().sceneLabel, "b");
}

TEST_F(EngineTest, choiceButtonsAnswerByLabelAlone)
{
    at("b");   // the menu text has not been shown; the label is enough
    game.press(ActionButton::Choice1);
    EXPECT_EQ(state().sceneLabel, "c");
    EXPECT_EQ(state().prevLabel, "b");
    EXPECT_EQ(game.press(ActionButton::Choice2).kind, StepResult::Kind::Missed);
}

TEST_F(EngineTest, pictureOnlyRowLeavesTextAndPrevLabel)
{
    at("c");
    game.press(ActionButton::Progress);
    EXPECT_EQ(screen.ops, (Ops{"bg:c.jpg", "ch:c.gif"}));
    EXPECT_EQ(state().prevLabel, "before");
    EXPECT_EQ(state().sceneLabel, "d");
}

TEST_F(EngineTest, picturesAndCopyRowRestsOnItsLabel)
{
    at("d");
    game.press(ActionButton::Progress);
    EXPECT_EQ(screen.ops, (Ops{"bg:d.jpg", "ch:d.gif"}));
    EXPECT_EQ(state().prevLabel, "d");
    EXPECT_EQ(state().sceneLabel, "d");
}

TEST_F(EngineTest, backgroundAndTextRowTouchesNothingElse)
{
    at("e", "끝");
    game.press(ActionButton::Progress);
    EXPECT_EQ(screen.ops, (Ops{"bg:e.jpg", "text:<끝>\r\n\r\n다시"}));
    EXPECT_EQ(pictures.loads, (Ops{"e.jpg"}));
    EXPECT_EQ(state().prevLabel, "끝");
    EXPECT_EQ(state().sceneLabel, "e");
}

// A step's pictures reach the window in one call, so a window that composes
// them does it once a step; a row without a background or without a
// character leaves that picture alone, and a step without either makes no call.
TEST_F(EngineTest, eachStepShowsItsPicturesInOneCall)
{
    const std::pair<const char *, int> rows[] = {{"a", 1}, {"c", 1}, {"e", 1}};
    for (const auto &[label, calls] : rows) {
        at(label);
        screen.scenes = 0;
        game.press(ActionButton::Progress);
        EXPECT_EQ(screen.scenes, calls) << label;
    }
    const SceneRow textOnly[] = {scene("t", "", "", {"글만"}, "t")};
    story.tables.progress = SceneTable{textOnly};
    at("t");
    screen.ops.clear();
    screen.scenes = 0;
    EXPECT_EQ(game.press(ActionButton::Progress).kind, StepResult::Kind::Performed);
    EXPECT_EQ(screen.scenes, 0);
    EXPECT_EQ(screen.ops, (Ops{"text:글만"}));
}

// A title without a character picture keeps the one on screen rather than
// handing the window no picture at all.
TEST_F(EngineTest, startWithoutATitleCharacterLeavesTheCharacterAlone)
{
    story.title = {"t", "title.jpg", "", {"제목"}};
    EXPECT_EQ(game.start().kind, StepResult::Kind::Performed);
    EXPECT_EQ(screen.ops, (Ops{"text:제목", "bg:title.jpg"}));
    EXPECT_EQ(screen.scenes, 1);
}

TEST_F(EngineTest, firstRowInTableOrderWins)
{
    at("a");
    game.press(ActionButton::Progress);
    EXPECT_EQ(pictures.loads, (Ops{"a.jpg", "a.gif"}));
}

TEST_F(EngineTest, duelMenuDrawsAfterThePicturesAndBeforeTheText)
{
    dice.log = &screen.ops;
    dice.values = {0.9f, 0.1f, 0.05f, 0.9f};   // S = 0.81 + 0.1 + 0.05: attack
    at("duel");
    // The click tells what the golem drew; a front end needs no look of its own.
    EXPECT_EQ(game.press(ActionButton::Progress).roll, std::optional<std::int16_t>(1));
    EXPECT_EQ(screen.ops, (Ops{"bg:duel.jpg", "ch:duel.gif", "draw",
                               "text:1. 공격\r\n\r\n2. 회피\r\n\r\n3. 돌격"}));
    EXPECT_EQ(state().battleRoll, 1);
    EXPECT_EQ(state().sceneLabel, "duel");
    EXPECT_EQ(state().prevLabel, "duel");
}

TEST_F(EngineTest, duelAnswersFollowBattleRoll)
{
    at("duel");
    state().battleRoll = 0;   // nothing drawn yet in this run
    EXPECT_EQ(game.press(ActionButton::Choice1).kind, StepResult::Kind::Missed);
    EXPECT_TRUE(screen.ops.empty());
    EXPECT_EQ(state().prevLabel, "before");

    state().battleRoll = 1;   // a tie keeps the label and the golem's move
    EXPECT_FALSE(game.press(ActionButton::Choice1).roll) << "an answer draws nothing";
    game.press(ActionButton::Choice1);
    EXPECT_EQ(state().sceneLabel, "duel");
    EXPECT_EQ(state().battleRoll, 1);
    EXPECT_EQ(screen.ops.back(), "text:비겼다.");

    state().battleRoll = 3;
    game.press(ActionButton::Choice1);
    EXPECT_EQ(state().sceneLabel, "lost");
    EXPECT_EQ(state().prevLabel, "duel");
}

// A step whose picture cannot be loaded must not be half-applied: neither
// picture, nor the text, nor a label may change.
TEST_F(EngineTest, brokenPictureLeavesScreenAndStateAsTheyWere)
{
    for (const char *broken : {"a.jpg", "a.gif"}) {
        pictures.broken = {broken};
        at("a");
        const StepResult result = game.press(ActionButton::Progress);
        EXPECT_TRUE(result.failed());
        EXPECT_EQ(result.file, broken);
        EXPECT_EQ(result.problem.kind, Failure::Damaged);
        EXPECT_TRUE(screen.ops.empty()) << broken;
        EXPECT_EQ(state().sceneLabel, "a");
        EXPECT_EQ(state().prevLabel, "before");
    }
}

TEST_F(EngineTest, brokenPictureInTheDuelDrawsNoRoll)
{
    pictures.broken = {"duel.gif"};
    dice.values = {0.5f, 0.5f, 0.5f, 0.5f};
    at("duel");
    state().battleRoll = 3;
    game.press(ActionButton::Progress);
    EXPECT_EQ(state().battleRoll, 3);
    EXPECT_EQ(dice.reseeds, 0);
}

TEST(TextBlock, linesAreJoinedByCrLfWithNothingAroundThem)
{
    EXPECT_EQ(joinLines({"하나"}), "하나");
    EXPECT_EQ(joinLines({"하나", "둘"}), "하나\r\n둘");
    EXPECT_EQ(joinLines({"하나", "", "셋"}), "하나\r\n\r\n셋");
    EXPECT_EQ(joinLines({"'...'", "", "", "넷"}), "'...'\r\n\r\n\r\n넷");
    EXPECT_EQ(joinLines({}), "");
}

} // namespace
} // namespace barmen
