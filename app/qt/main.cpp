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

int main(int argc, char *argv[])
{
    barmen::requireDesktop(argc, argv);
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
