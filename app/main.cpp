#include <csignal>

#include <QApplication>
#include <QFont>

#include "app/desktop.h"
#include "app/form1.h"
#include "app/fonts.h"
#include "app/qtpictures.h"
#include "engine/duel.h"
#include "story/story.h"
#include "system/savefile.h"

int main(int argc, char *argv[])
{
    // Under a file-size limit (ulimit -f) a save must fail with a reason the
    // player reads, not end the game.
    std::signal(SIGXFSZ, SIG_IGN);
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
