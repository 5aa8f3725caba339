// JPEG through libjpeg-turbo, straight into the rows of the picture.

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>   // before jpeglib.h, which uses FILE without declaring it
#include <cstdint>
#include <cstring>
#include <span>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "pictures/formats.h"

namespace barmen::pictures::detail {

namespace {

// A progressive file may hold any number of scans, and each one walks every
// block of the components it covers again, and in each block the
// coefficients of its band; then every block is turned into pixels once.
// That is the work counted here, in coefficients visited, a block's own
// cost standing for eight more. Measured on this machine over noise at the
// finest quality (the dearest data libjpeg meets) it costs 4 to 7 ns a
// unit, the most for a baseline picture, so the budget keeps any picture it
// lets through near a tenth of a second and both pictures of a scene within
// a quarter. The game's own 600 × 400 pictures take 0.8 million; a colour
// baseline picture at the pixel limit 14.2 million, so only scans, or more
// than three components, can reach the budget.
constexpr std::int64_t blockOverhead = 8;
constexpr std::int64_t maxWork = 15'000'000;
// Each scan costs something of its own, however few its blocks, and no
// encoder writes more than a few dozen.
constexpr int maxScans = 100;
// What libjpeg may hold beside the picture: a progressive or multi-scan file
// keeps every block of the whole picture (2 bytes a sample) until its last
// scan, 12 MB for a colour picture at the pixel limit. The game's own
// pictures take under 2 MB; beyond this the file is refused as too large
// rather than kept in memory twice over.
constexpr long maxLibraryMemory = 16L * 1024 * 1024;

constexpr std::int64_t scanWork(std::int64_t blocks, int first, int last)
{
    return blocks * (std::int64_t(last) - first + 1 + blockOverhead);
}

// The final pass: every block of the picture through the inverse transform.
constexpr std::int64_t outputWork(std::int64_t blocks)
{
    return scanWork(blocks, 0, 63);
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return (a + b - 1) / b;
}

// What the markers alone say of a file, before any picture data is decoded:
// its size, its scans and the work they ask for. The entropy-coded data
// between them is only looked through for the next marker, a byte FF not
// followed by 00 or a restart. Anything the survey does not understand ends
// it, and libjpeg then says what is wrong: the survey only ever refuses.
struct Survey {
    Fault fault = Fault::None;
    std::int64_t width = 0, height = 0;
};

Survey survey(std::span<const std::uint8_t> bytes)
{
    Survey result;
    struct Component {
        int id, h, v;
        std::int64_t blocks;
    };
    Component components[4] = {};
    int count = 0, hMax = 1, vMax = 1;
    bool framed = false, sequential = false;
    int scans = 0;
    std::int64_t work = 0;
    const std::size_t size = bytes.size();
    auto at16 = [&](std::size_t i) { return std::size_t(bytes[i]) << 8 | bytes[i + 1]; };
    std::size_t p = 2;   // past SOI
    for (;;) {
        if (p + 1 >= size || bytes[p] != 0xFF)
            return result;
        while (p + 1 < size && bytes[p + 1] == 0xFF)
            ++p;
        if (p + 1 >= size)
            return result;
        const std::uint8_t code = bytes[p + 1];
        if (code == 0xD9)
            return result;
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {
            p += 2;
            continue;
        }
        if (p + 3 >= size)
            return result;
        const std::size_t length = at16(p + 2);
        const std::size_t segment = p + 4, end = p + 2 + length;
        if (length < 2 || end > size)
            return result;
        // Frames decoded scan by scan, Huffman or arithmetic; libjpeg refuses the rest.
        const bool frame = code == 0xC0 || code == 0xC1 || code == 0xC2 || code == 0xC9 || code == 0xCA;
        if (frame) {
            if (framed || length < 8)
                return result;
            result.height = std::int64_t(at16(segment + 1));
            result.width = std::int64_t(at16(segment + 3));
            count = bytes[segment + 5];
            if (count < 1 || count > 4 || length < std::size_t(8 + 3 * count))
                return result;
            // Cheapest first: a size refused costs nothing more.
            if (tooManyPixels(result.width, result.height)) {
                result.fault = Fault::TooLarge;
                return result;
            }
            for (int c = 0; c < count; ++c) {
                const std::uint8_t *f = bytes.data() + segment + 6 + 3 * c;
                components[c] = {f[0], f[1] >> 4, f[1] & 15, 0};
                if (components[c].h < 1 || components[c].h > 4 || components[c].v < 1 || components[c].v > 4)
                    return result;
                hMax = std::max(hMax, components[c].h);
                vMax = std::max(vMax, components[c].v);
            }
            std::int64_t blocks = 0;
            for (int c = 0; c < count; ++c) {
                Component &k = components[c];
                k.blocks = ceilDiv(ceilDiv(result.width * k.h, hMax), 8) * ceilDiv(ceilDiv(result.height * k.v, vMax), 8);
                blocks += k.blocks;
            }
            work = outputWork(blocks);
            framed = true;
            sequential = code != 0xC2 && code != 0xCA;
        } else if (code == 0xDA) {
            if (!framed || length < 6)
                return result;
            const int inScan = bytes[segment];
            if (inScan < 1 || inScan > count || length != std::size_t(6 + 2 * inScan))
                return result;
            std::int64_t blocks = 0;
            if (inScan == 1) {
                for (int c = 0; c < count; ++c)
                    if (components[c].id == bytes[segment + 1])
                        blocks = components[c].blocks;
            } else {
                int perMcu = 0;
                for (int s = 0; s < inScan; ++s)
                    for (int c = 0; c < count; ++c)
                        if (components[c].id == bytes[segment + 1 + 2 * s])
                            perMcu += components[c].h * components[c].v;
                blocks = ceilDiv(result.width, 8 * hMax) * ceilDiv(result.height, 8 * vMax) * perMcu;
            }
            const std::size_t band = segment + 1 + 2 * std::size_t(inScan);
            // A sequential scan always carries the whole band, whatever it says.
            const int first = sequential ? 0 : bytes[band], last = sequential ? 63 : bytes[band + 1];
            if (last < first || last > 63)
                return result;
            work += scanWork(blocks, first, last);
            if (++scans > maxScans || work > maxWork) {
                result.fault = scans > 1 ? Fault::TooManyScans : Fault::TooLarge;
                return result;
            }
            // The scan's data, to the next marker.
            p = end;
            for (;;) {
                const auto *ff = static_cast<const std::uint8_t *>(std::memchr(bytes.data() + p, 0xFF, size - p));
                if (!ff || ff + 1 >= bytes.data() + size)
                    return result;
                p = std::size_t(ff - bytes.data());
                const std::uint8_t next = bytes[p + 1];
                if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                    p += 2;
                else if (next == 0xFF)
                    p += 1;
                else
                    break;
            }
            continue;
        }
        p = end;
    }
}

struct JpegErrors : jpeg_error_mgr {
    std::jmp_buf jump;
    int code = 0;            // the message that stopped the decoder
    bool overBudget = false; // stopped by the work budget, not by libjpeg
};

// The progress hook, counting the work of the scans as libjpeg reads them:
// the survey's count again, should libjpeg ever read a file otherwise.
struct JpegProgress : jpeg_progress_mgr {
    int scan = 0;
    std::int64_t work = 0;
};

[[noreturn]] void stop(j_common_ptr info, int code)
{
    auto *errors = static_cast<JpegErrors *>(info->err);
    errors->code = code;
    std::longjmp(errors->jump, 1);
}

extern "C" void jpegError(j_common_ptr info)
{
    stop(info, info->err->msg_code);
}

// A warning about the picture data is libjpeg saying it guessed: premature
// end of data, corrupt data or bytes it skipped. What it would draw then is
// not the picture, so such a warning stops it like an error. Warnings about
// the file's labels alone (a newer JFIF revision, an odd Adobe colour code, a
// broken colour profile, which it ignores) leave the pixels as drawn, and
// editing tools write them into good pictures.
extern "C" void jpegMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;   // trace messages
    switch (info->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return;
    default:
        break;
    }
    stop(info, info->err->msg_code);
}

extern "C" void jpegOutput(j_common_ptr) {}

// Called before each row of blocks libjpeg reads and each row it puts out.
extern "C" void jpegProgress(j_common_ptr info)
{
    auto *jpeg = reinterpret_cast<j_decompress_ptr>(info);
    auto *progress = static_cast<JpegProgress *>(jpeg->progress);
    if (jpeg->input_scan_number == progress->scan)
        return;
    progress->scan = jpeg->input_scan_number;
    std::int64_t blocks = 0;
    for (int c = 0; c < jpeg->comps_in_scan; ++c)
        blocks += std::int64_t(jpeg->cur_comp_info[c]->width_in_blocks) * jpeg->cur_comp_info[c]->height_in_blocks;
    const bool progressive = jpeg->progressive_mode;
    progress->work += scanWork(blocks, progressive ? jpeg->Ss : 0, progressive ? jpeg->Se : 63);
    if (progress->scan > maxScans || progress->work > maxWork) {
        static_cast<JpegErrors *>(info->err)->overBudget = true;
        stop(info, JMSG_NOMESSAGE);
    }
}

enum class JpegStep { Done, Jumped, Unsupported, TooLarge };

// Adobe writes CMYK inverted: each pixel drawn as Qt draws it, in place, the
// four samples of a pixel taking the place of its 32-bit colour.
void cmykToRgb(std::uint32_t *row, JDIMENSION width)
{
    auto *samples = reinterpret_cast<const std::uint8_t *>(row);
    for (JDIMENSION x = 0; x < width; ++x, samples += 4) {
        const std::uint32_t c = samples[0], m = samples[1], y = samples[2], k = samples[3];
        row[x] = 0xFF000000u | (k * c / 255) << 16 | (k * m / 255) << 8 | (k * y / 255);
    }
}

// Everything libjpeg does happens in here, and an error jumps out of the
// middle of it: nothing in this function may own memory or need a destructor.
// The picture lives in the caller; libjpeg's own memory in its pool.
JpegStep runJpeg(jpeg_decompress_struct &jpeg, JpegErrors &errors, JpegProgress &progress,
                 std::span<const std::uint8_t> bytes, Image &image)
{
    if (setjmp(errors.jump))
        return JpegStep::Jumped;
    jpeg_create_decompress(&jpeg);
    jpeg.mem->max_memory_to_use = maxLibraryMemory;
    jpeg.progress = &progress;
    jpeg_mem_src(&jpeg, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&jpeg, TRUE);

    switch (jpeg.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        // Straight into the rows of a 32-bit picture, opaque: libjpeg fills
        // the fourth byte with FF.
        jpeg.out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        jpeg.out_color_space = JCS_CMYK;
        break;
    default:
        return JpegStep::Unsupported;
    }
    if (tooManyPixels(jpeg.image_width, jpeg.image_height))
        return JpegStep::TooLarge;
    std::int64_t blocks = 0;
    for (int c = 0; c < jpeg.num_components; ++c)
        blocks += std::int64_t(jpeg.comp_info[c].width_in_blocks) * jpeg.comp_info[c].height_in_blocks;
    progress.work = outputWork(blocks);

    jpeg_start_decompress(&jpeg);
    image = blankImage(int(jpeg.output_width), int(jpeg.output_height), false);
    if (image.null())
        return JpegStep::TooLarge;
    const bool cmyk = jpeg.out_color_space == JCS_CMYK;
    while (jpeg.output_scanline < jpeg.output_height) {
        std::uint32_t *row = image.row(int(jpeg.output_scanline));
        JSAMPROW samples = reinterpret_cast<JSAMPROW>(row);
        jpeg_read_scanlines(&jpeg, &samples, 1);
        if (cmyk)
            cmykToRgb(row, jpeg.output_width);
    }
    // Reads on to the EOI marker, so damage after the last row still counts;
    // whatever follows the marker is never looked at.
    jpeg_finish_decompress(&jpeg);
    return JpegStep::Done;
}

} // namespace

