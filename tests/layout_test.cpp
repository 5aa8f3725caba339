#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "layout/form1.h"
#include "layout/storybox.h"
#include "story/story.h"

namespace barmen::layout {
namespace {

// Focus starts on the first choice and Tab walks the buttons and the story
// box in their tab-index order.
TEST(Layout, tabOrderRunsThroughTheNineFocusableControls)
{
    std::vector<std::string_view> names;
    for (const Control *c : tabOrder())
        names.push_back(c->name);
    EXPECT_EQ(names, (std::vector<std::string_view>{"Command2", "Command3", "Command4", "Command6", "Text1",
                                                     "Command7", "Command8", "Command9", "Command10"}));
}

// Each action button runs one table, and each table has exactly one button.
TEST(Layout, everyActionHasOneButtonInTheActionFrame)
{
    std::set<std::string_view> buttons;
    for (ActionButton action : actionButtons) {
        const Control &c = buttonFor(action);
        EXPECT_EQ(c.kind, Kind::Button);
        EXPECT_EQ(c.parent, "Frame1");
        buttons.insert(c.name);
    }
    EXPECT_EQ(buttons.size(), actionButtons.size());
    EXPECT_EQ(buttonFor(ActionButton::Choice1).name, "Command2");
    EXPECT_EQ(buttonFor(ActionButton::Progress).caption, "독백, 이야기 진행");
}

// Every command has exactly one button, every button one command: a button
// left without one would do nothing, and two for one command would leave
// another command without its button. The story's four lie in the action
// frame, start, save, load and quit in the system menu.
TEST(Layout, everyCommandHasExactlyOneButton)
{
    for (Command command : commands) {
        int buttons = 0;
        for (const Control &c : controls)
            buttons += c.command == command;
        EXPECT_EQ(buttons, 1) << "command " << int(command);
        const Control &button = buttonFor(command);
        EXPECT_EQ(button.kind, Kind::Button);
        EXPECT_EQ(button.parent, actionOf(command) ? "Frame1" : "Frame2") << button.name;
    }
    for (const Control &c : controls)
        EXPECT_EQ(c.kind == Kind::Button, c.command.has_value()) << c.name;
    for (ActionButton action : actionButtons) {
        EXPECT_EQ(actionOf(buttonFor(action).command.value()), action);
    }
    const std::pair<Command, std::string_view> system[] = {
        {Command::Start, "시작하기"}, {Command::Save, "저장하기"}, {Command::Load, "불러오기"}, {Command::Quit, "끝내기"}};
    for (const auto &[command, caption] : system)
        EXPECT_EQ(buttonFor(command).caption, caption);
}

// A button lies wholly inside its frame, and the frames and the text box
// inside the window: a mistyped number would hide a button or cut it off.
TEST(Layout, buttonsLieInsideTheirFramesAndTheFramesInsideTheWindow)
{
    const Rect client = clientArea.pixels();
    EXPECT_EQ(client, (Rect{0, 0, 727, 510}));
    for (const Control &c : controls) {
        const Rect r = inWindow(c);
        if (c.kind == Kind::Button) {
            const Rect frame = inWindow(c.parent);
            EXPECT_TRUE(r.left >= frame.left && r.top >= frame.top && r.right() <= frame.right()
                        && r.bottom() <= frame.bottom())
                << c.name;
        }
        if (c.kind == Kind::Frame || c.kind == Kind::TextBox || c.kind == Kind::Button) {
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right() <= client.width && r.bottom() <= client.height)
                << c.name;
        }
    }
    // The two that reach past the edge, as stored: bg's left border and Label2's right end.
    EXPECT_LT(inWindow("bg").left, 0);
    EXPECT_GT(inWindow("Label2").right(), client.width);
}

// A box in made-up metrics: every character as wide as its UTF-8 bytes say,
// rows as given.
class FakeBox final : public TextMeasure {
public:
    FakeBox(double pxPerByte, double width, int rows) : m_pxPerByte(pxPerByte), m_width(width), m_rows(rows) {}
    double usableWidth() const override { return m_width; }
    double rowHeight() const override { return 15; }
    int rowsShown() const override { return m_rows; }
    double lineWidth(std::string_view line) const override { return double(line.size()) * m_pxPerByte; }
    std::string fontName() const override { return "Fake"; }

private:
    double m_pxPerByte, m_width;
    int m_rows;
};

// The box shows every block when six rows show and the story's widest line
// fits; one row less, or a pixel less than the widest line, and it does not.
TEST(StoryBox, showsEveryBlockOnlyWithSixRowsAndRoomForTheWidestLine)
{
    const Story &story = story::theStory();
    const double widest = widestLine(story, FakeBox(4, 1000, 6));
    EXPECT_GT(widest, 200);
    EXPECT_TRUE(showsEveryBlock(story, FakeBox(4, widest, 6)));
    EXPECT_FALSE(showsEveryBlock(story, FakeBox(4, widest - 1, 6)));
    EXPECT_FALSE(showsEveryBlock(story, FakeBox(4, widest, 5)));
    EXPECT_TRUE(showsEveryBlock(story, FakeBox(4, widest, 7)));
}

// The story font keeps its stored size where the box shows every block, and
// shrinks to the largest size that does otherwise, never below two thirds of
// the stored size.
TEST(StoryBox, fontShrinksToTheLargestSizeThatShowsEveryBlock)
{
    struct Case {
        const char *what;
        int stored;
        int largestThatFits;   // 0: none
        int chosen;
    } cases[] = {
        {"the stored size fits", 15, 15, 15},
        {"a taller stand-in, as NanumGothic under Wine", 15, 13, 13},
        {"only two thirds fit", 15, 10, 10},
        {"nothing fits down to two thirds", 15, 9, 15},
        {"nothing fits at all", 15, 0, 15},
        {"twice the dots per inch", 30, 26, 26},
    };
    for (const Case &c : cases) {
        std::vector<int> asked;
        const int chosen = storyFontPixels(c.stored, [&](int pixels) {
            asked.push_back(pixels);
            return pixels <= c.largestThatFits;
        });
        EXPECT_EQ(chosen, c.chosen) << c.what;
        ASSERT_FALSE(asked.empty()) << c.what;
        EXPECT_EQ(asked.front(), c.stored) << c.what;
        EXPECT_GE(*std::min_element(asked.begin(), asked.end()), (2 * c.stored + 2) / 3) << c.what;
    }
}

} // namespace
} // namespace barmen::layout
