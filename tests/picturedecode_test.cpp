// The picture decoder on every kind of file a player's folder may hold: the
// game's own pictures drawn exactly as Qt's readers draw them, whole files
// with padding behind them, and files cut at every offset or damaged.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>
#include <span>
#include <string>

extern "C" {
#include <jpeglib.h>
}

#include "gamefolder.h"
#include "noisepictures.h"
#include "picturebombs.h"
#include "pictures/decode.h"

namespace barmen {
namespace {

using pictures::Decoded;
using pictures::Fault;

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

Decoded decodePicture(const QByteArray &bytes)
{
    return pictures::decode(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
}

// The picture as a QImage of its own, to compare with Qt's: ARGB32 when it
// may hold clear pixels, RGB32 otherwise.
QImage qImage(const pictures::Image &image)
{
    if (image.null())
        return {};
    return QImage(reinterpret_cast<const uchar *>(image.pixels.get()), image.width, image.height, qsizetype(image.width) * 4,
                  image.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32)
        .copy();
}

QImage pictureOf(const QByteArray &bytes)
{
    return qImage(decodePicture(bytes).image);
}

// The 32-bit format the game's picture has where Qt's reader gives this one:
// a grey JPEG comes out as 8-bit grey from Qt, as opaque 32-bit pixels here.
QImage::Format in32Bits(QImage::Format qt)
{
    return qt == QImage::Format_Grayscale8 ? QImage::Format_RGB32 : qt;
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
        const Decoded decoded = decodePicture(bytes);
        const QImage ours = qImage(decoded.image);
        const QImage qt = decodedByQt(bytes);
        ASSERT_FALSE(qt.isNull());
        ASSERT_EQ(decoded.fault, Fault::None) << decoded.reason;
        EXPECT_TRUE(decoded.reason.empty());
        EXPECT_EQ(ours.size(), qt.size());
        EXPECT_EQ(ours.format(), in32Bits(qt.format()));
        EXPECT_EQ(differingPixels(ours, qt.convertToFormat(ours.format())), 0);
    }
}

// What the samples are for: the transparent colour is clear, a frame smaller
// than its screen stands where its descriptor puts it, and of two frames only
// the first shows.
TEST(PictureDecode, transparencyFramesAndScreens)
{
    const QImage figure = pictureOf(sample("transparent.gif"));
    ASSERT_FALSE(figure.isNull());
    EXPECT_TRUE(figure.hasAlphaChannel());
    EXPECT_EQ(qAlpha(figure.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(figure.pixel(12, 20)), 255);

    const QImage framed = pictureOf(sample("frame.gif"));
    ASSERT_EQ(framed.size(), QSize(48, 40));
    EXPECT_EQ(differingPixels(framed.copy(12, 4, 24, 32), figure), 0);
    EXPECT_EQ(qAlpha(framed.pixel(47, 39)), 0);

    const QImage animated = pictureOf(sample("two-frames.gif"));
    EXPECT_EQ(differingPixels(animated, figure), 0) << "not the first frame";
    EXPECT_EQ(differingPixels(pictureOf(sample("interlaced.gif")), figure), 0);
    EXPECT_FALSE(pictureOf(sample("opaque.gif")).hasAlphaChannel());
    // Grey stays grey: opaque, and red, green and blue alike in every pixel.
    const QImage grey = pictureOf(sample("grey.jpg"));
    ASSERT_FALSE(grey.isNull());
    EXPECT_FALSE(grey.hasAlphaChannel());
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb p = grey.pixel(x, y);
            ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
        }
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
            const Decoded d = decodePicture(whole.first(cut));
            const bool right = d.image.null() && d.fault == Fault::CutOff && d.reason.find("잘려") != std::string::npos;
            EXPECT_TRUE(right) << name << " cut at " << cut << " of " << whole.size() << ": " << d.reason;
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
            const Decoded d = decodePicture(whole.first(cut + 1));
            EXPECT_EQ(int(d.fault), int(Fault::CutOff)) << name << " cut at " << cut + 1 << ": " << d.reason;
            ++cuts;
            refused += d.fault == Fault::CutOff;
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
        const QImage plain = pictureOf(whole);
        ASSERT_FALSE(plain.isNull()) << name;
        for (const QByteArray &padding : paddings) {
            const Decoded d = decodePicture(whole + padding);
            EXPECT_EQ(d.fault, Fault::None) << name << " + " << padding.size() << " bytes: " << d.reason;
            EXPECT_EQ(differingPixels(qImage(d.image), plain), 0) << name;
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
    const Decoded d = decodePicture(newerJfif);
    EXPECT_EQ(d.fault, Fault::None) << d.reason;
    EXPECT_EQ(differingPixels(qImage(d.image), pictureOf(whole)), 0);
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
    Fault fault;
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
     Fault::Damaged, "손상"},
    {"a progressive JPEG zeroed in the middle", "progressive.jpg",
     [](QByteArray b) {
         const qsizetype from = b.size() / 2;
         b.replace(from, 64, QByteArray(64, '\0'));
         return b;
     },
     Fault::Damaged, "손상"},
    {"a JPEG with bytes inverted in its data", "baseline.jpg",
     [](QByteArray b) {
         for (qsizetype i = jpegMarker(b, 0xDA) + 30; i < b.size() - 40; i += 7)
             b[i] = char(~b[i]);
         return b;
     },
     Fault::Damaged, "손상"},
    {"a JPEG of 12-bit samples", "baseline.jpg",
     [](QByteArray b) {
         b[jpegMarker(b, 0xC0) + 4] = 12;
         return b;
     },
     Fault::Unsupported, "보여 줄 수 없는"},
    {"a JPEG claiming 60000 x 60000 pixels", "baseline.jpg",
     [](QByteArray b) {
         const qsizetype sof = jpegMarker(b, 0xC0);
         put16(b, sof + 5, 60000, true);
         put16(b, sof + 7, 60000, true);
         return b;
     },
     Fault::TooLarge, "너무 큽니다"},
    {"a GIF zeroed in the middle", "transparent.gif",
     [](QByteArray b) {
         b.replace(b.size() / 2, 20, QByteArray(20, '\0'));
         return b;
     },
     Fault::Damaged, "손상"},
    {"a GIF with a stray byte where a record starts", "two-frames.gif",
     [](QByteArray b) {
         b.insert(b.size() - 1, 'x');
         return b;
     },
     Fault::Damaged, "손상"},
    {"a GIF with no picture in it", "transparent.gif",
     [](QByteArray b) {
         const qsizetype globalColours = (uchar(b[10]) & 0x80) ? 3 * (2 << (uchar(b[10]) & 7)) : 0;
         return b.first(13 + globalColours) + ';';
     },
     Fault::Damaged, "손상"},
    {"a GIF whose data ends before its last row", "opaque.gif",
     [](QByteArray b) {
         // The frame claims twice its rows; the data ends where it did.
         const qsizetype at = b.indexOf(',');
         put16(b, at + 7, 64, false);
         put16(b, 8, 64, false);
         return b;
     },
     Fault::Damaged, "손상"},
    {"a GIF claiming a screen of 60000 x 60000", "transparent.gif",
     [](QByteArray b) {
         put16(b, 6, 60000, false);
         put16(b, 8, 60000, false);
         return b;
     },
     Fault::TooLarge, "너무 큽니다"},
    {"a text file", "baseline.jpg", [](QByteArray) { return QByteArray("이것은 그림이 아니라 글입니다.\r\n"); },
     Fault::NotAPicture, "그림으로 읽을 수 없습니다"},
    {"a PNG", "baseline.jpg",
     [](QByteArray b) {
         QByteArray png;
         QBuffer buffer(&png);
         buffer.open(QIODevice::WriteOnly);
         decodedByQt(b).save(&buffer, "PNG");
         return png;
     },
     Fault::NotAPicture, "JPEG도 GIF도"},
    {"bytes before the JPEG's start", "baseline.jpg", [](QByteArray b) { return QByteArray("\n") + b; },
     Fault::NotAPicture, "JPEG도 GIF도"},
};

TEST(PictureDecode, damagedFilesAreRefusedWithWhatIsWrong)
{
    for (const Damage &d : damages) {
        SCOPED_TRACE(d.name);
        const QByteArray whole = sample(d.file);
        ASSERT_FALSE(decodePicture(whole).image.null());
        const Decoded result = decodePicture(d.damage(whole));
        EXPECT_TRUE(result.image.null());
        EXPECT_EQ(int(result.fault), int(d.fault)) << result.reason;
        EXPECT_NE(result.reason.find(d.reason), std::string::npos) << result.reason;
        // The player reads Korean, never the C libraries' English.
        QString words = QString::fromStdString(result.reason);
        words.remove(QStringLiteral("JPEG")).remove(QStringLiteral("GIF"));
        EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << result.reason;
    }
}

// ---- What issue-free files may not ask for: bombs, and the three reasons --

Decoded decodeBytes(const std::string &bytes)
{
    return pictures::decode(std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()));
}

// A kilobyte figure from /proc/self/status ("VmHWM", "VmRSS", "VmSize").
long statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0 && line.size() > std::strlen(field) && line[std::strlen(field)] == ':')
            return std::atol(line.c_str() + std::strlen(field) + 1);
    return -1;
}

