// Memory over many message boxes of the real game: the window's own reporter
// (a QMessageBox over Form1) for clicks whose character picture is missing,
// scene after scene, so that the boxes name each of the 18 character
// pictures in turn; each box closed as soon as it shows, as a player
// pressing Enter does. Printed: the
// resident memory and the heap in use after 10, 100, 1,000, 2,000, 5,000 and
// 10,000 boxes, and the growth per box between 2,000 and 10,000.
//   messagebox_bench [BOXES]
// Runs on the platform QT_QPA_PLATFORM names (tools/bench: xcb under Xvfb), in
// a temporary folder holding copies of the six backgrounds.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/qt/desktop.h"
#include "app/qt/fonts.h"
#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "bench/gamefolder.h"
#include "engine/duel.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"

namespace {

long statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    const std::string key = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + key.size());
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    const long boxes = argc > 1 ? std::atol(argv[1]) : 10'000;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    barmen::mapKoreanFonts();
    barmen::loadQtKorean(app);

    QTemporaryDir folder;
    if (!barmen::bench::playIn(folder))
        return 1;
    using namespace barmen;
    for (std::string_view name : pic::characters)
        QFile::remove(QString::fromUtf8(name.data(), qsizetype(name.size())));

    QtPictureSource pictures;
    ClockDice dice{1u};
    system::SaveFile saves;
    Form1 window{story::theStory(), pictures, dice, saves};
    window.show();
    app.processEvents();

    long at2000 = 0;
    for (long i = 1; i <= boxes; ++i) {
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        window.state().sceneLabel = std::string(label::all[std::size_t(i) % label::all.size()]);
        window.run(layout::Command::Progress);
        app.processEvents();
        if (i == 10 || i == 100 || i == 1000 || i == 2000 || i == 5000 || i == boxes) {
            const long rss = statusKb("VmRSS");
            std::printf("after %ld boxes: %.1f MB resident, %.2f MB of heap in use\n", i, double(rss) / 1024,
                        double(mallinfo2().uordblks) / (1024 * 1024));
            std::fflush(stdout);
            if (i == 2000)
                at2000 = rss;
            if (i == boxes && boxes > 2000)
                std::printf("growth from 2,000 to %ld boxes: %.0f bytes a box\n", boxes,
                            double(rss - at2000) * 1024 / double(boxes - 2000));
        }
    }
    return 0;
}
