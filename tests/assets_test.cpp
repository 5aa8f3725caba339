#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPoint>
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

#include "story/pictures.h"

namespace barmen {
namespace {

QByteArray readAsset(const QString &relative)
{
    QFile file(QDir(QStringLiteral(BARMEN_ASSETS_DIR)).filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

// What the frame header of a JPEG says about it.
struct JpegInfo {
    bool jfif = false;
    int startOfFrame = -1;         // 0 baseline, 2 progressive, ...
    int width = 0, height = 0;
    std::vector<int> sampling;     // per component, 0xHV
};

JpegInfo readJpeg(const QByteArray &b)
{
    JpegInfo info;
    if (!b.startsWith("\xFF\xD8"))
        return info;
    qsizetype at = 2;
    while (at + 4 <= b.size() && uchar(b[at]) == 0xFF) {
        const int marker = uchar(b[at + 1]);
        const int length = uchar(b[at + 2]) << 8 | uchar(b[at + 3]);
        if (marker == 0xE0 && b.mid(at + 4, 5) == QByteArray("JFIF", 5))
            info.jfif = true;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            info.startOfFrame = marker - 0xC0;
            info.height = uchar(b[at + 5]) << 8 | uchar(b[at + 6]);
            info.width = uchar(b[at + 7]) << 8 | uchar(b[at + 8]);
            const int components = uchar(b[at + 9]);
            for (int c = 0; c < components; ++c)
                info.sampling.push_back(uchar(b[at + 11 + 3 * c]));
            break;
        }
        at += 2 + length;
    }
    return info;
}

// A GIF's header, logical screen and whether a graphic control extension
// before the first image marks a transparent colour.
struct GifInfo {
    QByteArray version;
    int width = 0, height = 0;
    bool transparent = false;
};

GifInfo readGif(const QByteArray &b)
{
    GifInfo info;
    if (b.size() < 13)
        return info;
    info.version = b.left(6);
    info.width = uchar(b[6]) | uchar(b[7]) << 8;
    info.height = uchar(b[8]) | uchar(b[9]) << 8;
    qsizetype at = 13;
    if (uchar(b[10]) & 0x80)
        at += 3 * (1 << ((uchar(b[10]) & 7) + 1));
    while (at + 1 < b.size() && uchar(b[at]) == 0x21) {   // extensions before the first image
        const int label = uchar(b[at + 1]);
        if (label == 0xF9 && at + 3 < b.size())
            info.transparent = uchar(b[at + 3]) & 1;
        at += 2;
        while (at < b.size() && uchar(b[at]) != 0)
            at += 1 + uchar(b[at]);
        ++at;
    }
    return info;
}

int frameCount(const QString &relative)
{
    QByteArray bytes = readAsset(relative);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    int frames = 0;
    while (!reader.read().isNull())
        ++frames;
    return frames;
}

void expectBackground(const QString &file)
{
    const QByteArray bytes = readAsset(file);
    ASSERT_FALSE(bytes.isEmpty()) << file.toStdString();
    const JpegInfo jpeg = readJpeg(bytes);
    EXPECT_TRUE(jpeg.jfif) << file.toStdString();
    EXPECT_EQ(jpeg.startOfFrame, 0) << file.toStdString() << ": not a baseline JPEG";
    EXPECT_EQ(jpeg.width, 600) << file.toStdString();
    EXPECT_EQ(jpeg.height, 400) << file.toStdString();
    EXPECT_EQ(jpeg.sampling, (std::vector<int>{0x22, 0x11, 0x11})) << file.toStdString() << ": not 4:2:0";
    EXPECT_TRUE(bytes.endsWith("\xFF\xD9")) << file.toStdString();
}

void expectCharacter(const QString &file)
{
    const QByteArray bytes = readAsset(file);
    ASSERT_FALSE(bytes.isEmpty()) << file.toStdString();
    const GifInfo gif = readGif(bytes);
    EXPECT_EQ(gif.version, QByteArray("GIF89a")) << file.toStdString();
    EXPECT_EQ(gif.width, 300) << file.toStdString();
    EXPECT_EQ(gif.height, 400) << file.toStdString();
    EXPECT_TRUE(gif.transparent) << file.toStdString() << ": no transparent colour";
    EXPECT_EQ(frameCount(file), 1) << file.toStdString();
}

TEST(Assets, backgroundsAreBaseline420JpegsOf600By400)
{
    for (std::string_view name : pic::backgrounds)
        expectBackground(nameOf(name));
    expectBackground(QStringLiteral("default/default-bg.jpg"));
}

TEST(Assets, characterPicturesAreSingleFrameTransparentGifsOf300By400)
{
    for (std::string_view name : pic::characters)
        expectCharacter(nameOf(name));
    expectCharacter(QStringLiteral("default/default-ch.gif"));
}

QImage decodeAsset(const QString &relative)
{
    QByteArray bytes = readAsset(relative);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    return reader.read();
}

QSize pngSize(const QString &relative)
{
    QByteArray bytes = readAsset(relative);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    return reader.size();
}

TEST(Assets, iconHasEverySize)
{
    for (int size : {16, 32})
        EXPECT_EQ(pngSize(QStringLiteral("default/icon-%1.png").arg(size)), QSize(size, size));
    // the sizes the desktop's icon theme installs, each drawn to fill its
    // square (a misplaced drawing would leave it empty or cut off)
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral("icons/barmen-%1.png").arg(size);
        EXPECT_EQ(pngSize(file), QSize(size, size)) << size;
        const QImage icon = decodeAsset(file).convertToFormat(QImage::Format_ARGB32);
        int opaque = 0, rim = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                const bool seen = qAlpha(icon.pixel(x, y)) > 128;
                opaque += seen;
                rim += seen && (x == 0 || y == 0 || x == size - 1 || y == size - 1);
            }
        EXPECT_GT(opaque, size * size / 4) << size << ": the hat does not fill the icon";
        EXPECT_EQ(rim, 0) << size << ": the hat runs off the icon";
    }
}

// The hat is dark indigo, so on a dark panel (a dark taskbar, a dark
// window title) only a light rim round it keeps its shape. Seen from each
// side along every row and column, the first few visible pixels of each
// icon must include one that stands out from a dark panel; on a light
// panel the dark hat itself does. Without the rim hardly any line passes.
TEST(Assets, iconOutlineReadsOnDarkPanels)
{
    QStringList files = {QStringLiteral("default/icon-16.png"),
                         QStringLiteral("default/icon-32.png")};
    for (int size : {16, 32, 48, 64, 128, 256})
        files << QStringLiteral("icons/barmen-%1.png").arg(size);
    for (const QString &file : files) {
        const QImage icon = decodeAsset(file).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(icon.isNull()) << file.toStdString();
        const int size = icon.width();
        const int depth = 2 + size / 32;    // the rim and the fine edge outside it
        constexpr int panel = 32;
        const auto lightOverPanel = [&](int x, int y) {
            const QRgb p = icon.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            const double luma = 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
            return luma * a + panel * (1 - a) > 150;
        };
        int sides = 0, lit = 0;
        // one pass over rows (transpose = false), one over columns
        for (bool transpose : {false, true})
            for (int line = 0; line < size; ++line) {
                const auto at = [&](int i) { return transpose ? QPoint(line, i) : QPoint(i, line); };
                int first = -1, last = -1;
                for (int i = 0; i < size; ++i)
                    if (qAlpha(icon.pixel(at(i))) > 128) {
                        first = first < 0 ? i : first;
                        last = i;
                    }
                if (first < 0)
                    continue;
                bool fromStart = false, fromEnd = false;
                for (int d = 0; d < depth; ++d) {
                    const QPoint s = at(std::min(first + d, size - 1));
                    const QPoint e = at(std::max(last - d, 0));
                    fromStart = fromStart || lightOverPanel(s.x(), s.y());
                    fromEnd = fromEnd || lightOverPanel(e.x(), e.y());
                }
                sides += 2;
                lit += int(fromStart) + int(fromEnd);
            }
        ASSERT_GT(sides, 0) << file.toStdString();
        EXPECT_GE(double(lit) / sides, 0.85)
            << file.toStdString() << ": the hat's edge vanishes on a dark panel";
    }
}

// How many visible pixels have exactly this colour.
qsizetype pixelsOf(const QImage &picture, QRgb colour)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    qsizetype n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
    }
    return n;
}

