#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "engine/command.h"
#include "engine/scenetable.h"

// The game's one window, Form1, as data: every control's name, kind, parent,
// caption, place in twips, tab index and font, in the stored order. Each
// front end builds its window from this, and the author's tool, the
// screenshot script and the tests find a control's place here too.
namespace barmen::layout {

inline constexpr int twipsPerPixel = 15;

// A rectangle in pixels.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool operator==(const Rect &) const = default;
};

// A rectangle in twips, as the window stores it.
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;

    constexpr Rect pixels() const
    {
        return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel};
    }
};

// A stored font. Every one of them is Hangul, none italic, underlined or struck out.
struct Font {
    std::string_view face;
    double points = 0;
    int weight = 400;                          // 400 normal, 700 bold
    static constexpr int hangulCharset = 129;  // the Korean character set

    constexpr bool bold() const { return weight >= 700; }
};

inline constexpr Font storyFont{"굴림", 11.25, 400};    // Text1
inline constexpr Font authorFont{"굴림", 15.75, 700};   // Label1
inline constexpr Font titleFont{"돋움", 20.25, 700};    // Label2

// How the story box, Text1, shows its text, the same in every window: black
// on the classic scroll-bar grey (system colour 0) whatever the desktop's
// theme, one pixel between the frame and the text on every side, and rows a
// little over the font's 15 px, so six of them still fit.
struct StoryBoxLook {
    std::uint32_t background = 0xC8C8C8;   // 0xRRGGBB
    std::uint32_t ink = 0x000000;
    int margin = 1;
    double lineHeight = 15.5;
};
inline constexpr StoryBoxLook storyBox{};

enum class Kind { Frame, Button, TextBox, Label, Image };

// What a button does (engine/command.h), as the layout names it.
using barmen::Command;
using barmen::actionOf;
using barmen::commandOf;
using barmen::commands;

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view parent;                 // "Form1" or a frame's name
    std::string_view caption;                // a label's or frame's text; empty for Text1 and the images
    Twips place;                             // relative to the parent's top-left corner
    int tabIndex = -1;                       // -1: takes no focus (the images)
    const Font *font = nullptr;              // null: the window's dialog font
    std::optional<Command> command{};        // what a button does; none for the other controls
};

inline constexpr std::string_view windowName = "Form1";
inline constexpr std::string_view windowCaption = "바르멘";
inline constexpr Twips clientArea{0, 0, 10905, 7650};   // 727 × 510 pixels

// In the stored order: an earlier control lies above a later one where
// lightweight controls overlap; windowed controls lie above the pictures.
inline constexpr std::array<Control, 15> controls{{
    {"Frame2", Kind::Frame, "Form1", "시스템 메뉴", {9000, 5280, 1815, 2295}, 7},
    {"Command10", Kind::Button, "Frame2", "끝내기", {1320, 360, 375, 1695}, 11, nullptr, Command::Quit},
    {"Command9", Kind::Button, "Frame2", "불러오기", {120, 1560, 1095, 495}, 10, nullptr, Command::Load},
    {"Command8", Kind::Button, "Frame2", "저장하기", {120, 960, 1095, 495}, 9, nullptr, Command::Save},
    {"Command7", Kind::Button, "Frame2", "시작하기", {120, 360, 1095, 495}, 8, nullptr, Command::Start},
    {"Text1", Kind::TextBox, "Form1", "", {120, 6120, 8775, 1455}, 6, &storyFont},
    {"Frame1", Kind::Frame, "Form1", "행동 메뉴", {9000, 120, 1815, 3255}, 1},
    {"Command6", Kind::Button, "Frame1", "독백, 이야기 진행", {120, 2520, 1575, 495}, 5, nullptr, Command::Progress},
    {"Command4", Kind::Button, "Frame1", "세번째 선택지", {120, 1800, 1575, 495}, 4, nullptr, Command::Choice3},
    {"Command3", Kind::Button, "Frame1", "두번째 선택지", {120, 1080, 1575, 495}, 3, nullptr, Command::Choice2},
    {"Command2", Kind::Button, "Frame1", "첫번째 선택지", {120, 360, 1575, 495}, 2, nullptr, Command::Choice1},
    {"Label1", Kind::Label, "Form1", "by Tovren", {9000, 4440, 1815, 735}, 12, &authorFont},
    {"ch", Kind::Image, "Form1", "", {2160, 0, 4500, 6000}},
    {"Label2", Kind::Label, "Form1", "바르멘", {9000, 3960, 1935, 495}, 0, &titleFont},
    {"bg", Kind::Image, "Form1", "", {-120, 0, 9030, 6030}},
}};

// The control of that name; a name the window does not have is a fault of
// the caller's code.
constexpr const Control &control(std::string_view name)
{
    for (const Control &c : controls)
        if (c.name == name)
            return c;
    throw std::invalid_argument("Form1 has no such control");
}

// The control's rectangle in the window's client area, in pixels, its
// frame's offset added.
constexpr Rect inWindow(const Control &c)
{
    Rect r = c.place.pixels();
    if (c.parent != windowName) {
        const Rect frame = control(c.parent).place.pixels();
        r.left += frame.left;
        r.top += frame.top;
    }
    return r;
}
constexpr Rect inWindow(std::string_view name) { return inWindow(control(name)); }

// The button that gives this command.
constexpr const Control &buttonFor(Command command)
{
    for (const Control &c : controls)
        if (c.command == command)
            return c;
    throw std::invalid_argument("no button gives that command");
}

// The button that runs this action's scene table.
constexpr const Control &buttonFor(ActionButton action) { return buttonFor(commandOf(action)); }

constexpr bool takesFocus(const Control &c) { return c.kind == Kind::Button || c.kind == Kind::TextBox; }

inline constexpr std::size_t focusableCount =
    std::size_t(std::count_if(controls.begin(), controls.end(), takesFocus));

// The focusable controls in tab order; focus starts on the first, Command2.
// Worked out while compiling, and sized by the count of focusable controls,
// so a control added to the layout can never write past the end.
inline constexpr std::array<const Control *, focusableCount> tabOrderList = [] {
    std::array<const Control *, focusableCount> order{};
    std::size_t n = 0;
    for (const Control &c : controls)
        if (takesFocus(c))
            order.at(n++) = &c;
    std::sort(order.begin(), order.end(), [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
    return order;
}();

// Two controls on one tab index would leave their order to the sort.
static_assert(std::adjacent_find(tabOrderList.begin(), tabOrderList.end(),
                                 [](const Control *a, const Control *b) { return a->tabIndex == b->tabIndex; })
                  == tabOrderList.end(),
              "every focusable control has a tab index of its own");

constexpr const std::array<const Control *, focusableCount> &tabOrder() { return tabOrderList; }

// Until the first click Text1 holds the title screen's text with a line
// break after its last line: initialText(story.title.text), engine/textblock.h.

// The default pictures' sizes, shown until the first scene. bg has a
// one-pixel border on every side; ch has none.
inline constexpr Rect defaultBackground{0, 0, 600, 400};
inline constexpr Rect defaultCharacter{0, 0, 300, 400};
inline constexpr int backgroundBorder = 1;

// Over the two frames, outside their buttons, the pointer is a crosshair.
constexpr bool crosshairOver(const Control &c) { return c.kind == Kind::Frame; }

} // namespace barmen::layout
