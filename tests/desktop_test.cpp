// The game's set-up for the desktop: Qt's own texts in Korean, so the message
// box a failed load shows says "확인", not "OK".
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/qt/desktop.h"
#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "story/story.h"
#include "system/savefile.h"
#include "fakes.h"

namespace barmen {
namespace {

TEST(Desktop, theGamesMessageBoxSaysOkInKorean)
{
    ASSERT_TRUE(loadQtKorean(*qApp)) << "qtbase_ko.qm not found (Debian's qt6-translations-l10n)";

    // A load with no save file: the window's own report, a warning box.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString oldFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QtPictureSource pictures;
    test::ScriptedDice dice;
    system::SaveFile saves;
    Form1 window(story::theStory(), pictures, dice, saves);
    window.show();

    QStringList captions;
    QTimer::singleShot(0, &window, [&captions] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *b : box->buttons())
            captions << b->text();
        box->done(0);
    });
    window.findChild<QPushButton *>(QStringLiteral("Command9"))->click();
    QDir::setCurrent(oldFolder);

    EXPECT_EQ(captions, QStringList{QStringLiteral("확인")});
}

} // namespace
} // namespace barmen
