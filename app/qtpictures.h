#pragma once

#include <QImage>
#include <QPixmap>

#include "engine/screen.h"

namespace barmen {

// A picture decoded by Qt, ready for an image control.
class QtPicture final : public Picture {
public:
    explicit QtPicture(QImage image) : m_image(std::move(image)) {}
    QPixmap pixmap() const { return QPixmap::fromImage(m_image); }

private:
    QImage m_image;
};

// Reads JPEG and GIF files by the name the story gives, relative to the
// current folder, anew at every call. A GIF gives its first frame with its
// transparent colour.
class QtPictureSource final : public PictureSource {
public:
    PictureLoad load(std::string_view file) override;
};

} // namespace barmen
