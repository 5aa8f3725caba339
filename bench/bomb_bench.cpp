// The worst click of the real game (the engine, QtPictureSource and Form1)
// over small files that ask the decoder for much: each stands in for both
// pictures of a scene, 배경1.jpg and 시작 2.gif, and the scene's button is
// clicked twice. Printed for each: the slower click and the resident memory
// at its peak above the game's normal peak (the game after twenty ordinary
// steps); then the worst over all of them. The pictures the limits still
// let through, the largest a click can be given, are measured the same way
// and printed apart.
//   bomb_bench
// Runs offscreen in a temporary folder holding copies of the 24 pictures.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>
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
    auto manyFrames = [] {
        std::string frames = test::gifOnScreen(1, 1);
        frames.pop_back();
        const std::string oneFrame = frames.substr(frames.find(','));
        for (int i = 0; i < 2'000'000; ++i)
            frames += oneFrame;
        return frames + ';';
    };
    using test::flatJpeg;
    using test::gifOnScreen;
    const Case bombs[] = {
        {"progressive grey JPEG, 8192 x 8192, 500 scans", [] { return flatJpeg(8192, 8192, 1, true, 500); }},
        {"progressive grey JPEG, 2048 x 2048, 500 scans", [] { return flatJpeg(2048, 2048, 1, true, 500); }},
        {"progressive colour JPEG, 4096 x 4096, 500 scans", [] { return flatJpeg(4096, 4096, 3, true, 500); }},
        {"progressive CMYK JPEG, 8192 x 8192", [] { return flatJpeg(8192, 8192, 4, true, 4); }},
        {"progressive CMYK JPEG, 4096 x 4096", [] { return flatJpeg(4096, 4096, 4, true, 4); }},
        {"baseline CMYK JPEG, 8192 x 8192", [] { return flatJpeg(8192, 8192, 4, false); }},
        {"GIF, a pixel on a screen of 8192 x 8192", [] { return gifOnScreen(8192, 8192, 1, 1, true); }},
        {"GIF, a pixel on a screen of 4096 x 4096", [] { return gifOnScreen(4096, 4096); }},
        {"GIF of two million empty frames", manyFrames},
        {"a link to /proc/self/pagemap", nullptr, "/proc/self/pagemap"},
    };
    const Case within[] = {
        {"baseline colour JPEG, 4096 x 4096", [] { return flatJpeg(4096, 4096, 3, false); }},
        {"progressive colour JPEG, 2048 x 1024, 10 scans", [] { return flatJpeg(2048, 1024, 3, true, 10); }},
        {"transparent GIF, 2048 x 2048", [] { return gifOnScreen(2048, 2048, 2048, 2048, true); }},
    };

    double worstSeconds = 0;
    long worstKb = 0;
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
            QElapsedTimer timer;
            timer.start();
            step();
            slowest = std::max(slowest, double(timer.nsecsElapsed()) / 1e9);
            refused = refused && !lastReport.isEmpty();
        }
        const long aboveKb = std::max(0L, statusKb("VmHWM") - normalPeak);
        QString reason = lastReport.section(QLatin1Char('\n'), 1).simplified();
        std::printf("  %s (%zu bytes): slower click %.3f s, %.1f MB above the normal peak; %s\n", c.name,
                    size, slowest, double(aboveKb) / 1024,
                    refused ? qPrintable(QStringLiteral("refused: ") + reason) : "shown");
        if (refusal != refused)
            std::printf("    (expected %s)\n", refusal ? "a refusal" : "to be shown");
        if (refusal) {
            worstSeconds = std::max(worstSeconds, slowest);
            worstKb = std::max(worstKb, aboveKb);
        }
    };
    std::printf("files that ask for too much, each as both pictures of a scene, clicked twice:\n");
    for (const Case &c : bombs)
        measure(c, true);
    std::printf("worst click over %zu such files: %.3f s, %.1f MB above the game's normal peak of %.1f MB\n",
                std::size(bombs), worstSeconds, double(worstKb) / 1024, double(normalPeak) / 1024);
    std::printf("the largest pictures the limits let through, likewise:\n");
    for (const Case &c : within)
        measure(c, false);
    return 0;
}
