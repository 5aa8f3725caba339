#include <gtest/gtest.h>

#include "fakes.h"
#include "system/start.h"

namespace barmen::system {
namespace {

using Ops = std::vector<std::string>;

TEST(Start, showsTheTitleAndBeginsTheStoryAgain)
{
    test::RecordingScreen screen;
    test::FakePictures pictures;
    GameState state{"엔딩 36", "엔딩 36", 2};
    EXPECT_FALSE(start(state, screen, pictures).failed());
    EXPECT_EQ(screen.ops,
              (Ops{"text:<바르멘>\r\n\r\n시작하기를 누르면 시작합니다.\r\n"
                   "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.\r\n"
                   "시작하기를 누르면 다시 처음부터 시작합니다.",
                   "bg:배경1.jpg", "ch:시작.gif"}));
    EXPECT_EQ(state.sceneLabel, "시작");
    // Start resets nothing else: a save right now still writes the last scene.
    EXPECT_EQ(state.prevLabel, "엔딩 36");
    EXPECT_EQ(state.battleRoll, 2);
}

TEST(Start, missingTitlePictureLeavesEverythingAsItWas)
{
    test::RecordingScreen screen;
    test::FakePictures pictures;
    pictures.broken = {"시작.gif"};
    GameState state{"게임오버", "끝", 0};
    const StepResult result = start(state, screen, pictures);
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(result.file, "시작.gif");
    EXPECT_TRUE(screen.ops.empty());
    EXPECT_EQ(state.sceneLabel, "게임오버");
}

// Before the first click the text ends with a line break, so the caret can
// sit on an empty sixth line; every later block ends without one.
TEST(Start, initialTextIsTheTitleTextWithATrailingLineBreak)
{
    const std::string text = initialText();
    std::size_t breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 5u);
    EXPECT_EQ(text.rfind("\r\n"), text.size() - 2);
    EXPECT_EQ(text.substr(0, 15), "<바르멘>\r\n\r\n");
}

} // namespace
} // namespace barmen::system
