// The worst click of the real game (the engine, QtPictureSource and Form1)
// over files that ask the decoder for much, refused or let through: files at
// and just past each of the decoder's limits (pixels, file size, work,
// scans, frames), of noise where the cost depends on the data. Each stands
// in for both pictures of a scene, 배경1.jpg and 시작 2.gif, and the scene's
// button is clicked twice. Printed for each: the dearer click in CPU time
// (user and system, so that a loaded machine's waiting does not count) and
// the resident memory at its peak above the game's normal peak (the game
// after twenty ordinary steps); then the worst over the refused files, over
// the ones let through, and over both.
//   bomb_bench
// Runs offscreen in a temporary folder holding copies of the 24 pictures.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/qt/fonts.h"
#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "bench/gamefolder.h"
#include "tests/noisepictures.h"
#include "engine/duel.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"
#include "tests/picturebombs.h"

namespace {

using namespace barmen;

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

long statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    const std::string key = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + key.size());
    return -1;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Lets VmHWM start again from what is resident now.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void write(const QString &file, const std::string &bytes)
{
    QFile::remove(file);
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes.data(), qint64(bytes.size()));
}

struct Case {
    const char *name;
    std::function<std::string()> bytes;   // made only when measured, or
    const char *linkTo = nullptr;         // a link to this
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    mapKoreanFonts();

    QTemporaryDir folder;
    if (!bench::playIn(folder))
        return 1;
    const QDir assets(QStringLiteral(BARMEN_ASSETS_DIR));

    QtPictureSource pictures;
    ClockDice dice{1u};
    system::SaveFile saves;
    Form1 window{story::theStory(), pictures, dice, saves};
    QString lastReport;
    window.setReporter([&](const QString &m) { lastReport = m; });
    window.show();
    auto step = [&] {
        window.state().sceneLabel = std::string(label::Start2);
        window.run(layout::Command::Progress);
        app.processEvents();
    };
    for (int i = 0; i < 20; ++i)
        step();
    const long normalPeak = statusKb("VmHWM");