struct Cost {
    int fault = -1;      // -1 when the child did not report
    double seconds = 0;
    long peakKb = 0;     // resident memory at its peak above the start
    std::string how;     // how the child ended, when not by itself
};

// Decodes the bytes in a child process, so its peak memory is its own: the
// fault, the time and the peak. A child still decoding after 20 s is killed.
Cost decodeInChild(const std::string &bytes)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        alarm(20);
        // Lets VmHWM start again from what is resident now.
        if (std::FILE *f = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", f);
            std::fclose(f);
        }
        const long before = statusKb("VmHWM");
        const auto start = std::chrono::steady_clock::now();
        const Decoded d = decodeBytes(bytes);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long report[3] = {long(d.fault), long(seconds * 1e6), statusKb("VmHWM") - before};
        if (write(fds[1], report, sizeof report) != sizeof report)
            _exit(2);
        _exit(0);
    }
    close(fds[1]);
    long report[3] = {-1, 0, 0};
    const bool got = pid > 0 && read(fds[0], report, sizeof report) == sizeof report;
    close(fds[0]);
    int status = 0;
    if (pid > 0)
        waitpid(pid, &status, 0);
    Cost cost;
    if (!got) {
        cost.how = WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status)) : "no report";
        return cost;
    }
    cost.fault = int(report[0]);
    cost.seconds = double(report[1]) / 1e6;
    cost.peakKb = report[2];
    return cost;
}

