#include <QApplication>
#include <QFont>

#include "app/qt/desktop.h"
#include "app/qt/display.h"
#include "app/qt/form1.h"
#include "app/qt/fonts.h"
#include "app/qt/qtpictures.h"
#include "engine/duel.h"
#include "story/story.h"
#include "system/files.h"
#include "system/savefile.h"

#include <malloc.h>

int main(int argc, char *argv[])
{
    barmen::requireDesktop(argc, argv);
    // Every picture's pixels, a few hundred kilobytes, are mapped apart and
    // given back whole when the next scene replaces them. Left to itself
    // glibc raises this bound to the largest block freed so far, and the
    // pictures of later scenes then land in the heap, where what they free
    // stays resident: 1.5 MB more at the peak after ten scenes.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    barmen::system::failWritesPastFileSizeLimit();
    barmen::nameForDesktop();
    QApplication app(argc, argv);
    barmen::mapKoreanFonts();
    barmen::loadQtKorean(app);

    barmen::QtPictureSource pictures;
    barmen::ClockDice dice;
    barmen::system::SaveFile saves;
    barmen::Form1 window(barmen::story::theStory(), pictures, dice, saves);
    window.show();
    return app.exec();
}
