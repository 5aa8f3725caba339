#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace barmen {

// What kept a file's bytes from becoming a picture.
enum class PictureFault {
    None,
    NotAPicture,   // neither JPEG nor GIF
    CutOff,        // the data ends before the picture does
    Damaged,       // the decoder found data that makes no sense
    Unsupported,   // a JPEG of a kind the game cannot show (12-bit, unknown colours)
    TooLarge,      // more pixels than a picture of any sensible size
};

struct DecodedPicture {
    QImage image;              // null unless fault is None
    PictureFault fault = PictureFault::None;
    QString reason;            // for the player, in Korean; empty when decoded
};

// Decodes a whole JPEG or GIF file, chosen by its first bytes, never by its
// name. The decoder decides whether the file is whole: any warning of libjpeg
// or error of giflib refuses the picture, and a GIF must reach its trailer.
// Bytes after the JPEG's EOI marker or the GIF's trailer are ignored. A GIF
// gives its first frame on its logical screen, its transparent colour clear,
// as Qt's own reader draws it.
DecodedPicture decodePicture(QByteArrayView bytes);

// No picture may hold more than Qt's own readers allow by default (256 MiB of
// 32-bit pixels), so a tiny file cannot ask for gigabytes.
inline constexpr qint64 maxPicturePixels = 256LL * 1024 * 1024 / 4;

} // namespace barmen