Decoded decodeJpeg(std::span<const std::uint8_t> bytes)
{
    if (const Survey s = survey(bytes); s.fault != Fault::None)
        return refused(s.fault, Format::Jpeg, s.width, s.height);
    jpeg_decompress_struct jpeg{};
    JpegErrors errors;
    jpeg.err = jpeg_std_error(&errors);
    errors.error_exit = jpegError;
    errors.emit_message = jpegMessage;
    errors.output_message = jpegOutput;
    JpegProgress progress{};
    progress.progress_monitor = jpegProgress;

    Decoded result;
    const JpegStep step = runJpeg(jpeg, errors, progress, bytes, result.image);
    const std::int64_t width = jpeg.image_width, height = jpeg.image_height;
    jpeg_destroy_decompress(&jpeg);

    switch (step) {
    case JpegStep::Done:
        return result;
    case JpegStep::Unsupported:
        return refused(Fault::Unsupported, Format::Jpeg);
    case JpegStep::TooLarge:
        return refused(Fault::TooLarge, Format::Jpeg, width, height);
    case JpegStep::Jumped:
        break;
    }
    if (errors.overBudget)
        return refused(Fault::TooManyScans, Format::Jpeg, width, height);
    switch (errors.code) {
    case JWRN_JPEG_EOF:
        return refused(Fault::CutOff, Format::Jpeg);
    // 12-bit samples, colours libjpeg cannot turn into RGB, lossless and
    // hierarchical files.
    case JERR_BAD_PRECISION:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_NOT_COMPILED:
    case JERR_SOF_UNSUPPORTED:
    case JERR_ARITH_NOTIMPL:
        return refused(Fault::Unsupported, Format::Jpeg);
    // Over 65,500 pixels a side, or more memory than libjpeg is given.
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
    case JERR_TFILE_READ:
    case JERR_TFILE_SEEK:
    case JERR_TFILE_WRITE:
        return refused(Fault::TooLarge, Format::Jpeg, width, height);
    default:
        return refused(Fault::Damaged, Format::Jpeg);
    }
}

} // namespace barmen::pictures::detail
