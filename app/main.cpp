#include <QApplication>
#include <QFont>

#include "app/desktop.h"
#include "app/form1.h"
#include "app/fonts.h"
#include "app/qtpictures.h"
#include "engine/duel.h"
#include "story/story.h"

int main(int argc, char *argv[])
{
    barmen::nameForDesktop();
    QApplication app(argc, argv);
    barmen::mapKoreanFonts();
    barmen::loadQtKorean(app);

    barmen::QtPictureSource pictures;
    barmen::ClockDice dice;
    barmen::Form1 window(barmen::story::theStory(), pictures, dice);
    window.show();
    return app.exec();
}
