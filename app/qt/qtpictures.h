#pragma once

#include <QImage>
#include <QPixmap>

#include "engine/screen.h"
#include "pictures/picture.h"

namespace barmen {

// A decoded picture, ready for an image control: the pixmap is made when the
// picture is loaded, so a picture that could not become one is refused
// before anything on screen changes.
class QtPicture final : public Picture {
public:
    explicit QtPicture(QPixmap pixmap) : m_pixmap(std::move(pixmap)) {}
    QPixmap pixmap() const { return m_pixmap; }

private:
    QPixmap m_pixmap;
};

// The decoded pixels as a QImage, without a copy: the image owns them and
// frees them when its last copy goes. Premultiplied ARGB32 (in place) when
// the picture may hold clear pixels, RGB32 otherwise; null for a null picture.
QImage toQImage(pictures::Image image);

// A picture built into the program (a Qt resource path), decoded as the
// story's pictures are; null if it is not there or does not decode.
QPixmap builtInPixmap(const QString &resource);

// Reads JPEG and GIF files by the name the story gives, relative to the
// current folder, anew at every call, through pictures::load. Every refusal
// comes with the reason in Korean: missing, a link to nothing, a folder or
// other non-file, too large, unreadable, empty, or what the decoder found.
class QtPictureSource final : public PictureSource {
public:
    PictureLoad load(std::string_view file) override;
};

} // namespace barmen
