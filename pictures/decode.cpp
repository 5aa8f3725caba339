#include "pictures/decode.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "pictures/formats.h"

namespace barmen::pictures {

namespace detail {

Decoded refused(Fault fault, Format format, std::int64_t width, std::int64_t height)
{
    const std::string name = format == Format::Jpeg ? "JPEG" : "GIF";
    Decoded result;
    result.fault = fault;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::NotAPicture:
        result.reason = "그림으로 읽을 수 없습니다: JPEG도 GIF도 아닌 파일입니다.";
        break;
    case Fault::CutOff:
        result.reason = name + " 파일이 중간에 잘려 있습니다.";
        break;
    case Fault::Damaged:
        result.reason = name + " 파일의 데이터가 손상되어 있습니다.";
        break;
    case Fault::Unsupported:
        result.reason = "이 게임이 보여 줄 수 없는 종류의 " + name + " 파일입니다.";
        break;
    case Fault::TooLarge:
        result.reason = tooLargeReason(width, height);
        break;
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
    return "그림이 너무 큽니다 (" + std::to_string(width) + " × " + std::to_string(height) + " 화소).";
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
