#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/picture.h"

// The parts of the Win32 window that need no window: how a caption breaks
// into lines, and how the two pictures come together into one canvas.
namespace barmen::win32 {

// Breaks a caption into lines, joined by '\n', that fit the width as the
// measure gives it: at spaces where the words fit, else between syllables,
// as "끝내기" on its tall narrow button.
std::wstring wrapped(const std::wstring &caption, int width, const std::function<int(std::wstring_view)> &measure);

// The window's top part at 96 dpi: its whole width, as high as the lower of
// the two pictures reaches (never past the client area), in 0xAARRGGBB.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// The two pictures as the window shows them, where the layout puts bg and ch:
// the background in its one-pixel border of the line colour, the character
// over it with its clear pixels showing the background, on the ground colour.
// A null picture leaves its place to what lies below it.
Canvas composeCanvas(const pictures::Image &background, const pictures::Image &character, std::uint32_t ground,
                     std::uint32_t line);

// The picture's pixels over the canvas at (left, top), clipped; clear pixels
// leave what lies below, and partly clear ones are mixed with it.
void drawOver(Canvas &canvas, const pictures::Image &image, int left, int top);

} // namespace barmen::win32
