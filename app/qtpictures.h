#pragma once

#include <QImage>
#include <QPixmap>

#include "engine/screen.h"

namespace barmen {

// A decoded picture, ready for an image control.
class QtPicture final : public Picture {
public:
    explicit QtPicture(QImage image) : m_image(std::move(image)) {}
    QPixmap pixmap() const { return QPixmap::fromImage(m_image); }

private:
    QImage m_image;
};

// Reads JPEG and GIF files by the name the story gives, relative to the
// current folder, anew at every call, and decodes them with decodePicture.
// Every refusal comes with the reason in Korean: missing, a link to nothing,
// a folder or other non-file, too large, unreadable, empty, or what the
// decoder found.
class QtPictureSource final : public PictureSource {
public:
    PictureLoad load(std::string_view file) override;
};

} // namespace barmen
