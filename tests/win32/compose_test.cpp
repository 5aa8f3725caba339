#include <gtest/gtest.h>

#include "app/win32/compose.h"
#include "layout/form1.h"

namespace barmen::win32 {
namespace {

// Ten units a character, whatever it is: the breaks then depend on the
// caption alone.
int tenEach(std::wstring_view line) { return int(line.size()) * 10; }

TEST(Wrapped, breaksAtSpacesWhereWordsFitAndBetweenSyllablesWhereNoneDoes)
{
    const std::tuple<std::wstring, int, std::wstring> cases[] = {
        {L"시작하기", 100, L"시작하기"},                        // fits: one line
        {L"독백, 이야기 진행", 170, L"독백, 이야기 진행"},
        {L"독백, 이야기 진행", 70, L"독백, 이야기\n진행"},      // at the last space that fits
        {L"독백, 이야기 진행", 30, L"독백,\n이야기\n진행"},
        {L"끝내기", 15, L"끝\n내\n기"},                         // the tall narrow button
        {L"세번째 선택지", 20, L"세번\n째\n선택\n지"},           // a word too long for a line
        {L"", 50, L""},
    };
    for (const auto &[caption, width, lines] : cases)
        EXPECT_EQ(wrapped(caption, width, tenEach), lines) << width;
}

constexpr std::uint32_t ground = 0xFFD4D0C8, line = 0xFF646464;
constexpr std::uint32_t forest = 0xFF208040, figure = 0xFFC03020;

pictures::Image filled(int width, int height, std::uint32_t colour)
{
    pictures::Image image;
    image.width = width;
    image.height = height;
    image.pixels = std::make_unique<std::uint32_t[]>(std::size_t(width) * std::size_t(height));
    std::fill_n(image.pixels.get(), std::size_t(width) * std::size_t(height), colour);
    return image;
}

// bg stands at x -8 inside its one-pixel border, ch at x 144; both at the top.
TEST(ComposeCanvas, theCharacterStandsOverTheBackgroundInItsBorder)
{
    const pictures::Image bg = filled(600, 400, forest);
    pictures::Image ch = filled(300, 400, figure);
    ch.transparent = true;
    ch.row(10)[5] = 0x00FFFFFF;                              // clear: the forest shows
    ch.row(10)[6] = 0x80000000;                              // half clear black over the forest
    const Canvas canvas = composeCanvas(bg, ch, ground, line);

    ASSERT_EQ(canvas.width, 727);
    ASSERT_EQ(canvas.height, 402);
    EXPECT_EQ(canvas.at(0, 0), line);                        // the border's top row
    EXPECT_EQ(canvas.at(593, 200), line);                    // its right column
    EXPECT_EQ(canvas.at(100, 401), line);                    // its bottom row
    EXPECT_EQ(canvas.at(0, 1), forest);                      // the left column lies outside the window
    EXPECT_EQ(canvas.at(594, 200), ground);
    EXPECT_EQ(canvas.at(144, 10), figure);
    EXPECT_EQ(canvas.at(149, 10), forest);
    EXPECT_EQ(canvas.at(150, 10), 0xFF104020u);              // half of each channel, rounded
    EXPECT_EQ(canvas.at(443, 399), figure);
    EXPECT_EQ(canvas.at(444, 399), forest);
}

// A picture of another size: the control grows or shrinks from its corner,
// and what it no longer covers is the window's ground.
TEST(ComposeCanvas, otherSizesGrowFromTheCornerAndAreClippedToTheWindow)
{
    const pictures::Image small = filled(100, 50, forest);
    const Canvas shrunk = composeCanvas(small, {}, ground, line);
    EXPECT_EQ(shrunk.height, 52);                            // no character: as high as bg
    EXPECT_EQ(shrunk.at(93, 20), line);
    EXPECT_EQ(shrunk.at(94, 20), ground);
    EXPECT_EQ(shrunk.at(50, 51), line);

    const pictures::Image tall = filled(60, 900, figure);
    const Canvas clipped = composeCanvas(small, tall, ground, line);
    EXPECT_EQ(clipped.height, layout::clientArea.pixels().height);
    EXPECT_EQ(clipped.at(150, clipped.height - 1), figure);
    EXPECT_EQ(clipped.at(300, 100), ground);

    const pictures::Image wide = filled(1000, 10, forest);
    const Canvas across = composeCanvas(wide, {}, ground, line);
    EXPECT_EQ(across.at(726, 5), forest);                    // to the window's right edge, no further
    EXPECT_EQ(across.pixels.size(), std::size_t(727) * std::size_t(across.height));
}

} // namespace
} // namespace barmen::win32
