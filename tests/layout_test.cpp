#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "layout/form1.h"

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

} // namespace
} // namespace barmen::layout