// Each picture gets its own palette; her skin and hair tones are reserved in
// it, so a face never drifts to a neighbouring colour or turns to specks.
TEST(Assets, meardKeepsHerSkinAndHairTones)
{
    constexpr QRgb skin = qRgb(255, 228, 210);
    constexpr QRgb hair = qRgb(168, 78, 56);
    const std::string_view fronts[] = {
        pic::Meared, pic::MearedAwkward, pic::MearedGrumbling, pic::MearedAnnoyed,
        pic::MearedSobbing, pic::MearedWailing, pic::MearedMagic, pic::MearedCasting1,
        pic::MearedShy, pic::MearedStartled, pic::MearedTrembling, pic::MearedCasting2,
        pic::MearedSniffling,
    };
    for (std::string_view name : fronts) {
        const QImage image = decodeAsset(nameOf(name));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_GT(pixelsOf(image, skin), 1500) << name << ": her face is not in her skin tone";
        EXPECT_GT(pixelsOf(image, hair), 800) << name << ": her hair is not in its tone";
    }
    for (std::string_view name : {pic::MearedBack, pic::MearedBackAwkward})
        EXPECT_GT(pixelsOf(decodeAsset(nameOf(name)), hair), 4000) << name;
}

// GIF transparency is all or nothing, so a pixel half over a light matte
// would stay as a light rim round the figure over a dark background.  Every
// visible pixel beside a transparent one must be a dark line.
TEST(Assets, characterEdgesHaveNoLightFringe)
{
    for (std::string_view name : pic::characters) {
        const QImage image = decodeAsset(nameOf(name)).convertToFormat(QImage::Format_ARGB32);
        int light = 0;
        for (int y = 1; y + 1 < image.height(); ++y) {
            for (int x = 1; x + 1 < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                if (qAlpha(px) == 0)
                    continue;
                const bool edge = qAlpha(image.pixel(x - 1, y)) == 0 || qAlpha(image.pixel(x + 1, y)) == 0
                    || qAlpha(image.pixel(x, y - 1)) == 0 || qAlpha(image.pixel(x, y + 1)) == 0;
                light += edge && qGray(px) > 100;
            }
        }
        EXPECT_EQ(light, 0) << name << ": light pixels on the transparent edge";
    }
}

// The checks themselves must catch what they are for.
TEST(Assets, checksRejectProgressiveJpegsAndOpaqueGifs)
{
    QByteArray progressive("\xFF\xD8\xFF\xC2\x00\x11\x08\x01\x90\x02\x58\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 21);
    const JpegInfo jpeg = readJpeg(progressive);
    EXPECT_EQ(jpeg.startOfFrame, 2);
    EXPECT_EQ(jpeg.width, 600);
    EXPECT_EQ(jpeg.height, 400);

    QByteArray opaque("GIF89a\x2C\x01\x90\x01\x00\x00\x00", 13);
    opaque.append("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);
    const GifInfo gif = readGif(opaque);
    EXPECT_EQ(gif.width, 300);
    EXPECT_FALSE(gif.transparent);
    opaque[13 + 3] = 1;
    EXPECT_TRUE(readGif(opaque).transparent);
}

} // namespace
} // namespace barmen
