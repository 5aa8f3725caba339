#include "pictures/decode.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "pictures/formats.h"
#include "system/failure.h"

namespace barmen::pictures {

namespace detail {

system::Failure kindOf(Fault fault)
{
    switch (fault) {
    case Fault::None: break;
    case Fault::NotAPicture: return system::Failure::NotAPicture;
    case Fault::CutOff: return system::Failure::CutOff;
    case Fault::Damaged: return system::Failure::Damaged;
    case Fault::Unsupported: return system::Failure::Unsupported;
    case Fault::TooLarge: return system::Failure::TooManyPixels;
    case Fault::TooManyScans: return system::Failure::TooManyScans;
    case Fault::TooManyFrames: return system::Failure::TooManyFrames;
    }
    return system::Failure::None;
}

Decoded refused(Fault fault, Format format, std::int64_t width, std::int64_t height)
{
    Decoded result;
    result.fault = fault;
    if (fault != Fault::None) {
        result.detail = {format == Format::Jpeg ? "JPEG" : "GIF", width, height};
        result.reason = system::pictureReason(kindOf(fault), result.detail);
    }
    return result;
}

Image blankImage(int width, int height, bool transparent)
{
    Image image;
    if (width <= 0 || height <= 0 || tooManyPixels(width, height))
        return image;
    image.pixels.reset(new (std::nothrow) std::uint32_t[std::size_t(width) * std::size_t(height)]);
    if (image.pixels) {
        image.width = width;
        image.height = height;
        image.transparent = transparent;
    }
    return image;
}

} // namespace detail

std::string tooLargeReason(std::int64_t width, std::int64_t height)
{
    return system::pictureReason(system::Failure::TooManyPixels, {{}, width, height});
}

namespace {

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view signature)
{
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin(),
                                                          [](char s, std::uint8_t b) { return std::uint8_t(s) == b; });
}

// The start of a signature and nothing more: a file cut before it was whole.
bool cutSignature(std::span<const std::uint8_t> bytes, std::string_view signature)
{
    return !bytes.empty() && bytes.size() < signature.size() && startsWith(bytes, signature.substr(0, bytes.size()));
}

} // namespace

Decoded decode(std::span<const std::uint8_t> bytes)
{
    using namespace detail;
    static constexpr std::string_view jpegStart("\xFF\xD8\xFF", 3), gif87("GIF87a"), gif89("GIF89a");
    if (startsWith(bytes, jpegStart))
        return decodeJpeg(bytes);
    if (startsWith(bytes, gif87) || startsWith(bytes, gif89))
        return decodeGif(bytes);
    if (cutSignature(bytes, jpegStart))
        return refused(Fault::CutOff, Format::Jpeg);
    if (cutSignature(bytes, gif87) || cutSignature(bytes, gif89))
        return refused(Fault::CutOff, Format::Gif);
    return refused(Fault::NotAPicture, Format::Jpeg);
}

} // namespace barmen::pictures
