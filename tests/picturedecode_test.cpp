// The picture decoder on every kind of file a player's folder may hold: the
// game's own pictures drawn exactly as Qt's readers draw them, whole files
// with padding behind them, and files cut at every offset or damaged.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

#include "app/picturedecode.h"
#include "gamefolder.h"

namespace barmen {
namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A sample, or else one of the game's pictures.
QByteArray sample(const char *name)
{
    const QString file = QString::fromUtf8(name);
    const QDir samples(QStringLiteral(BARMEN_SAMPLES_DIR));
    return readFile(samples.exists(file) ? samples.filePath(file) : QDir(QStringLiteral(BARMEN_ASSETS_DIR)).filePath(file));
}

QImage decodedByQt(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    return reader.read();
}

// How many pixels differ, or -1 when the pictures differ in size or format.
qint64 differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return -1;
    qint64 n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

const char *const samples[] = {
    "baseline.jpg", "progressive.jpg", "odd-size-444.jpg", "grey.jpg", "cmyk.jpg",
    "transparent.gif", "interlaced.gif", "opaque.gif", "two-frames.gif", "frame.gif",
};

// The 24 pictures, the two defaults compiled into the window and every sample:
// the same size, format and pixels as Qt's own readers give, so the game looks
// as it did when Qt decoded its pictures.
TEST(PictureDecode, drawsEveryPictureExactlyAsQtDoes)
{
    QStringList files;
    const QDir assets(QStringLiteral(BARMEN_ASSETS_DIR));
    for (std::string_view name : test::gamePictures())
        files << assets.filePath(test::qtString(name));
    files << assets.filePath(QStringLiteral("default/default-bg.jpg")) << assets.filePath(QStringLiteral("default/default-ch.gif"));
    for (const char *name : samples)
        files << QDir(QStringLiteral(BARMEN_SAMPLES_DIR)).filePath(QLatin1String(name));
    ASSERT_EQ(files.size(), 36);

    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = readFile(file);
        ASSERT_FALSE(bytes.isEmpty());
        const DecodedPicture ours = decodePicture(bytes);
        const QImage qt = decodedByQt(bytes);
        ASSERT_FALSE(qt.isNull());
        ASSERT_EQ(ours.fault, PictureFault::None) << ours.reason.toStdString();
        EXPECT_TRUE(ours.reason.isEmpty());
        EXPECT_EQ(ours.image.size(), qt.size());
        EXPECT_EQ(ours.image.format(), qt.format());
        EXPECT_EQ(differingPixels(ours.image, qt), 0);
    }
}

