#include <QApplication>
#include <QFont>

#include "app/desktop.h"
#include "app/display.h"
#include "app/form1.h"
#include "app/fonts.h"
#include "app/qtpictures.h"
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
