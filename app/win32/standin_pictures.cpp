// A stand-in for the core's picture loader (pictures/load.h, pictures/decode.h)
// while that is not yet built for Windows: libjpeg-turbo and giflib straight
// into the plain picture, with short reasons. Built only when the core has no
// barmen_pictures library; the core's own decoder replaces it.

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>

#include "pictures/decode.h"
#include "pictures/load.h"
#include "system/files.h"

namespace barmen::pictures {

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

Decoded jpeg(std::span<const std::uint8_t> bytes)
{
    jpeg_decompress_struct cinfo{};
    JpegError error{};
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegError *>(c->err)->back, 1); };
    error.manager.output_message = [](j_common_ptr) {};
    Image image;
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&cinfo);
        return {{}, Fault::Damaged, "손상된 JPEG 그림입니다"};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    image.width = int(cinfo.output_width);
    image.height = int(cinfo.output_height);
    image.pixels = std::make_unique<std::uint32_t[]>(std::size_t(image.width) * std::size_t(image.height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(image.row(int(cinfo.output_scanline)));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return {std::move(image), Fault::None, {}};
}

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

Decoded gif(std::span<const std::uint8_t> bytes)
{
    Reader reader{bytes};
    int error = 0;
    GifFileType *file = DGifOpen(&reader, [](GifFileType *f, GifByteType *out, int n) {
        auto *r = static_cast<Reader *>(f->UserData);
        const std::size_t take = std::min<std::size_t>(std::size_t(n), r->bytes.size() - r->at);
        std::memcpy(out, r->bytes.data() + r->at, take);
        r->at += take;
        return int(take);
    }, &error);
    if (!file)
        return {{}, Fault::Damaged, "손상된 GIF 그림입니다"};
    if (DGifSlurp(file) != GIF_OK || file->ImageCount < 1) {
        const bool cut = file->Error == D_GIF_ERR_READ_FAILED || file->Error == D_GIF_ERR_EOF_TOO_SOON;
        DGifCloseFile(file, &error);
        return {{}, cut ? Fault::CutOff : Fault::Damaged, cut ? "그림 파일이 중간에 끊겼습니다" : "손상된 GIF 그림입니다"};
    }
    const SavedImage &frame = file->SavedImages[0];
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(file, 0, &control);
    const ColorMapObject *colours = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : file->SColorMap;
    Image image;
    image.width = file->SWidth;
    image.height = file->SHeight;
    image.transparent = control.TransparentColor != NO_TRANSPARENT_COLOR;
    const std::size_t n = std::size_t(image.width) * std::size_t(image.height);
    image.pixels = std::make_unique<std::uint32_t[]>(n);
    std::fill_n(image.pixels.get(), n, image.transparent ? 0x00FFFFFFu : 0xFF000000u);
    const GifImageDesc &d = frame.ImageDesc;
    for (int y = 0; y < d.Height; ++y)
        for (int x = 0; x < d.Width; ++x) {
            const int sx = d.Left + x, sy = d.Top + y;
            if (sx >= image.width || sy >= image.height || !colours)
                continue;
            const int index = frame.RasterBits[y * d.Width + x];
            if (index == control.TransparentColor || index >= colours->ColorCount)
                continue;
            const GifColorType c = colours->Colors[index];
            image.row(sy)[sx] = 0xFF000000u | (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
        }
    DGifCloseFile(file, &error);
    return {std::move(image), Fault::None, {}};
}

} // namespace

Decoded decode(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return jpeg(bytes);
    if (bytes.size() >= 6 && std::memcmp(bytes.data(), "GIF8", 4) == 0)
        return gif(bytes);
    return {{}, Fault::NotAPicture, "JPEG나 GIF 그림이 아닙니다"};
}

Loaded load(std::string_view file)
{
    const system::Read read = system::readFile(std::string(file), maxFileBytes);
    if (read.kind == system::Found::Missing)
        return {{}, "파일이 없습니다"};
    if (read.kind != system::Found::Plain || read.problem)
        return {{}, read.problem ? system::reason(read.problem) : "보통 파일이 아닙니다"};
    if (read.bytes.empty())
        return {{}, "빈 파일입니다"};
    Decoded decoded = decode({reinterpret_cast<const std::uint8_t *>(read.bytes.data()), read.bytes.size()});
    return {std::move(decoded.image), std::move(decoded.reason)};
}

} // namespace barmen::pictures
