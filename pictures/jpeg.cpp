// JPEG through libjpeg-turbo, straight into the rows of the picture.

#include <bit>
#include <csetjmp>
#include <cstdio>   // before jpeglib.h, which uses FILE without declaring it
#include <cstdint>
#include <span>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "pictures/formats.h"

namespace barmen::pictures::detail {

namespace {

// A progressive file may hold any number of scans, and each one walks the
// whole picture again: the work is the scans times the blocks. The game's
// pictures are 600 × 400, some 6,000 blocks; a progressive one of ten scans
// is 60,000 block-scans. A block-scan full of coefficients takes libjpeg some
// 60 ns, so the budget lets through the scans real encoders write (ten or
// so) over pictures many times the window's size, in a quarter of a second
// at the most, and stops a small file of hundreds of scans over a large
// picture in a fraction of that instead of the many seconds it would take.
constexpr std::int64_t maxBlockScans = 4'000'000;
// Each scan costs something of its own, however few its blocks.
constexpr int maxScans = 500;
// What libjpeg may hold beside the picture: a progressive or multi-scan file
// keeps every block of the whole picture (2 bytes a sample) until its last
// scan. The game's own pictures take under 2 MB; beyond this the file is
// refused as too large rather than kept in memory twice over.
constexpr long maxLibraryMemory = 24L * 1024 * 1024;

struct JpegErrors : jpeg_error_mgr {
    std::jmp_buf jump;
    int code = 0;            // the message that stopped the decoder
    bool overBudget = false; // stopped by the work budget, not by libjpeg
};

// The progress hook, with the size of the picture in blocks.
struct JpegProgress : jpeg_progress_mgr {
    std::int64_t blocks = 0;
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
    const auto *progress = static_cast<const JpegProgress *>(jpeg->progress);
    if (jpeg->input_scan_number > maxScans || std::int64_t(jpeg->input_scan_number) * progress->blocks > maxBlockScans) {
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
    for (int c = 0; c < jpeg.num_components; ++c)
        progress.blocks += std::int64_t(jpeg.comp_info[c].width_in_blocks) * jpeg.comp_info[c].height_in_blocks;

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
        return refused(Fault::TooLarge, Format::Jpeg, width, height);
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
