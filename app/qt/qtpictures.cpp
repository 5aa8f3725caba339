#include "app/qt/qtpictures.h"

#include <utility>

#include "pictures/decode.h"
#include "pictures/load.h"

namespace barmen {

namespace {

void freePixels(void *pixels)
{
    delete[] static_cast<std::uint32_t *>(pixels);
}

} // namespace

QImage toQImage(pictures::Image image)
{
    if (image.null())
        return {};
    const int width = image.width, height = image.height;
    const QImage::Format format = image.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    std::uint32_t *pixels = image.pixels.release();
    QImage wrapped(reinterpret_cast<uchar *>(pixels), width, height, qsizetype(width) * 4, format, freePixels, pixels);
    // A QImage that could not be made never frees what it was given.
    if (wrapped.isNull())
        freePixels(pixels);
    return wrapped;
}

PictureLoad QtPictureSource::load(std::string_view file)
{
    pictures::Loaded loaded = pictures::load(file);
    if (loaded.image.null())
        return {nullptr, loaded.problem, loaded.detail};
    const int width = loaded.image.width, height = loaded.image.height;
    QImage image = toQImage(std::move(loaded.image));
    // Made now, before the scene changes anything: when memory runs short the
    // pixmap comes out null, and the picture would silently show nothing.
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    if (pixmap.isNull())
        return {nullptr, {Failure::TooManyPixels}, {{}, width, height}};
    return {std::make_unique<QtPicture>(std::move(pixmap)), {}, {}};
}

} // namespace barmen
