// GIF through giflib: the first frame on its logical screen, drawn as Qt's
// own reader draws it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

extern "C" {
#include <gif_lib.h>
}

#include "pictures/formats.h"

namespace barmen::pictures::detail {

namespace {

// A screen may be larger than its first frame, which stands anywhere on it;
// the ground round the frame is drawn in one colour. A 43-byte file can
// declare a screen of 65535 × 65535 round a single pixel: more ground than
// about a million pixels (far beyond the window) is not a picture of ours.
constexpr std::int64_t maxGroundPixels = 1024 * 1024;

// Only the first frame is shown, but every frame is read, to the trailer, so
// a file cut anywhere is known. Each frame costs giflib a setup of its own
// (a table of 4,096 codes), and an 8 MiB file may hold half a million empty
// frames, a quarter of a second of work: a GIF of more frames than any animation this
// window could show is refused for its frames.
constexpr int maxFrames = 20'000;

constexpr std::uint32_t clearWhite = 0x00FFFFFF;   // Qt's transparent GIF pixel

struct GifInput {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    bool ranOut = false;   // giflib asked for more than was left
};

extern "C" int gifRead(GifFileType *gif, GifByteType *to, int wanted)
{
    auto *input = static_cast<GifInput *>(gif->UserData);
    const std::size_t want = std::size_t(std::max(wanted, 0));
    const std::size_t n = std::min(input->bytes.size() - input->at, want);
    if (n)
        std::memcpy(to, input->bytes.data() + input->at, n);
    input->at += n;
    input->ranOut = input->ranOut || n < want;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType *gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// Judged by the reader rather than giflib's error code, which is not always
// set (a missing LZW code size leaves it as it was) and says "read failed"
// for some damage too; only running out of memory has a code of its own.
Decoded gifFailure(const GifFileType *gif, const GifInput &input)
{
    if (gif && gif->Error == D_GIF_ERR_NOT_ENOUGH_MEM && !input.ranOut)
        return refused(Fault::TooLarge, Format::Gif, gif->SWidth, gif->SHeight);
    return refused(input.ranOut ? Fault::CutOff : Fault::Damaged, Format::Gif);
}

Decoded gifFailure(const GifFileType &gif)
{
    return gifFailure(&gif, *static_cast<const GifInput *>(gif.UserData));
}

std::uint32_t opaque(const GifColorType &c)
{
    return 0xFF000000u | std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
}

// The 256 colours an index may name, as Qt's reader resolves them: beyond
// the table's size transparent, without any table black, and the transparent
// index with its colour but no alpha.
std::array<std::uint32_t, 256> palette(const GifFileType &gif, std::span<const std::uint8_t> bytes, int transparent)
{
    const ColorMapObject *map = gif.Image.ColorMap ? gif.Image.ColorMap : gif.SColorMap;
    const int declared = gif.Image.ColorMap ? gif.Image.ColorMap->ColorCount : 2 << (bytes[10] & 7);
    std::array<std::uint32_t, 256> colours{};
    for (int i = 0; i < 256; ++i) {
        std::uint32_t c = 0;
        if (i > declared)
            c = clearWhite;
        else if (map && i < map->ColorCount)
            c = opaque(map->Colors[i]);
        else if (map)
            c = clearWhite;
        colours[std::size_t(i)] = i == transparent ? c & clearWhite : c;
    }
    return colours;
}

// Reads a frame's data to its end without drawing it.
bool skipData(GifFileType &gif)
{
    int codeSize = 0;
    GifByteType *block = nullptr;
    if (DGifGetCode(&gif, &codeSize, &block) == GIF_ERROR)
        return false;
    while (block)
        if (DGifGetCodeNext(&gif, &block) == GIF_ERROR)
            return false;
    return true;
}

// The first frame on the logical screen. The rows of an interlaced frame come
// in four passes.
Decoded drawFirstFrame(GifFileType &gif, std::span<const std::uint8_t> bytes, int transparent)
{
    const GifImageDesc &frame = gif.Image;
    int width = gif.SWidth, height = gif.SHeight;
    // Like Qt, disbelieve a screen far larger than its frame.
    if (width / 10 > std::max(frame.Width, 16384))
        width = -1;
    if (height / 10 > std::max(frame.Height, 16384))
        height = -1;
    if (width <= 0)
        width = frame.Left + frame.Width;
    if (height <= 0)
        height = frame.Top + frame.Height;
    if (width <= 0 || height <= 0)
        return refused(Fault::Damaged, Format::Gif);
    if (tooManyPixels(width, height))
        return refused(Fault::TooLarge, Format::Gif, width, height);
    if (tooManyPixels(frame.Width, frame.Height))
        return refused(Fault::TooLarge, Format::Gif, frame.Width, frame.Height);
    // What of the screen the frame leaves bare.
    const int visible = std::clamp(width - frame.Left, 0, frame.Width);
    const std::int64_t covered = std::int64_t(visible) * std::clamp(height - frame.Top, 0, frame.Height);
    if (std::int64_t(width) * height - covered > maxGroundPixels)
        return refused(Fault::TooLarge, Format::Gif, width, height);

    Decoded result;
    result.image = blankImage(width, height, transparent >= 0);
    if (result.image.null())
        return refused(Fault::TooLarge, Format::Gif, width, height);
    Image &image = result.image;
    const std::array<std::uint32_t, 256> colours = palette(gif, bytes, transparent);
    // Only a frame that leaves part of the screen bare needs a ground.
    if (frame.Left || frame.Top || frame.Width < width || frame.Height < height) {
        std::uint32_t fill = 0;
        if (transparent >= 0)
            fill = colours[std::size_t(transparent)];
        else if (gif.SColorMap)
            fill = colours[std::size_t(gif.SBackGroundColor & 0xFF)];
        std::fill_n(image.pixels.get(), std::size_t(width) * std::size_t(height), fill);
    }

    if (frame.Width == 0 || frame.Height == 0) {
        if (!skipData(gif))
            return gifFailure(gif);
        return result;
    }

    struct Pass {
        int first, step;
    };
    static constexpr Pass interlaced[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    static constexpr Pass straight[] = {{0, 1}};
    const std::span<const Pass> passes = frame.Interlace ? std::span<const Pass>(interlaced) : std::span<const Pass>(straight);
    // A row that lies whole on the screen is read straight into its place as
    // indexes, one byte a pixel, then turned into colours from its right end
    // back, so each index is read before its pixel's four bytes cover it.
    // Only a row that sticks out of the screen goes through a line of its own.
    std::vector<GifPixelType> line;
    for (const Pass &pass : passes)
        for (int row = pass.first; row < frame.Height; row += pass.step) {
            const int y = frame.Top + row;
            const bool onScreen = y < height && visible == frame.Width;
            GifPixelType *indexes = nullptr;
            if (onScreen) {
                indexes = reinterpret_cast<GifPixelType *>(image.row(y) + frame.Left);
            } else {
                line.resize(std::size_t(frame.Width));
                indexes = line.data();
            }
            if (DGifGetLine(&gif, indexes, frame.Width) == GIF_ERROR)
                return gifFailure(gif);
            if (y >= height || visible == 0)
                continue;
            std::uint32_t *out = image.row(y) + frame.Left;
            for (int x = visible - 1; x >= 0; --x)
                out[x] = colours[indexes[x]];
        }
    return result;
}

} // namespace

Decoded decodeGif(std::span<const std::uint8_t> bytes)
{
    GifInput input{bytes};
    int error = D_GIF_SUCCEEDED;
    const GifFile gif(DGifOpen(&input, gifRead, &error));
    if (!gif) {
        if (error == D_GIF_ERR_NOT_ENOUGH_MEM && !input.ranOut)
            return refused(Fault::TooLarge, Format::Gif);
        return gifFailure(nullptr, input);
    }

    // A graphic control extension sets the transparent index of the image
    // that follows it.
    int transparent = -1;
    Decoded first;
    bool drawn = false;
    int frames = 0;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return gifFailure(*gif);
        switch (record) {
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                return gifFailure(*gif);
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                transparent = (block[1] & 1) ? block[4] : -1;
            while (block)
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    return gifFailure(*gif);
            break;
        }
        case IMAGE_DESC_RECORD_TYPE:
            if (++frames > maxFrames)
                return refused(Fault::TooManyFrames, Format::Gif, gif->SWidth, gif->SHeight);
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
                return gifFailure(*gif);
            if (drawn) {
                // A later frame is read to its end but not drawn: only the
                // first is shown.
                if (!skipData(*gif))
                    return gifFailure(*gif);
            } else {
                first = drawFirstFrame(*gif, bytes, transparent);
                if (first.fault != Fault::None)
                    return first;
                drawn = true;
            }
            // giflib keeps a record of every frame it has read; none is
            // needed once read, and a file of a million empty frames would
            // otherwise keep a million.
            GifFreeSavedImages(gif.get());
            gif->ImageCount = 0;
            break;
        case TERMINATE_RECORD_TYPE:
            // Whatever follows the trailer is never read.
            if (!drawn)
                return refused(Fault::Damaged, Format::Gif);
            return first;
        default:
            return refused(Fault::Damaged, Format::Gif);
        }
    }
}

} // namespace barmen::pictures::detail
