#include <gtest/gtest.h>

#include "engine/game.h"
#include "engine/textblock.h"
#include "fakes.h"
#include "story/story.h"

namespace barmen {
namespace {

using Ops = std::vector<std::string>;

// The start, save and load buttons, through the game's one set of rules.
struct SystemButtons : ::testing::Test {
    test::RecordingScreen screen;
    test::FakePictures pictures;
    test::ScriptedDice dice;
    test::MemorySaves saves;
    Game game{story::theStory(), screen, pictures, dice, saves};
    GameState &state() { return game.state(); }
};

TEST_F(SystemButtons, startShowsTheTitleAndBeginsTheStoryAgain)
{
    state() = {"엔딩 36", "엔딩 36", 2};
    EXPECT_EQ(game.start().kind, StepResult::Kind::Performed);
    EXPECT_EQ(screen.ops,
              (Ops{"text:<바르멘>\r\n\r\n시작하기를 누르면 시작합니다.\r\n"
                   "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.\r\n"
                   "시작하기를 누르면 다시 처음부터 시작합니다.",
                   "bg:배경1.jpg", "ch:시작.gif"}));
    EXPECT_EQ(state().sceneLabel, "시작");
    // Start resets nothing else: a save right now still writes the last scene.
    EXPECT_EQ(state().prevLabel, "엔딩 36");
    EXPECT_EQ(state().battleRoll, 2);
    ASSERT_FALSE(game.save().failed());
    EXPECT_EQ(saves.saved, "엔딩 36");
}

// A title without a character picture hands the window no empty picture:
// it keeps the one it shows.
TEST(TitleScreen, withoutAPictureNameShowsOnlyWhatItHas)
{
    Story story = story::theStory();
    story.title.ch = {};
    test::RecordingScreen screen;
    test::FakePictures pictures;
    test::ScriptedDice dice;
    test::MemorySaves saves;
    Game game{story, screen, pictures, dice, saves};
    EXPECT_EQ(game.start().kind, StepResult::Kind::Performed);
    ASSERT_EQ(screen.ops.size(), 2u);
    EXPECT_EQ(screen.ops[1], "bg:배경1.jpg");
    EXPECT_EQ(pictures.loads, std::vector<std::string>{"배경1.jpg"});
}

TEST_F(SystemButtons, missingTitlePictureLeavesEverythingAsItWas)
{
    pictures.broken = {"시작.gif"};
    state() = {"게임오버", "끝", 0};
    const StepResult result = game.start();
    EXPECT_EQ(result.kind, StepResult::Kind::PictureFailed);
    EXPECT_EQ(result.file, "시작.gif");
    EXPECT_TRUE(screen.ops.empty());
    EXPECT_EQ(state().sceneLabel, "게임오버");
}

// Save writes the scene on screen (prevLabel), load makes it the next row to
// perform; neither draws anything nor touches the other labels.
TEST_F(SystemButtons, saveKeepsTheSceneOnScreenAndLoadBringsItBackAsTheNextRow)
{
    state() = {"시작 3", "시작 2", 3};
    ASSERT_EQ(game.save().kind, StepResult::Kind::Performed);
    EXPECT_EQ(saves.saved, "시작 2");
    state().sceneLabel = "관찰 5";
    ASSERT_EQ(game.load().kind, StepResult::Kind::Performed);
    EXPECT_EQ(state().sceneLabel, "시작 2");
    EXPECT_EQ(state().prevLabel, "시작 2");
    EXPECT_EQ(state().battleRoll, 3);
    EXPECT_TRUE(screen.ops.empty());
}

TEST_F(SystemButtons, failedSaveOrLoadSaysWhyAndChangesNothing)
{
    state() = {"관찰 5", "관찰 4", 0};
    saves.saved = "시작 2";
    saves.error = {Failure::NoSpace};
    const StepResult saved = game.save();
    EXPECT_EQ(saved.kind, StepResult::Kind::SaveFailed);
    EXPECT_EQ(saved.problem.kind, Failure::NoSpace);
    EXPECT_EQ(saved.file, saves.file);
    EXPECT_EQ(saves.saved, "시작 2");
    const StepResult loaded = game.load();
    EXPECT_EQ(loaded.kind, StepResult::Kind::LoadFailed);
    EXPECT_EQ(state().sceneLabel, "관찰 5");
}

// Before any scene of the story, a save would write the empty label over a
// good save, and the next load would lead nowhere: it is refused, the old
// save stays, and the player is told. A load of an empty label still works.
TEST_F(SystemButtons, saveBeforeAnySceneKeepsTheOldSave)
{
    saves.saved = "골렘 8";
    for (const GameState &before : {GameState{}, GameState{"시작", "", 0}, GameState{"골렘 8", "", 2}}) {
        state() = before;
        const StepResult saved = game.save();
        EXPECT_EQ(saved.kind, StepResult::Kind::SaveFailed);
        EXPECT_EQ(saved.problem.kind, Failure::NothingToSave);
        EXPECT_EQ(saves.saved, "골렘 8");
        EXPECT_EQ(state().sceneLabel, before.sceneLabel);
        EXPECT_TRUE(screen.ops.empty());
    }
    saves.saved = "";
    ASSERT_EQ(game.load().kind, StepResult::Kind::Performed);
    EXPECT_EQ(state().sceneLabel, "");
}

// Before the first click the text ends with a line break, so the caret can
// sit on an empty sixth line; every later block ends without one.
TEST(InitialText, isTheTitleTextWithATrailingLineBreak)
{
    const std::string text = initialText(story::theStory().title.text);
    std::size_t breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 5u);
    EXPECT_EQ(text.rfind("\r\n"), text.size() - 2);
    EXPECT_EQ(text.substr(0, 15), "<바르멘>\r\n\r\n");
}

} // namespace
} // namespace barmen
