#include "app/picturedecode.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>   // before jpeglib.h, which uses FILE without declaring it
#include <cstring>
#include <memory>
#include <span>
#include <vector>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
#include <gif_lib.h>
}

namespace barmen {

namespace {

enum class Kind { Jpeg, Gif };

QString formatName(Kind kind)
{
    return kind == Kind::Jpeg ? QStringLiteral("JPEG") : QStringLiteral("GIF");
}

DecodedPicture refused(PictureFault fault, Kind kind, QSize size = {})
{
    DecodedPicture result;
    result.fault = fault;
    switch (fault) {
    case PictureFault::None:
        break;
    case PictureFault::NotAPicture:
        result.reason = QStringLiteral("그림으로 읽을 수 없습니다: JPEG도 GIF도 아닌 파일입니다.");
        break;
    case PictureFault::CutOff:
        result.reason = QStringLiteral("%1 파일이 중간에 잘려 있습니다.").arg(formatName(kind));
        break;
    case PictureFault::Damaged:
        result.reason = QStringLiteral("%1 파일의 데이터가 손상되어 있습니다.").arg(formatName(kind));
        break;
    case PictureFault::Unsupported:
        result.reason = QStringLiteral("이 게임이 보여 줄 수 없는 종류의 %1 파일입니다.").arg(formatName(kind));
        break;
    case PictureFault::TooLarge:
        result.reason = QStringLiteral("그림이 너무 큽니다 (%1 × %2 화소).").arg(size.width()).arg(size.height());
        break;
    }
    return result;
}

bool tooManyPixels(qint64 width, qint64 height)
{
    return width * height > maxPicturePixels;
}

// ---- JPEG ----------------------------------------------------------------

// A progressive file may hold any number of scans, and each one walks the
// whole picture again; real files have about ten.
constexpr int maxJpegScans = 500;

struct JpegErrors : jpeg_error_mgr {
    std::jmp_buf jump;
    int code = 0;        // the message that stopped the decoder
    bool warned = false;
};

extern "C" void jpegError(j_common_ptr info)
{
    auto *errors = static_cast<JpegErrors *>(info->err);
    errors->code = errors->msg_code;
    std::longjmp(errors->jump, 1);
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
    auto *errors = static_cast<JpegErrors *>(info->err);
    errors->code = errors->msg_code;
    errors->warned = true;
    std::longjmp(errors->jump, 1);
}

extern "C" void jpegOutput(j_common_ptr) {}

extern "C" void jpegProgress(j_common_ptr info)
{
    auto *jpeg = reinterpret_cast<j_decompress_ptr>(info);
    if (jpeg->input_scan_number > maxJpegScans) {
        info->err->msg_code = JMSG_NOMESSAGE;
        jpegError(info);
    }
}

enum class JpegStep { Done, Jumped, Unsupported, TooLarge };

// Everything libjpeg does happens in here, and an error jumps out of the
// middle of it: nothing in this function may own memory or need a destructor.
// The picture lives in the caller; rows come from libjpeg's own pool.
JpegStep runJpeg(jpeg_decompress_struct &jpeg, JpegErrors &errors, jpeg_progress_mgr &progress,
                 QByteArrayView bytes, QImage &image)
{
    if (setjmp(errors.jump))
        return JpegStep::Jumped;
    jpeg_create_decompress(&jpeg);
    jpeg.progress = &progress;
    jpeg_mem_src(&jpeg, reinterpret_cast<const unsigned char *>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&jpeg, TRUE);

    QImage::Format format = QImage::Format_RGB32;
    switch (jpeg.jpeg_color_space) {
    case JCS_GRAYSCALE:
        jpeg.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case JCS_RGB:
    case JCS_YCbCr:
        // Straight into the rows of a 32-bit picture, opaque.
        jpeg.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
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

    jpeg_start_decompress(&jpeg);
    image = QImage(int(jpeg.output_width), int(jpeg.output_height), format);
    if (image.isNull())
        return JpegStep::TooLarge;
    const bool cmyk = jpeg.out_color_space == JCS_CMYK;
    JSAMPARRAY cmykRow = cmyk ? (jpeg.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&jpeg), JPOOL_IMAGE,
                                                         jpeg.output_width * 4, 1)
                              : nullptr;
    while (jpeg.output_scanline < jpeg.output_height) {
        const int y = int(jpeg.output_scanline);
        if (!cmyk) {
            JSAMPROW row = image.scanLine(y);
            jpeg_read_scanlines(&jpeg, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&jpeg, cmykRow, 1);
        // Adobe writes CMYK inverted; drawn as Qt draws it.
        const JSAMPLE *in = cmykRow[0];
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (JDIMENSION x = 0; x < jpeg.output_width; ++x, in += 4) {
            const int k = in[3];
            out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
        }
    }
    // Reads on to the EOI marker, so damage after the last row still counts;
    // whatever follows the marker is never looked at.
    jpeg_finish_decompress(&jpeg);
    return JpegStep::Done;
}

DecodedPicture decodeJpeg(QByteArrayView bytes)
{
    jpeg_decompress_struct jpeg{};
    JpegErrors errors;
    jpeg.err = jpeg_std_error(&errors);
    errors.error_exit = jpegError;
    errors.emit_message = jpegMessage;
    errors.output_message = jpegOutput;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = jpegProgress;

    DecodedPicture result;
    const JpegStep step = runJpeg(jpeg, errors, progress, bytes, result.image);
    const QSize size(int(jpeg.image_width), int(jpeg.image_height));
    jpeg_destroy_decompress(&jpeg);

    switch (step) {
    case JpegStep::Done:
        return result;
    case JpegStep::Unsupported:
        return refused(PictureFault::Unsupported, Kind::Jpeg);
    case JpegStep::TooLarge:
        return refused(PictureFault::TooLarge, Kind::Jpeg, size);
    case JpegStep::Jumped:
        break;
    }
    switch (errors.code) {
    case JWRN_JPEG_EOF:
        return refused(PictureFault::CutOff, Kind::Jpeg);
    case JERR_BAD_PRECISION:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_NOT_COMPILED:
        return refused(PictureFault::Unsupported, Kind::Jpeg);
    case JERR_OUT_OF_MEMORY:
        return refused(PictureFault::TooLarge, Kind::Jpeg, size);
    default:
        return refused(PictureFault::Damaged, Kind::Jpeg);
    }
}

// ---- GIF -----------------------------------------------------------------

struct GifInput {
    QByteArrayView bytes;
    qsizetype at = 0;
    bool ranOut = false;   // giflib asked for more than was left
};

extern "C" int gifRead(GifFileType *gif, GifByteType *to, int wanted)
{
    auto *input = static_cast<GifInput *>(gif->UserData);
    const qsizetype n = std::clamp<qsizetype>(input->bytes.size() - input->at, 0, std::max(wanted, 0));
    std::memcpy(to, input->bytes.data() + input->at, size_t(n));
    input->at += n;
    input->ranOut = input->ranOut || n < wanted;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType *gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// Judged by the reader rather than giflib's error code, which is not always
// set (a missing LZW code size leaves it as it was) and says "read failed"
// for some damage too.
DecodedPicture gifFailure(const GifInput &input)
{
    return refused(input.ranOut ? PictureFault::CutOff : PictureFault::Damaged, Kind::Gif);
}

const GifInput &inputOf(const GifFileType &gif)
{
    return *static_cast<const GifInput *>(gif.UserData);
}

constexpr QRgb clearWhite = 0x00FFFFFF;   // Qt's transparent GIF pixel

// The 256 colours an index may name, as Qt's reader resolves them: beyond
// the table's size transparent, without any table black, and the transparent
// index with its colour but no alpha.
std::array<QRgb, 256> palette(const GifFileType &gif, QByteArrayView bytes, int transparent)
{
    const ColorMapObject *map = gif.Image.ColorMap ? gif.Image.ColorMap : gif.SColorMap;
    const int declared = gif.Image.ColorMap ? gif.Image.ColorMap->ColorCount : 2 << (uchar(bytes[10]) & 7);
    std::array<QRgb, 256> colours{};
    for (int i = 0; i < 256; ++i) {
        QRgb c = 0;
        if (i > declared)
            c = clearWhite;
        else if (map && i < map->ColorCount)
            c = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        else if (map)
            c = clearWhite;
        colours[size_t(i)] = i == transparent ? c & clearWhite : c;
    }
    return colours;
}

// The first frame on the logical screen. The rows of an interlaced frame come
// in four passes.
DecodedPicture drawFirstFrame(GifFileType &gif, QByteArrayView bytes, int transparent)
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
        return refused(PictureFault::Damaged, Kind::Gif);
    if (tooManyPixels(width, height))
        return refused(PictureFault::TooLarge, Kind::Gif, {width, height});
    if (tooManyPixels(frame.Width, frame.Height))
        return refused(PictureFault::TooLarge, Kind::Gif, {frame.Width, frame.Height});

    DecodedPicture result;
    result.image = QImage(width, height, transparent >= 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (result.image.isNull())
        return refused(PictureFault::TooLarge, Kind::Gif, {width, height});
    const std::array<QRgb, 256> colours = palette(gif, bytes, transparent);
    // Only a frame that leaves part of the screen uncovered needs a ground.
    if (frame.Left || frame.Top || frame.Width < width || frame.Height < height) {
        QRgb fill = 0;
        if (transparent >= 0)
            fill = colours[size_t(transparent)];
        else if (gif.SColorMap)
            fill = colours[size_t(gif.SBackGroundColor & 0xFF)];
        result.image.fill(fill);
    }

    if (frame.Width == 0 || frame.Height == 0) {
        int codeSize = 0;
        GifByteType *block = nullptr;
        if (DGifGetCode(&gif, &codeSize, &block) == GIF_ERROR)
            return gifFailure(inputOf(gif));
        while (block)
            if (DGifGetCodeNext(&gif, &block) == GIF_ERROR)
                return gifFailure(inputOf(gif));
        return result;
    }

    struct Pass {
        int first, step;
    };
    static constexpr Pass interlaced[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    static constexpr Pass straight[] = {{0, 1}};
    const std::span<const Pass> passes = frame.Interlace ? std::span<const Pass>(interlaced) : std::span<const Pass>(straight);
    std::vector<GifPixelType> line(size_t(frame.Width));
    const int visible = std::clamp(width - frame.Left, 0, frame.Width);
    for (const Pass &pass : passes)
        for (int row = pass.first; row < frame.Height; row += pass.step) {
            if (DGifGetLine(&gif, line.data(), frame.Width) == GIF_ERROR)
                return gifFailure(inputOf(gif));
            const int y = frame.Top + row;
            if (y >= height || visible == 0)
                continue;
            auto *out = reinterpret_cast<QRgb *>(result.image.scanLine(y)) + frame.Left;
            for (int x = 0; x < visible; ++x)
                out[x] = colours[line[size_t(x)]];
        }
    return result;
}

// A later frame is read to its end but not drawn: only the first is shown.
bool skipFrame(GifFileType &gif)
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

DecodedPicture decodeGif(QByteArrayView bytes)
{
    GifInput input{bytes};
    int error = D_GIF_SUCCEEDED;
    const GifFile gif(DGifOpen(&input, gifRead, &error));
    if (!gif)
        return gifFailure(input);

    // A graphic control extension sets the transparent index of the image
    // that follows it.
    int transparent = -1;
    DecodedPicture first;
    bool drawn = false;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return gifFailure(input);
        switch (record) {
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                return gifFailure(input);
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                transparent = (block[1] & 1) ? block[4] : -1;
            while (block)
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    return gifFailure(input);
            break;
        }
        case IMAGE_DESC_RECORD_TYPE:
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
                return gifFailure(input);
            if (drawn) {
                if (!skipFrame(*gif))
                    return gifFailure(input);
                break;
            }
            first = drawFirstFrame(*gif, bytes, transparent);
            if (first.fault != PictureFault::None)
                return first;
            drawn = true;
            break;
        case TERMINATE_RECORD_TYPE:
            // Whatever follows the trailer is never read.
            if (!drawn)
                return refused(PictureFault::Damaged, Kind::Gif);
            return first;
        default:
            return refused(PictureFault::Damaged, Kind::Gif);
        }
    }
}

// The start of a signature and nothing more: a file cut before it was whole.
bool cutSignature(QByteArrayView bytes, QByteArrayView signature)
{
    return !bytes.isEmpty() && bytes.size() < signature.size() && signature.startsWith(bytes);
}

} // namespace

DecodedPicture decodePicture(QByteArrayView bytes)
{
    static constexpr QByteArrayView jpegStart("\xFF\xD8\xFF", 3);
    static constexpr QByteArrayView gif87("GIF87a", 6), gif89("GIF89a", 6);
    if (bytes.startsWith(jpegStart))
        return decodeJpeg(bytes);
    if (bytes.startsWith(gif87) || bytes.startsWith(gif89))
        return decodeGif(bytes);
    if (cutSignature(bytes, jpegStart))
        return refused(PictureFault::CutOff, Kind::Jpeg);
    if (cutSignature(bytes, gif87) || cutSignature(bytes, gif89))
        return refused(PictureFault::CutOff, Kind::Gif);
    return refused(PictureFault::NotAPicture, Kind::Jpeg);
}

} // namespace barmen
