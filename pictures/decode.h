#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/failure.h"
#include "pictures/picture.h"

namespace barmen::pictures {

// What kept a file's bytes from becoming a picture.
enum class Fault {
    None,
    NotAPicture,   // neither JPEG nor GIF
    CutOff,        // the data ends before the picture does
    Damaged,       // the decoder found data that makes no sense
    Unsupported,   // a JPEG of a kind the game cannot show (12-bit, lossless, arithmetic, unknown colours)
    TooLarge,      // more pixels or memory than a picture this window can show
    TooManyScans,  // a JPEG whose scans over its pixels are more work than one click may take
    TooManyFrames, // a GIF of more frames than any animation this window could show
};

struct Decoded {
    Image image;               // null unless fault is None
    Fault fault = Fault::None;
    std::string reason;        // for the player, in Korean; empty when decoded
    PictureDetail detail;      // the format and, when too large, the size of a refused picture
};

// Decodes a whole JPEG or GIF file, chosen by its first bytes, never by its
// name. The decoder decides whether the file is whole: any warning of libjpeg
// about the picture data or error of giflib refuses the picture, and a GIF
// must reach its trailer. Bytes after the JPEG's EOI marker or the GIF's
// trailer are ignored. A GIF gives its first frame on its logical screen,
// its transparent colour clear.
Decoded decode(std::span<const std::uint8_t> bytes);

// The game shows 600 × 400 and 300 × 400 pictures; nothing beyond a full-HD
// screen's worth (2048 × 1024) is a picture for this window. A click holds
// four pictures at its peak (the two on screen and the two it brings), so
// this keeps the worst click's pictures within 32 MB, and a tiny file
// cannot ask for gigabytes.
inline constexpr std::int64_t maxPixels = 2LL * 1024 * 1024;

// The reason for a picture too large to show, as the decoder gives it; also
// for a front end that cannot hold a decoded picture for drawing.
std::string tooLargeReason(std::int64_t width, std::int64_t height);

} // namespace barmen::pictures