// What the samples are for: the transparent colour is clear, a frame smaller
// than its screen stands where its descriptor puts it, and of two frames only
// the first shows.
TEST(PictureDecode, transparencyFramesAndScreens)
{
    const QImage figure = decodePicture(sample("transparent.gif")).image;
    ASSERT_FALSE(figure.isNull());
    EXPECT_TRUE(figure.hasAlphaChannel());
    EXPECT_EQ(qAlpha(figure.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(figure.pixel(12, 20)), 255);

    const QImage framed = decodePicture(sample("frame.gif")).image;
    ASSERT_EQ(framed.size(), QSize(48, 40));
    EXPECT_EQ(differingPixels(framed.copy(12, 4, 24, 32), figure), 0);
    EXPECT_EQ(qAlpha(framed.pixel(47, 39)), 0);

    const QImage animated = decodePicture(sample("two-frames.gif")).image;
    EXPECT_EQ(differingPixels(animated, figure), 0) << "not the first frame";
    EXPECT_EQ(differingPixels(decodePicture(sample("interlaced.gif")).image, figure), 0);
    EXPECT_FALSE(decodePicture(sample("opaque.gif")).image.hasAlphaChannel());
    EXPECT_EQ(decodePicture(sample("grey.jpg")).image.format(), QImage::Format_Grayscale8);
}

// A file cut at any offset at all is refused as cut off, whatever byte it
// ends on: ';' and FF D9 are as likely inside the data as at its end.
TEST(PictureDecode, everyCutOffsetIsRefusedAsCutOff)
{
    for (const char *name : {"baseline.jpg", "progressive.jpg", "cmyk.jpg", "transparent.gif", "interlaced.gif",
                             "two-frames.gif"}) {
        const QByteArray whole = sample(name);
        ASSERT_FALSE(whole.isEmpty()) << name;
        int refused = 0;
        for (qsizetype cut = 1; cut < whole.size(); ++cut) {
            const DecodedPicture d = decodePicture(whole.first(cut));
            const bool right = d.image.isNull() && d.fault == PictureFault::CutOff && d.reason.contains(QStringLiteral("잘려"));
            EXPECT_TRUE(right) << name << " cut at " << cut << " of " << whole.size() << ": " << d.reason.toStdString();
            refused += right;
        }
        std::printf("  %s: %d of %lld cut offsets refused as cut off\n", name, refused, qlonglong(whole.size() - 1));
    }
    // In the game's own pictures, just after every byte that could pass for a
    // file's last: the trailer ';' of a GIF, the D9 of a JPEG's EOI marker.
    for (auto [name, last] : {std::pair{"시작.gif", ';'}, std::pair{"배경1.jpg", '\xD9'}}) {
        const QByteArray whole = sample(name);
        ASSERT_FALSE(whole.isEmpty()) << name;
        int cuts = 0, refused = 0;
        for (qsizetype cut = whole.indexOf(last); cut >= 0 && cut + 1 < whole.size(); cut = whole.indexOf(last, cut + 1)) {
            const DecodedPicture d = decodePicture(whole.first(cut + 1));
            EXPECT_EQ(int(d.fault), int(PictureFault::CutOff)) << name << " cut at " << cut + 1 << ": " << d.reason.toStdString();
            ++cuts;
            refused += d.fault == PictureFault::CutOff;
        }
        EXPECT_GT(cuts, 10) << name;
        std::printf("  %s: %d of %d cuts just after a possible last byte refused as cut off\n", name, refused, cuts);
    }
}

// Editing tools leave a newline or zero bytes behind a picture; the decoder
// stops at the end marker and never sees them.
TEST(PictureDecode, bytesAfterTheEndAreIgnored)
{
    const QByteArray paddings[] = {QByteArray("\n"), QByteArray("\r\n"), QByteArray(4096, '\0'),
                                   QByteArray("\xFF\xD8\xFF junk;;;", 12), QByteArray("GIF89a")};
    for (const char *name : samples) {
        const QByteArray whole = sample(name);
        const QImage plain = decodePicture(whole).image;
        ASSERT_FALSE(plain.isNull()) << name;
        for (const QByteArray &padding : paddings) {
            const DecodedPicture d = decodePicture(whole + padding);
            EXPECT_EQ(d.fault, PictureFault::None) << name << " + " << padding.size() << " bytes: " << d.reason.toStdString();
            EXPECT_EQ(differingPixels(d.image, plain), 0) << name;
        }
    }
}

// Warnings about a file's labels alone leave its pixels as they are: a newer
// JFIF revision or an Adobe marker with an unknown colour code still shows.
TEST(PictureDecode, harmlessLabelWarningsDoNotRefuseAPicture)
{
    const QByteArray whole = sample("baseline.jpg");
    ASSERT_EQ(whole.mid(6, 5), QByteArray("JFIF\0", 5));
    QByteArray newerJfif = whole;
    newerJfif[11] = 2;   // JFIF 2.01: libjpeg warns that it does not know the revision
    const DecodedPicture d = decodePicture(newerJfif);
    EXPECT_EQ(d.fault, PictureFault::None) << d.reason.toStdString();
    EXPECT_EQ(differingPixels(d.image, decodePicture(whole).image), 0);
}

// Writes a little-endian or big-endian 16-bit number into the bytes.
void put16(QByteArray &b, qsizetype at, int value, bool bigEndian)
{
    b[at + (bigEndian ? 0 : 1)] = char(value >> 8);
    b[at + (bigEndian ? 1 : 0)] = char(value & 0xFF);
}

qsizetype jpegMarker(const QByteArray &b, uchar marker)
{
    return b.indexOf(QByteArray("\xFF", 1) + char(marker));
}

struct Damage {
    const char *name;
    const char *file;
    std::function<QByteArray(QByteArray)> damage;
    PictureFault fault;
    const char *reason;
};

const Damage damages[] = {
    // The entropy-coded data zeroed in the middle, the file still ending in FF
    // D9. (In a picture as small as the samples, zeros can decode as flat
    // blocks without a word from libjpeg; in one of the game's they cannot.)
    {"a JPEG zeroed in the middle", "배경1.jpg",
     [](QByteArray b) {
         const qsizetype from = jpegMarker(b, 0xDA) + 20;
         b.replace(from, (b.size() - 2 - from) / 2, QByteArray((b.size() - 2 - from) / 2, '\0'));
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a progressive JPEG zeroed in the middle", "progressive.jpg",
     [](QByteArray b) {
         const qsizetype from = b.size() / 2;
         b.replace(from, 64, QByteArray(64, '\0'));
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a JPEG with bytes inverted in its data", "baseline.jpg",
     [](QByteArray b) {
         for (qsizetype i = jpegMarker(b, 0xDA) + 30; i < b.size() - 40; i += 7)
             b[i] = char(~b[i]);
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a JPEG of 12-bit samples", "baseline.jpg",
     [](QByteArray b) {
         b[jpegMarker(b, 0xC0) + 4] = 12;
         return b;
     },
     PictureFault::Unsupported, "보여 줄 수 없는"},
    {"a JPEG claiming 60000 x 60000 pixels", "baseline.jpg",
     [](QByteArray b) {
         const qsizetype sof = jpegMarker(b, 0xC0);
         put16(b, sof + 5, 60000, true);
         put16(b, sof + 7, 60000, true);
         return b;
     },
     PictureFault::TooLarge, "너무 큽니다"},
    {"a GIF zeroed in the middle", "transparent.gif",
     [](QByteArray b) {
         b.replace(b.size() / 2, 20, QByteArray(20, '\0'));
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a GIF with a stray byte where a record starts", "two-frames.gif",
     [](QByteArray b) {
         b.insert(b.size() - 1, 'x');
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a GIF with no picture in it", "transparent.gif",
     [](QByteArray b) {
         const qsizetype globalColours = (uchar(b[10]) & 0x80) ? 3 * (2 << (uchar(b[10]) & 7)) : 0;
         return b.first(13 + globalColours) + ';';
     },
     PictureFault::Damaged, "손상"},
    {"a GIF whose data ends before its last row", "opaque.gif",
     [](QByteArray b) {
         // The frame claims twice its rows; the data ends where it did.
         const qsizetype at = b.indexOf(',');
         put16(b, at + 7, 64, false);
         put16(b, 8, 64, false);
         return b;
     },
     PictureFault::Damaged, "손상"},
    {"a GIF claiming a screen of 60000 x 60000", "transparent.gif",
     [](QByteArray b) {
         put16(b, 6, 60000, false);
         put16(b, 8, 60000, false);
         return b;
     },
     PictureFault::TooLarge, "너무 큽니다"},
    {"a text file", "baseline.jpg", [](QByteArray) { return QByteArray("이것은 그림이 아니라 글입니다.\r\n"); },
     PictureFault::NotAPicture, "그림으로 읽을 수 없습니다"},
    {"a PNG", "baseline.jpg",
     [](QByteArray b) {
         QByteArray png;
         QBuffer buffer(&png);
         buffer.open(QIODevice::WriteOnly);
         decodedByQt(b).save(&buffer, "PNG");
         return png;
     },
     PictureFault::NotAPicture, "JPEG도 GIF도"},
    {"bytes before the JPEG's start", "baseline.jpg", [](QByteArray b) { return QByteArray("\n") + b; },
     PictureFault::NotAPicture, "JPEG도 GIF도"},
};

TEST(PictureDecode, damagedFilesAreRefusedWithWhatIsWrong)
{
    for (const Damage &d : damages) {
        SCOPED_TRACE(d.name);
        const QByteArray whole = sample(d.file);
        ASSERT_FALSE(decodePicture(whole).image.isNull());
        const DecodedPicture result = decodePicture(d.damage(whole));
        EXPECT_TRUE(result.image.isNull());
        EXPECT_EQ(int(result.fault), int(d.fault)) << result.reason.toStdString();
        EXPECT_TRUE(result.reason.contains(QString::fromUtf8(d.reason))) << result.reason.toStdString();
        // The player reads Korean, never the C libraries' English.
        QString words = result.reason;
        words.remove(QStringLiteral("JPEG")).remove(QStringLiteral("GIF"));
        EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << result.reason.toStdString();
    }
}

} // namespace
} // namespace barmen
