#pragma once

// Inside the decoder: one decoder per format, and the reasons they share.

#include <cstdint>
#include <span>

#include "pictures/decode.h"

namespace barmen::pictures::detail {

enum class Format { Jpeg, Gif };

// A refusal with its reason for the player; the size only for TooLarge.
Decoded refused(Fault fault, Format format, std::int64_t width = 0, std::int64_t height = 0);

// The kind a player is told of for a fault.
Failure kindOf(Fault fault);

inline bool tooManyPixels(std::int64_t width, std::int64_t height)
{
    return width * height > maxPixels;
}

// Room for width × height pixels, left as it comes (the decoder writes every
// one); null when there is no memory for it.
Image blankImage(int width, int height, bool transparent);

Decoded decodeJpeg(std::span<const std::uint8_t> bytes);
Decoded decodeGif(std::span<const std::uint8_t> bytes);

} // namespace barmen::pictures::detail
