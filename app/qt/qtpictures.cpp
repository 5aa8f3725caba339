#include "app/qt/qtpictures.h"

#include <utility>

#include <QResource>

#include "pictures/decode.h"
#include "pictures/load.h"

namespace barmen {

namespace {

void freePixels(void *pixels)
{
    delete[] static_cast<std::uint32_t *>(pixels);
}

// Qt draws clear pixels from premultiplied colours only, and would make a
// whole premultiplied copy of a picture it was handed in any other form.
// The decoder's pixels are clear or solid (pictures/picture.h), so in place
// it is only the clear ones made 0, and the picture is drawn from the very
// pixels decoded. Eight at a time, free of branches, so that the compiler
// does each eight at once.
void premultiply(std::uint32_t *pixels, std::size_t count)
{
    const auto clear = [](std::uint32_t pixel) { return pixel >> 24 ? pixel : 0; };
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint32_t *run = pixels + i;
        for (int k = 0; k < 8; ++k)
            run[k] = clear(run[k]);
    }
    for (; i < count; ++i)
        pixels[i] = clear(pixels[i]);
}

} // namespace

QImage toQImage(pictures::Image image)
{
    if (image.null())
        return {};
    const int width = image.width, height = image.height;
    if (image.transparent)
        premultiply(image.pixels.get(), std::size_t(width) * std::size_t(height));
    const QImage::Format format = image.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
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
    // Made now, before the scene changes anything: where Qt still converts
    // (a 16-bit screen) and memory runs short, the pixmap comes out null, and
    // the picture would silently show nothing.
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    if (pixmap.isNull())
        return {nullptr, {Failure::TooManyPixels}, {{}, width, height}};
    return {std::make_unique<QtPicture>(std::move(pixmap)), {}, {}};
}

QPixmap builtInPixmap(const QString &resource)
{
    // Decoded as the story's pictures are, and kept by nobody but the
    // control that shows it: QPixmap's own loading would bring in Qt's image
    // plugins at start-up, and keep the picture cached after it is gone
    // from the screen for good.
    const QByteArray bytes = QResource(resource).uncompressedData();
    pictures::Decoded decoded = pictures::decode(
        std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
    return QPixmap::fromImage(toQImage(std::move(decoded.image)));
}

} // namespace barmen