#ifdef BARMEN_SANITIZED
constexpr double slowdown = 10;   // the sanitizers' own cost, and memory not measured
#else
constexpr double slowdown = 1;
#endif

// Files of a few bytes to a few hundred kilobytes that declare far more than
// this game can show: eight thousand pixels square, hundreds of scans over
// millions of pixels, a screen far beyond its one pixel, CMYK that libjpeg
// would keep whole, a million frames that giflib would set up one by one. Each is refused as too large, quickly and without taking
// much memory; each took seconds or hundreds of megabytes before it had a
// limit. Printed: what each costs.
// A GIF of one pixel in so many frames, the first shown, the rest read.
std::string manyFrames(int count)
{
    std::string frames = test::gifOnScreen(1, 1);
    frames.pop_back();   // the trailer
    const std::string oneFrame = frames.substr(frames.find(','));
    frames.reserve(frames.size() + std::size_t(count) * oneFrame.size() + 1);
    for (int i = 1; i < count; ++i)
        frames += oneFrame;
    return frames + ';';
}

TEST(PictureBombs, refusedAsTooLargeQuicklyAndInLittleMemory)
{
    struct Bomb {
        const char *name;
        std::string bytes;
        Fault fault;
        const char *reason;
    };
    const char *tooLarge = "그림이 너무 큽니다 (";
    const char *tooManyScans = "JPEG 파일의 스캔이 너무 많아 보여 주는 데 너무 오래 걸립니다.";
    const Bomb bombs[] = {
        {"progressive grey JPEG, 8192 x 8192, 500 scans", test::flatJpeg(8192, 8192, 1, true, 500), Fault::TooLarge, tooLarge},
        {"progressive grey JPEG, 2048 x 2048, 500 scans", test::flatJpeg(2048, 2048, 1, true, 500), Fault::TooLarge, tooLarge},
        {"progressive grey JPEG, 64 x 64, 700 scans", test::flatJpeg(64, 64, 1, true, 700), Fault::TooManyScans, tooManyScans},
        {"progressive CMYK JPEG, 8192 x 8192", test::flatJpeg(8192, 8192, 4, true, 4), Fault::TooLarge, tooLarge},
        {"progressive CMYK JPEG, 2048 x 1024", test::flatJpeg(2048, 1024, 4, true, 4), Fault::TooLarge, tooLarge},
        {"GIF, a pixel on a screen of 8192 x 8192", test::gifOnScreen(8192, 8192, 1, 1, true), Fault::TooLarge, tooLarge},
        {"GIF, a pixel on a screen of 4096 x 4096", test::gifOnScreen(4096, 4096), Fault::TooLarge, tooLarge},
        {"GIF, a pixel on a screen of 65535 x 65535", test::gifOnScreen(65535, 65535), Fault::TooLarge, tooLarge},
        {"GIF of a pixel in 1,000,000 frames", manyFrames(1'000'000), Fault::TooManyFrames,
         "GIF 파일의 프레임이 너무 많습니다."},
    };
    EXPECT_EQ(bombs[5].bytes.size(), 43u);
    for (const Bomb &bomb : bombs) {
        SCOPED_TRACE(bomb.name);
        const Cost cost = decodeInChild(bomb.bytes);
        std::printf("  %s (%zu bytes): fault %d, %.3f s, %ld KB at the peak\n", bomb.name, bomb.bytes.size(), cost.fault,
                    cost.seconds, cost.peakKb);
        ASSERT_TRUE(cost.how.empty()) << cost.how;
        EXPECT_EQ(cost.fault, int(bomb.fault));
        EXPECT_LT(cost.seconds, 0.5 * slowdown);
#ifndef BARMEN_SANITIZED
        EXPECT_LT(cost.peakKb, 32 * 1024);
#endif
        const Decoded d = decodeBytes(bomb.bytes);
        EXPECT_NE(d.reason.find(bomb.reason), std::string::npos) << d.reason;
    }
}

