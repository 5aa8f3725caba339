#pragma once

#include <cstdint>
#include <memory>

namespace barmen::pictures {

// A decoded picture: rows of 32-bit pixels, 0xAARRGGBB as native integers
// (B, G, R, A in memory on a little-endian machine), top row first, no
// padding. Opaque pixels have alpha 0xFF; a GIF's transparent colour comes
// out as 0x00FFFFFF, clear white.
struct Image {
    int width = 0;
    int height = 0;
    bool transparent = false;   // may hold clear pixels (a GIF with a transparent colour)
    std::unique_ptr<std::uint32_t[]> pixels;

    bool null() const { return !pixels; }
    std::uint32_t *row(int y) { return pixels.get() + std::size_t(y) * std::size_t(width); }
    const std::uint32_t *row(int y) const { return pixels.get() + std::size_t(y) * std::size_t(width); }
};

} // namespace barmen::pictures
