// The story box of the Windows window, measured in the EDIT control itself
// with whatever font the system draws: under Wine that is NanumGothic for
// 굴림, as it would be 맑은 고딕 on a Windows without 굴림.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/win32/form1.h"
#include "app/win32/pictures.h"
#include "app/win32/storybox.h"
#include "engine/duel.h"
#include "engine/textblock.h"
#include "story/story.h"
#include "system/savefile.h"
#include "system/wide.h"
#include "tools/story/lintbox.h"

namespace barmen::win32 {
namespace {

struct Block {
    std::string where;
    const Lines *text;
};

// Every block of six lines the story writes, each once.
std::vector<Block> sixLineBlocks(const Story &story)
{
    std::vector<Block> blocks;
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : story.table(button).rows()) {
            if (row.text.count != maxLines)
                continue;
            bool seen = false;
            for (const Block &b : blocks)
                seen = seen || *b.text == row.text;
            if (!seen)
                blocks.push_back({std::string(row.label), &row.text});
        }
    return blocks;
}

// The game's window, hidden, with its story box.
class WindowsStoryBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create(SW_HIDE));
        edit = FindWindowExW(window.hwnd(), nullptr, L"EDIT", nullptr);
        ASSERT_NE(edit, nullptr);
    }

    void show(const Lines &text)
    {
        const std::wstring wide = system::widen(joinLines(text));
        SetWindowTextW(edit, wide.c_str());
    }

    int fontHeight() const
    {
        HDC dc = GetDC(edit);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(edit, dc);
        return metrics.tmHeight;
    }

    Win32PictureSource pictures;
    ClockDice dice{1};
    system::SaveFile saves;
    Form1 window{story::theStory(), pictures, dice, saves};
    HWND edit = nullptr;
};

// Each six-line block lies on six rows of the box, the sixth as whole as the
// first: the control draws only whole rows, so a sixth row that does not fit
// would vanish without a trace.
TEST_F(WindowsStoryBox, showsEverySixLineBlockWhole)
{
    const std::vector<Block> blocks = sixLineBlocks(story::theStory());
    ASSERT_GE(blocks.size(), 10u);
    const int row = fontHeight();
    RECT format{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    for (const Block &block : blocks) {
        show(*block.text);
        EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 6) << block.where << ": a line wraps";
        EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << block.where;
        const LRESULT lastLine = SendMessageW(edit, EM_LINEINDEX, 5, 0);
        const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, WPARAM(lastLine), 0);
        const int top = short(HIWORD(at));
        EXPECT_LE(top + row, format.bottom) << block.where << ": the sixth row starts at " << top << " px, "
                                            << row << " px high, and the box shows rows down to "
                                            << format.bottom << " px";
    }
}

// The measure lint reads is the control's own judgement: a line wraps in the
// measure exactly where the EDIT control breaks it, for a line growing a
// syllable at a time and for every line of the story.
TEST_F(WindowsStoryBox, measureWrapsWhereTheControlWraps)
{
    const EditMeasure box(edit);
    const auto controlWraps = [&](const std::string &line) {
        const std::wstring wide = system::widen(line);
        SetWindowTextW(edit, wide.c_str());
        return SendMessageW(edit, EM_GETLINECOUNT, 0, 0) > 1;
    };
    int fitting = 0;
    std::string line;
    for (int n = 1; n <= 80; ++n) {
        line += "가";
        const bool wraps = controlWraps(line);
        EXPECT_EQ(box.wraps(line), wraps) << n << " syllables, " << box.lineWidth(line) << " px of "
                                          << box.usableWidth();
        fitting += wraps ? 0 : 1;
    }
    EXPECT_GT(fitting, 20);
    EXPECT_LT(fitting, 80);
    layout::forEachStoryLine(story::theStory(), [&](std::string_view text) {
        EXPECT_EQ(box.wraps(text), controlWraps(std::string(text))) << text;
    });
}

// Lint, run on the box as this window lays it out: six rows, and no line of
// the story that wraps. The font it settled on is printed for the record.
TEST_F(WindowsStoryBox, lintFindsNothingInTheBoxAsWindowsLaysItOut)
{
    const EditMeasure box(edit);
    const std::vector<storytool::Fault> faults = storytool::lintStoryBox(story::theStory(), box);
    std::string all;
    for (const storytool::Fault &fault : faults)
        all += fault.line() + "\n";
    EXPECT_TRUE(faults.empty()) << all;
    std::cout << "story box: " << box.fontName() << ", rows of " << box.rowHeight() << " px, " << box.rowsShown()
              << " rows, " << box.usableWidth() << " px wide, widest line "
              << layout::widestLine(story::theStory(), box) << " px\n";
}

} // namespace
} // namespace barmen::win32
