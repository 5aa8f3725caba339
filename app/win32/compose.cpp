#include "app/win32/compose.h"

#include <algorithm>

#include "layout/form1.h"

namespace barmen::win32 {

std::wstring wrapped(const std::wstring &caption, int width, const std::function<int(std::wstring_view)> &measure)
{
    auto fits = [&](const std::wstring &line) { return measure(line) <= width; };
    std::wstring out, line;
    auto flush = [&] {
        if (!out.empty())
            out += L'\n';
        out += line;
        line.clear();
    };
    std::size_t start = 0;
    while (start <= caption.size()) {
        std::size_t end = caption.find(L' ', start);
        if (end == std::wstring::npos)
            end = caption.size();
        const std::wstring word = caption.substr(start, end - start);
        const std::wstring joined = line.empty() ? word : line + L' ' + word;
        if (fits(joined)) {
            line = joined;
        } else {
            if (!line.empty())
                flush();
            for (wchar_t c : word) {
                if (!line.empty() && !fits(line + c))
                    flush();
                line += c;
            }
        }
        start = end + 1;
    }
    if (!line.empty())
        flush();
    return out;
}

void drawOver(Canvas &canvas, const pictures::Image &image, int left, int top)
{
    for (int y = 0; y < image.height; ++y) {
        const int cy = top + y;
        if (cy < 0 || cy >= canvas.height)
            continue;
        const std::uint32_t *row = image.row(y);
        std::uint32_t *out = canvas.pixels.data() + std::size_t(cy) * std::size_t(canvas.width);
        for (int x = 0; x < image.width; ++x) {
            const int cx = left + x;
            if (cx < 0 || cx >= canvas.width)
                continue;
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            if (a == 0xFF) {
                out[cx] = p;
            } else if (a != 0) {
                const std::uint32_t q = out[cx];
                auto mix = [&](int shift) {
                    const std::uint32_t s = (p >> shift) & 0xFF, d = (q >> shift) & 0xFF;
                    return ((s * a + d * (255 - a) + 127) / 255) << shift;
                };
                out[cx] = 0xFF000000u | mix(16) | mix(8) | mix(0);
            }
        }
    }
}

Canvas composeCanvas(const pictures::Image &background, const pictures::Image &character, std::uint32_t ground,
                     std::uint32_t line)
{
    const layout::Rect bgPlace = layout::inWindow("bg");
    const layout::Rect chPlace = layout::inWindow("ch");
    const layout::Rect client = layout::clientArea.pixels();
    const int border = layout::backgroundBorder;
    const int bgWidth = background.width + 2 * border, bgHeight = background.height + 2 * border;
    Canvas canvas;
    canvas.width = client.width;
    canvas.height = std::min(client.height, std::max(bgPlace.top + bgHeight, chPlace.top + character.height));
    canvas.pixels.assign(std::size_t(canvas.width) * std::size_t(canvas.height), ground);
    for (int y = bgPlace.top; y < bgPlace.top + bgHeight && y < canvas.height; ++y)
        for (int x = std::max(bgPlace.left, 0); x < bgPlace.left + bgWidth && x < canvas.width; ++x)
            if (y == bgPlace.top || y == bgPlace.top + bgHeight - 1 || x == bgPlace.left
                || x == bgPlace.left + bgWidth - 1)
                canvas.pixels[std::size_t(y) * std::size_t(canvas.width) + std::size_t(x)] = line;
    if (!background.null())
        drawOver(canvas, background, bgPlace.left + border, bgPlace.top + border);
    if (!character.null())
        drawOver(canvas, character, chPlace.left, chPlace.top);
    return canvas;
}

} // namespace barmen::win32