    const QString bg = fromUtf8(pic::Forest), ch = fromUtf8(pic::Narration);
    auto manyFrames = [](int count) {
        std::string frames = test::gifOnScreen(1, 1);
        frames.pop_back();
        const std::string oneFrame = frames.substr(frames.find(','));
        for (int i = 1; i < count; ++i)
            frames += oneFrame;
        return frames + ';';
    };
    using test::componentsBitByBit;
    using test::halvesBitByBit;
    using test::noiseGif;
    using test::noiseJpeg;
    using test::flatJpeg;
    using test::gifOnScreen;
    // The sizes at the work limit: a 21-scan grey block (8 × 8 pixels) costs
    // 871 units of work, a 34-scan colour one 2,586, against 15 million.
    const Case bombs[] = {
        {"progressive grey JPEG of noise, 3456 x 3456, 21 scans (the testers' dearest)",
         [&] { return noiseJpeg(3456, 3456, 1, halvesBitByBit()); }},
        {"progressive grey JPEG of noise, 1064 x 1040, 21 scans (just past the work)",
         [&] { return noiseJpeg(1064, 1040, 1, halvesBitByBit()); }},
        {"progressive colour JPEG of noise, 648 x 576, 34 scans (just past the work)",
         [&] { return noiseJpeg(648, 576, 3, componentsBitByBit()); }},
        {"progressive colour JPEG of noise, 2048 x 1024, 10 scans (cjpeg's own script)",
         [&] {
             std::vector<test::Scan> script{{{0, 1, 2}, 0, 0, 0, 1}, {{0}, 1, 5, 0, 2}, {{2}, 1, 63, 0, 1},
                                             {{1}, 1, 63, 0, 1},      {{0}, 6, 63, 0, 2}, {{0}, 1, 63, 2, 1},
                                             {{0, 1, 2}, 0, 0, 1, 0}, {{2}, 1, 63, 1, 0}, {{1}, 1, 63, 1, 0},
                                             {{0}, 1, 63, 1, 0}};
             return noiseJpeg(2048, 1024, 3, script);
         }},
        {"baseline grey JPEG of noise, 2048 x 1025 (just past the pixels)", [&] { return noiseJpeg(2048, 1025, 1); }},
        {"baseline colour JPEG of noise, 2048 x 1024, over 8 MiB (just past the file size)",
         [&] { return noiseJpeg(2048, 1024, 3); }},
        {"progressive grey JPEG, 600 x 400, 101 scans (just past the scans)", [] { return flatJpeg(600, 400, 1, true, 101); }},
        {"progressive grey JPEG, 8192 x 8192, 500 scans", [] { return flatJpeg(8192, 8192, 1, true, 500); }},
        {"progressive grey JPEG, 2048 x 2048, 500 scans", [] { return flatJpeg(2048, 2048, 1, true, 500); }},
        {"progressive colour JPEG, 4096 x 4096, 500 scans", [] { return flatJpeg(4096, 4096, 3, true, 500); }},
        {"progressive CMYK JPEG, 8192 x 8192", [] { return flatJpeg(8192, 8192, 4, true, 4); }},
        {"progressive CMYK JPEG, 2048 x 1024 (more blocks than libjpeg may keep)", [] { return flatJpeg(2048, 1024, 4, true, 4); }},
        {"baseline CMYK JPEG, 8192 x 8192", [] { return flatJpeg(8192, 8192, 4, false); }},
        {"GIF of noise, 2048 x 1025 (just past the pixels)", [&] { return noiseGif(2048, 1025); }},
        {"GIF, a pixel on a screen of 8192 x 8192", [] { return gifOnScreen(8192, 8192, 1, 1, true); }},
        {"GIF, a pixel on a screen of 1025 x 1024 (just past the ground)", [] { return gifOnScreen(1025, 1024); }},
        {"GIF of a pixel in 20,001 frames (just past the frames)", [&] { return manyFrames(20'001); }},
        {"GIF of a pixel in 500,000 frames", [&] { return manyFrames(500'000); }},
        {"a link to /proc/self/pagemap", nullptr, "/proc/self/pagemap"},
    };
    const Case within[] = {
        {"progressive grey JPEG of noise, 1056 x 1040, 21 scans (at the work)",
         [&] { return noiseJpeg(1056, 1040, 1, halvesBitByBit()); }},
        {"progressive colour JPEG of noise, 640 x 576, 34 scans (at the work)",
         [&] { return noiseJpeg(640, 576, 3, componentsBitByBit()); }},
        {"baseline grey JPEG of noise, 2048 x 1024 (at the pixels)", [&] { return noiseJpeg(2048, 1024, 1); }},
        {"baseline colour JPEG of noise, 1984 x 1024 (near the file size)", [&] { return noiseJpeg(1984, 1024, 3); }},
        {"progressive grey JPEG, 600 x 400, 100 scans (at the scans)", [] { return flatJpeg(600, 400, 1, true, 100); }},
        {"progressive CMYK JPEG, 2048 x 1000 (the blocks libjpeg may keep)", [] { return flatJpeg(2048, 1000, 4, true, 4); }},
        {"GIF of noise, 2048 x 1024 (at the pixels)", [&] { return noiseGif(2048, 1024); }},
        {"GIF, a pixel on a screen of 1024 x 1024 (at the ground)", [] { return gifOnScreen(1024, 1024); }},
        {"GIF of a pixel in 20,000 frames (at the frames)", [&] { return manyFrames(20'000); }},
    };

    struct Worst {
        double seconds = 0;
        long kb = 0;
        int files = 0;
    } worstRefused, worstShown;
    auto measure = [&](const Case &c, bool refusal) {
        QFile::remove(bg);
        QFile::remove(ch);
        QFile::copy(assets.filePath(bg), bg);
        QFile::copy(assets.filePath(ch), ch);
        step();
        std::size_t size = 0;
        {
            const std::string bytes = c.linkTo ? std::string() : c.bytes();
            size = bytes.size();
            for (const QString &file : {bg, ch}) {
                if (c.linkTo) {
                    QFile::remove(file);
                    QFile::link(QString::fromLatin1(c.linkTo), file);
                } else {
                    write(file, bytes);
                }
            }
        }
        // The bench's own copy of the file is gone before the clicks.
        malloc_trim(0);
        resetPeak();
        double slowest = 0;
        bool refused = true;
        for (int click = 0; click < 2; ++click) {
            lastReport.clear();
            const double before = cpuSeconds();
            step();
            slowest = std::max(slowest, cpuSeconds() - before);
            refused = refused && !lastReport.isEmpty();
        }
        const long aboveKb = std::max(0L, statusKb("VmHWM") - normalPeak);
        QString reason = lastReport.section(QLatin1Char('\n'), 1).simplified();
        std::printf("  %s (%zu bytes): dearer click %.3f s CPU, %.1f MB above the normal peak; %s\n", c.name,
                    size, slowest, double(aboveKb) / 1024,
                    refused ? qPrintable(QStringLiteral("refused: ") + reason) : "shown");
        if (refusal != refused)
            std::printf("    (expected %s)\n", refusal ? "a refusal" : "to be shown");
        Worst &worst = refused ? worstRefused : worstShown;
        worst.seconds = std::max(worst.seconds, slowest);
        worst.kb = std::max(worst.kb, aboveKb);
        ++worst.files;
    };
    std::printf("files that ask for too much, each as both pictures of a scene, clicked twice:\n");
    for (const Case &c : bombs)
        measure(c, true);
    std::printf("the largest pictures the limits let through, likewise:\n");
    for (const Case &c : within)
        measure(c, false);
    auto say = [&](const char *what, const Worst &w) {
        std::printf("worst click over %d %s: %.3f s CPU, %.1f MB above the game's normal peak of %.1f MB\n", w.files,
                    what, w.seconds, double(w.kb) / 1024, double(normalPeak) / 1024);
    };
    say("files refused", worstRefused);
    say("files shown", worstShown);
    say("files in all", {std::max(worstRefused.seconds, worstShown.seconds), std::max(worstRefused.kb, worstShown.kb),
                         worstRefused.files + worstShown.files});
    return 0;
}