// What the limits let through: well beyond the game's own pictures, each in
// a fraction of a second and in not much more memory than its pixels.
TEST(PictureBombs, picturesWithinTheLimitsStillShow)
{
    struct Within {
        const char *name;
        std::string bytes;
        long pixels;
    };
    const Within pictures[] = {
        {"progressive colour JPEG, 600 x 400, 10 scans", test::flatJpeg(600, 400, 3, true, 10), 600 * 400},
        {"progressive colour JPEG, 1600 x 1200, 20 scans", test::flatJpeg(1600, 1200, 3, true, 20), 1600 * 1200},
        {"progressive grey JPEG, 600 x 400, 100 scans", test::flatJpeg(600, 400, 1, true, 100), 600 * 400},
        {"baseline CMYK JPEG, 1024 x 1024", test::flatJpeg(1024, 1024, 4, false), 1024 * 1024},
        {"progressive CMYK JPEG, 2048 x 1000", test::flatJpeg(2048, 1000, 4, true, 4), 2048 * 1000},
        {"baseline colour JPEG, 2048 x 1024", test::flatJpeg(2048, 1024, 3, false), 2048 * 1024},
        {"GIF, a pixel on a screen of 1000 x 1000", test::gifOnScreen(1000, 1000), 1000 * 1000},
        {"GIF, 1024 x 1024 on its own screen", test::gifOnScreen(1024, 1024, 1024, 1024, true), 1024 * 1024},
        {"GIF, 2048 x 1024 on its own screen", test::gifOnScreen(2048, 1024, 2048, 1024, true), 2048 * 1024},
    };
    for (const Within &p : pictures) {
        SCOPED_TRACE(p.name);
        const Cost cost = decodeInChild(p.bytes);
        std::printf("  %s (%zu bytes): fault %d, %.3f s, %ld KB at the peak\n", p.name, p.bytes.size(), cost.fault,
                    cost.seconds, cost.peakKb);
        ASSERT_TRUE(cost.how.empty()) << cost.how;
        EXPECT_EQ(cost.fault, int(Fault::None)) << decodeBytes(p.bytes).reason;
        EXPECT_LT(cost.seconds, 0.5 * slowdown);
#ifndef BARMEN_SANITIZED
        EXPECT_LT(cost.peakKb, p.pixels * 4 / 1024 + 24 * 1024);
#endif
    }
    // As Qt draws them.
    for (const std::string &bytes : {test::flatJpeg(600, 400, 3, true, 10), test::gifOnScreen(1000, 1000)}) {
        const QByteArray b = QByteArray::fromStdString(bytes);
        EXPECT_EQ(differingPixels(pictureOf(b), decodedByQt(b)), 0);
    }
}

