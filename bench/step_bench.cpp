// One scene step of the real game (the engine, QtPictureSource and Form1)
// against the floor: the least any Qt program must do for the same scene,
// decoding the same two files with QImageReader, handing them to two QLabels
// and setting the text of a QTextEdit. Measured side by side, interleaved.
//   step_bench [STEPS]                 medians of each and their ratio
//   step_bench --callgrind game|floor N  N steps in barmen_bench_game_steps or
//                                      barmen_bench_floor_steps, for callgrind
// Runs in a temporary folder holding copies of the 24 pictures.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "app/qt/fonts.h"
#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "bench/gamefolder.h"
#include "engine/duel.h"
#include "engine/textblock.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"

namespace {

using namespace barmen;

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The scene measured: "시작 2" on the progress button, "배경1.jpg" and "시작 2.gif"
// and two lines of narration, the most common pair of pictures in the story.
const SceneRow &measuredRow()
{
    return *story::theStory().table(ActionButton::Progress).find(label::Start2, 0);
}

struct GameWindow {
    QtPictureSource pictures;
    ClockDice dice{1u};
    system::SaveFile saves;
    Form1 window{story::theStory(), pictures, dice, saves};

    GameWindow()
    {
        window.setReporter([](const QString &m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
        window.show();
    }
    void step()
    {
        window.state().sceneLabel = std::string(label::Start2);
        window.run(layout::Command::Progress);
    }
};

// The bare floor: two labels and a text box in a window of the game's size.
struct Floor {
    QWidget window;
    QLabel *bg = new QLabel(&window);
    QLabel *ch = new QLabel(&window);
    QTextEdit *text = new QTextEdit(&window);
    QString bgFile = fromUtf8(measuredRow().bg);
    QString chFile = fromUtf8(measuredRow().ch);
    QString block = fromUtf8(joinLines(measuredRow().text)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    Floor()
    {
        window.setFixedSize(727, 510);
        bg->move(-8, 0);
        ch->move(144, 0);
        text->setGeometry(8, 408, 585, 97);
        window.show();
    }
    void step()
    {
        QImageReader bgReader(bgFile);
        QImageReader chReader(chFile);
        const QImage bgImage = bgReader.read();
        const QImage chImage = chReader.read();
        bg->setPixmap(QPixmap::fromImage(bgImage));
        ch->setPixmap(QPixmap::fromImage(chImage));
        text->setPlainText(block);
    }
};

} // namespace

extern "C" __attribute__((noinline)) void barmen_bench_game_steps(GameWindow *game, int n)
{
    for (int i = 0; i < n; ++i)
        game->step();
}

extern "C" __attribute__((noinline)) void barmen_bench_floor_steps(Floor *floor, int n)
{
    for (int i = 0; i < n; ++i)
        floor->step();
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    mapKoreanFonts();

    QTemporaryDir folder;
    if (!bench::playIn(folder))
        return 1;

    GameWindow game;
    Floor floor;
    // Warm up both: image plug-ins, fonts, the first layout.
    for (int i = 0; i < 20; ++i) {
        game.step();
        floor.step();
        app.processEvents();
    }

    if (argc == 4 && std::strcmp(argv[1], "--callgrind") == 0) {
        const int n = std::max(1, std::atoi(argv[3]));
        if (std::strcmp(argv[2], "game") == 0)
            barmen_bench_game_steps(&game, n);
        else
            barmen_bench_floor_steps(&floor, n);
        return 0;
    }

    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    std::vector<double> gameTimes, floorTimes;
    QElapsedTimer timer;
    auto time = [&](auto &&step) {
        timer.start();
        step();
        return double(timer.nsecsElapsed()) / 1000.0;
    };
    for (int i = 0; i < steps; ++i) {
        // Interleaved, and each one first every other time, so drift and caches hit both alike.
        if (i % 2 == 0) {
            gameTimes.push_back(time([&] { game.step(); }));
            floorTimes.push_back(time([&] { floor.step(); }));
        } else {
            floorTimes.push_back(time([&] { floor.step(); }));
            gameTimes.push_back(time([&] { game.step(); }));
        }
        // Painting happens outside the measured step, for both.
        app.processEvents();
    }
    auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    const double g = median(gameTimes), f = median(floorTimes);
    std::printf("scene step: game %.0f us, floor %.0f us, ratio %.2f (median of %d each, interleaved)\n", g, f,
                g / f, steps);
    return 0;
}