// Each limit cuts at its edge, and a file refused for its scans or frames
// says so, whatever its size. Before, a JPEG of the game's own 300 x 400 with
// 101 scans was "그림이 너무 큽니다 (300 × 400 화소)", a size the game shows,
// and a grey JPEG of noise in 21 scans, each half of the band refined bit by
// bit, was decoded whatever its size up to 4096 x 4096, a click of over a
// second; its work is now counted from its markers and refused before any
// of it is done.
TEST(PictureBombs, eachLimitCutsAtItsEdgeWithItsOwnReason)
{
    struct Edge {
        const char *name;
        std::string bytes;
        Fault fault;
    };
    const Edge edges[] = {
        {"300 x 400, 100 scans", test::flatJpeg(300, 400, 1, true, 100), Fault::None},
        {"300 x 400, 101 scans", test::flatJpeg(300, 400, 1, true, 101), Fault::TooManyScans},
        {"noise, 1056 x 1040, 21 scans", test::noiseJpeg(1056, 1040, 1, test::halvesBitByBit()), Fault::None},
        {"noise, 1064 x 1040, 21 scans", test::noiseJpeg(1064, 1040, 1, test::halvesBitByBit()), Fault::TooManyScans},
        {"noise, 2048 x 1025, baseline", test::noiseJpeg(2048, 1025, 1), Fault::TooLarge},
        {"GIF, 2048 x 1024", test::gifOnScreen(2048, 1024, 2048, 1024), Fault::None},
        {"GIF, 2048 x 1025", test::gifOnScreen(2048, 1025, 2048, 1025), Fault::TooLarge},
        {"GIF, 20,000 frames", manyFrames(20'000), Fault::None},
        {"GIF, 20,001 frames", manyFrames(20'001), Fault::TooManyFrames},
    };
    for (const Edge &e : edges) {
        const Decoded d = decodeBytes(e.bytes);
        EXPECT_EQ(int(d.fault), int(e.fault)) << e.name << ": " << d.reason;
        if (e.fault != Fault::TooLarge) {
            EXPECT_EQ(d.reason.find("그림이 너무 큽니다"), std::string::npos) << e.name << ": " << d.reason;
        }
    }
    const Decoded scans = decodeBytes(edges[1].bytes);
    EXPECT_EQ(scans.reason, "JPEG 파일의 스캔이 너무 많아 보여 주는 데 너무 오래 걸립니다.");
    EXPECT_EQ(decodeBytes(edges[8].bytes).reason, "GIF 파일의 프레임이 너무 많습니다.");
}

// Encodes a small colour picture with libjpeg as the arithmetic-coded or
// other kind of JPEG asked for.
QByteArray encodedJpeg(bool arithmetic, bool progressive)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = 40;
    c.image_height = 24;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    c.arith_code = arithmetic ? TRUE : FALSE;
    if (progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    unsigned char row[40 * 3];
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < 40 * 3; ++x)
            row[x] = (unsigned char)(x * 5 + c.next_scanline * 9);
        JSAMPROW r = row;
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    const QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

// A JPEG over libjpeg's 65,500 pixels a side is too large, not damaged; a
// lossless or hierarchical one (SOF3, SOF5, SOF11: libjpeg reads none of
// them) is a kind the game cannot show. Arithmetic-coded JPEGs are read by
// this libjpeg, as by Qt, and are shown.
TEST(PictureReasons, tooLargeAndUnsupportedJpegsSaySo)
{
    QByteArray tall = sample("baseline.jpg");
    put16(tall, jpegMarker(tall, 0xC0) + 5, 65535, true);
    const Decoded big = decodePicture(tall);
    EXPECT_EQ(int(big.fault), int(Fault::TooLarge)) << big.reason;
    EXPECT_NE(big.reason.find("그림이 너무 큽니다 (40 × 65535 화소)."), std::string::npos) << big.reason;

    for (const char marker : {'\xC3', '\xC5', '\xCB'}) {
        QByteArray kind = sample("baseline.jpg");
        kind[jpegMarker(kind, 0xC0) + 1] = marker;
        const Decoded d = decodePicture(kind);
        EXPECT_EQ(int(d.fault), int(Fault::Unsupported)) << int(uchar(marker)) << ": " << d.reason;
        EXPECT_EQ(d.reason, "이 게임이 보여 줄 수 없는 종류의 JPEG 파일입니다.");
    }

    for (const bool progressive : {false, true}) {
        const QByteArray arithmetic = encodedJpeg(true, progressive);
        ASSERT_GE(jpegMarker(arithmetic, progressive ? 0xCA : 0xC9), 0) << "not arithmetic-coded";
        const Decoded d = decodePicture(arithmetic);
        EXPECT_EQ(d.fault, Fault::None) << d.reason;
        EXPECT_EQ(differingPixels(qImage(d.image), decodedByQt(arithmetic)), 0);
    }
}

// A GIF that giflib cannot find memory for is too large, never damaged. Of
// the many frames of an animation only the first is shown; giflib keeps a
// record of each frame it reads, and a file of many empty frames under a
// memory limit ran it out of memory. Under a limit of half a megabyte more
// than the process has, such a file shows its first frame, and a good GIF
// shows or is refused as too large, whatever the headroom. (More than
// 20,000 frames are refused for their frames in any case: see the bombs.)
TEST(PictureReasons, aGifOutOfMemoryIsTooLarge)
{
#ifdef BARMEN_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit would leave";
#else
    const std::string frames = manyFrames(19000);
    const std::string figure = test::gifOnScreen(2048, 1024, 2048, 1024, true);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(60);
        close(fds[0]);
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        int report[2 + 16] = {};
        auto decodeWithin = [&](long headroomKb, const std::string &bytes) {
            // What the heap keeps free would be room beyond the headroom.
            malloc_trim(0);
            rlimit tight = limit;
            tight.rlim_cur = rlim_t(statusKb("VmSize") + headroomKb) * 1024;
            setrlimit(RLIMIT_AS, &tight);
            int fault = -1;
            try {
                fault = int(decodeBytes(bytes).fault);
            } catch (const std::bad_alloc &) {
                fault = -2;
            }
            setrlimit(RLIMIT_AS, &limit);
            return fault;
        };
        report[0] = decodeWithin(512, frames);
        report[1] = 16;
        for (int i = 0; i < 16; ++i)
            report[2 + i] = decodeWithin(long(i) * 2 * 1024, figure);
        ssize_t ignored = write(fds[1], report, sizeof report);
        (void)ignored;
        _exit(0);
    }
    close(fds[1]);
    int report[2 + 16];
    const bool got = read(fds[0], report, sizeof report) == sizeof report;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(got) << "the child ended with status " << status;
    EXPECT_EQ(report[0], int(Fault::None)) << "19,000 empty frames under a limit of 512 KB more";
    int shown = 0;
    for (int i = 0; i < report[1]; ++i) {
        const int fault = report[2 + i];
        EXPECT_TRUE(fault == int(Fault::None) || fault == int(Fault::TooLarge)) << "headroom " << i * 2 << " MB: " << fault;
        shown += fault == int(Fault::None);
    }
    std::printf("  a 2048 x 1024 GIF (8 MB of pixels) under limits of 0 to 30 MB more: %d of 16 shown, the rest too large\n",
                shown);
    EXPECT_LT(shown, 16) << "no limit was tight enough to try";
    EXPECT_GT(shown, 0) << "no limit was loose enough to show it";
#endif
}

} // namespace
} // namespace barmen
