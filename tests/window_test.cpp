#include <cmath>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "app/qt/form1.h"
#include "app/qt/qtstring.h"
#include "app/qt/storybox.h"
#include "app/qt/twips.h"
#include "layout/form1.h"
#include "app/qt/qtpictures.h"
#include "engine/duel.h"
#include "engine/textblock.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"
#include "fakes.h"
#include "gamefolder.h"

namespace barmen {
namespace {

namespace L = label;

// The game in a temporary folder holding copies of its pictures, as a player
// would have it beside the program.
struct WindowTest : ::testing::Test {
    QTemporaryDir folder;
    QString oldFolder = QDir::currentPath();
    QtPictureSource pictures;
    test::ScriptedDice dice;
    system::SaveFile saves;
    QStringList reports;
    std::unique_ptr<Form1> window;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_EQ(test::copyGamePictures(QDir(QStringLiteral(BARMEN_ASSETS_DIR)), QDir(folder.path())),
                  QString());
        QDir::setCurrent(folder.path());
        window = std::make_unique<Form1>(story::theStory(), pictures, dice, saves);
        window->setReporter([this](const QString &m) { reports << m; });
        window->show();
    }
    void TearDown() override { QDir::setCurrent(oldFolder); }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QString text() const { return control<QTextEdit>("Text1")->toPlainText(); }
    GameState &state() { return window->state(); }
};

// The window is built from its layout: every control of it, with its name,
// parent and place, and the pictures' controls sized by the default pictures.
TEST_F(WindowTest, everyControlStandsWhereTheLayoutPutsIt)
{
    EXPECT_EQ(window->size(), QSize(727, 510));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    for (const layout::Control &c : layout::controls) {
        const QString name = qtString(c.name);
        QWidget *w = control(name.toLatin1().constData());
        ASSERT_TRUE(w) << c.name;
        EXPECT_EQ(w->geometry(), qtRect(c.place)) << c.name;
        const layout::Rect inWindow = layout::inWindow(c);
        EXPECT_EQ(QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()),
                  QRect(inWindow.left, inWindow.top, inWindow.width, inWindow.height)) << c.name;
        QWidget *parent = w->parentWidget();
        EXPECT_EQ(parent == window.get() ? QStringLiteral("Form1") : parent->objectName(),
                  qtString(c.parent)) << c.name;
        if (c.font) {
            EXPECT_EQ(w->font().pointSizeF(), c.font->points) << c.name;
            EXPECT_EQ(w->font().bold(), c.font->bold()) << c.name;
        }
    }
    // The default pictures give bg its border's two pixels more, ch its picture's size.
    EXPECT_EQ(control("bg")->geometry(), QRect(-8, 0, 602, 402));
    EXPECT_EQ(control("ch")->geometry(), QRect(144, 0, 300, 400));
    // Earlier controls lie above later ones: ch over bg, the frames and the text over both.
    const QObjectList &stack = window->children();
    auto depth = [&](const char *name) { return stack.indexOf(control(name)); };
    EXPECT_GT(depth("ch"), depth("bg"));
    EXPECT_GT(depth("ch"), depth("Label2"));
    EXPECT_GT(depth("Text1"), depth("ch"));
    EXPECT_GT(depth("Frame1"), depth("Label1"));
}

TEST_F(WindowTest, captionsAreTheGamesOwn)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("바르멘"));
    const std::pair<const char *, QString> captions[] = {
        {"Command2", QStringLiteral("첫번째 선택지")}, {"Command3", QStringLiteral("두번째 선택지")},
        {"Command4", QStringLiteral("세번째 선택지")}, {"Command6", QStringLiteral("독백, 이야기 진행")},
        {"Command7", QStringLiteral("시작하기")},      {"Command8", QStringLiteral("저장하기")},
        {"Command9", QStringLiteral("불러오기")},      {"Command10", QStringLiteral("끝내기")},
    };
    for (const auto &[name, caption] : captions)
        EXPECT_EQ(button(name)->text(), caption) << name;
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), QStringLiteral("행동 메뉴"));
    EXPECT_EQ(control<QGroupBox>("Frame2")->title(), QStringLiteral("시스템 메뉴"));
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("by Tovren"));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("바르멘"));
}

// The stored fonts must land on a real Hangul font, or every line of the story
// is drawn in boxes or with the wrong widths.
TEST_F(WindowTest, fontsResolveToAHangulFont)
{
    const std::tuple<const char *, const char *, qreal, bool> fonts[] = {
        {"Text1", "굴림", 11.25, false}, {"Label1", "굴림", 15.75, true}, {"Label2", "돋움", 20.25, true}};
    for (const auto &[name, family, points, bold] : fonts) {
        const QFont font = control(name)->font();
        // The stored face, or on a machine without it the face it is mapped
        // onto, by a name the machine has.
        const QString face = QString::fromUtf8(family);
        const QString expected = QFontDatabase::hasFamily(face) ? face : QStringLiteral("NanumGothic");
        EXPECT_EQ(font.family().toLower().toStdString(), expected.toLower().toStdString()) << name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), points) << name;
        EXPECT_EQ(font.bold(), bold) << name;
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut()) << name;
        EXPECT_TRUE(QFontInfo(font).family().contains(QStringLiteral("Nanum"), Qt::CaseInsensitive)
                    || QFontInfo(font).family().contains(QStringLiteral("나눔")))
            << name << " resolves to " << QFontInfo(font).family().toStdString();
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0xBC14))) << name;   // 바
    }
}

TEST_F(WindowTest, textBoxIsLockedWithoutScrollBarsAndStartsWithTheTitleText)
{
    auto *text1 = control<QTextEdit>("Text1");
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_EQ(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text1->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(text(), QStringLiteral("<바르멘>\n\n시작하기를 누르면 시작합니다.\n"
                                     "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.\n"
                                     "시작하기를 누르면 다시 처음부터 시작합니다.\n"));
}

// Six lines are the longest block the story writes; all of them must show.
TEST_F(WindowTest, textBoxShowsSixLines)
{
    state().sceneLabel = std::string(L::End);
    window->run(layout::Command::Progress);
    auto *text1 = control<QTextEdit>("Text1");
    EXPECT_EQ(text().count(QLatin1Char('\n')), 5);
    EXPECT_LE(text1->document()->size().height(), text1->viewport()->height());
}

// Every block of six lines, in the window's own box with the fonts-nanum
// mapping: six rows, none wrapped, all inside the box.
TEST_F(WindowTest, textBoxShowsEverySixLineBlockWhole)
{
    auto *text1 = control<StoryBox>("Text1");
    ASSERT_NE(text1, nullptr);
    int blocks = 0;
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : story::theStory().table(button).rows()) {
            if (row.text.count != maxLines)
                continue;
            ++blocks;
            text1->showText(QString::fromStdString(joinLines(row.text)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QTextDocument *document = text1->document();
            document->documentLayout()->blockBoundingRect(document->lastBlock());
            int rows = 0;
            for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
                rows += block.layout()->lineCount();
            EXPECT_EQ(rows, 6) << row.label;
            EXPECT_LE(document->size().height(), text1->viewport()->height()) << row.label;
        }
    EXPECT_GE(blocks, 10);
}

TEST_F(WindowTest, tabOrderRunsThroughTheButtonsAndFocusStartsOnTheFirstChoice)
{
    EXPECT_EQ(window->focusWidget(), button("Command2"));
    const char *order[] = {"Command2", "Command3", "Command4", "Command6", "Text1",
                           "Command7", "Command8", "Command9", "Command10", "Command2"};
    QWidget *w = control(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
        EXPECT_EQ(w->objectName(), QLatin1String(order[i])) << "after " << order[i - 1];
    }
}

// As keys, not only as a chain: Tab and Shift+Tab walk every control and
// wrap, into the read-only story box and out of it, and a click in the box
// does not keep the focus there.
TEST_F(WindowTest, tabAndShiftTabGoInAndOutOfTheStoryBox)
{
    QApplication::setActiveWindow(window.get());
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            return std::string();
        QKeyEvent down(QEvent::KeyPress, key, modifiers), up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : std::string();
    };
    const char *order[] = {"Command2", "Command3", "Command4", "Command6", "Text1",
                           "Command7", "Command8", "Command9", "Command10", "Command2"};
    button("Command2")->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i)
        EXPECT_EQ(press(Qt::Key_Tab), order[i]) << "Tab after " << order[i - 1];
    for (std::size_t i = std::size(order) - 1; i > 0; --i)
        EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), order[i - 1])
            << "Shift+Tab after " << order[i];

    // A click gives the focus as the platform does for a real one (a sent
    // event is not the platform's), and the box's own handling of the click
    // runs with it.
    auto clickInTheBox = [&] {
        auto *box = control<QTextEdit>("Text1");
        EXPECT_TRUE(box->focusPolicy() & Qt::ClickFocus);
        box->setFocus(Qt::MouseFocusReason);
        QWidget *inside = box->viewport();
        const QPointF at(20, 20);
        QMouseEvent down(QEvent::MouseButtonPress, at, inside->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, at, inside->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(inside, &down);
        QApplication::sendEvent(inside, &up);
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : std::string();
    };
    EXPECT_EQ(clickInTheBox(), "Text1");
    EXPECT_EQ(press(Qt::Key_Tab), "Command7");
    EXPECT_EQ(clickInTheBox(), "Text1");
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), "Command6");
}

TEST_F(WindowTest, crosshairOnlyOverTheFrames)
{
    for (const char *frame : {"Frame1", "Frame2"})
        EXPECT_EQ(control(frame)->cursor().shape(), Qt::CrossCursor) << frame;
    for (const char *name : {"Command2", "Command6", "Command7", "Command10", "bg", "ch", "Label1", "Label2"})
        EXPECT_NE(control(name)->cursor().shape(), Qt::CrossCursor) << name;
}

TEST_F(WindowTest, fixedDialogFrameWithOnlyACloseBox)
{
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->minimumSize(), QSize(727, 510));
    EXPECT_EQ(window->maximumSize(), QSize(727, 510));
}

TEST_F(WindowTest, defaultPicturesShowUntilTheFirstScene)
{
    EXPECT_EQ(control<QLabel>("bg")->pixmap().size(), QSize(600, 400));
    EXPECT_EQ(control<QLabel>("ch")->pixmap().size(), QSize(300, 400));
    EXPECT_TRUE(control<QLabel>("ch")->pixmap().hasAlphaChannel());
}

// ch is drawn over bg, and a GIF's transparent colour lets the background through.
TEST_F(WindowTest, characterPictureLetsTheBackgroundShowThrough)
{
    button("Command7")->click();
    const QImage forest = QImage(QStringLiteral("배경1.jpg")).convertToFormat(QImage::Format_RGB32);
    const QImage figure = QImage(QStringLiteral("시작.gif")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(forest.isNull() || figure.isNull());
    QPoint clear(-1, -1), solid(-1, -1);
    for (int y = 1; y < figure.height(); ++y)
        for (int x = 0; x < figure.width(); ++x) {
            const int alpha = qAlpha(figure.pixel(x, y));
            if (alpha == 0 && clear.x() < 0)
                clear = {x, y};
            if (alpha == 255 && solid.x() < 0)
                solid = {x, y};
        }
    ASSERT_GE(clear.x(), 0);
    ASSERT_GE(solid.x(), 0);
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // ch stands at x 144; bg at x -8 inside a one-pixel border.
    const QPoint chAt(144, 0), bgImageAt(-7, 1);
    EXPECT_EQ(shot.pixel(chAt + clear), forest.pixel(chAt + clear - bgImageAt));
    EXPECT_EQ(shot.pixel(chAt + solid), figure.pixel(solid));
}

TEST_F(WindowTest, picturesResizeTheirControlsFromTheTopLeftCorner)
{
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::green);
    // The game decodes by content, whatever the name says.
    ASSERT_TRUE(small.save(QStringLiteral("배경1.jpg"), "JPEG"));
    ASSERT_TRUE(small.save(QStringLiteral("시작.gif"), "JPEG"));
    button("Command7")->click();
    EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(control("bg")->geometry(), QRect(-8, 0, 102, 52));
    EXPECT_EQ(control("ch")->geometry(), QRect(144, 0, 100, 50));
}

TEST_F(WindowTest, actionButtonsDoNothingBeforeStart)
{
    for (const char *name : {"Command2", "Command3", "Command4", "Command6"})
        button(name)->click();
    EXPECT_TRUE(state().sceneLabel.empty());
    EXPECT_TRUE(state().prevLabel.empty());
    EXPECT_TRUE(text().startsWith(QStringLiteral("<바르멘>")));
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(WindowTest, eachButtonReachesItsHandler)
{
    button("Command7")->click();
    EXPECT_EQ(state().sceneLabel, L::Start);
    EXPECT_FALSE(text().endsWith(QLatin1Char('\n')));

    button("Command6")->click();
    EXPECT_EQ(state().sceneLabel, L::Start2);
    EXPECT_EQ(state().prevLabel, L::Start);

    state().sceneLabel = std::string(L::Act1);
    button("Command2")->click();
    EXPECT_EQ(state().sceneLabel, L::Road1);
    state().sceneLabel = std::string(L::Act1);
    button("Command3")->click();
    EXPECT_EQ(state().sceneLabel, L::Bush1);
    state().sceneLabel = std::string(L::Act1);
    button("Command4")->click();
    EXPECT_EQ(state().sceneLabel, L::Magic1);

    button("Command8")->click();   // saves prevLabel, the menu the choice answered
    QFile save(QStringLiteral("save.sav"));
    ASSERT_TRUE(save.open(QIODevice::ReadOnly));
    EXPECT_EQ(save.readAll(), QByteArray("\xC7\xE0\xB5\xBF 1\r\n"));   // "행동 1"

    const QString onScreen = text();
    button("Command9")->click();
    EXPECT_EQ(state().sceneLabel, L::Act1);
    EXPECT_EQ(text(), onScreen);   // load redraws nothing

    button("Command10")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowTest, missingPictureIsReportedAndChangesNothing)
{
    button("Command7")->click();
    const QString before = text();
    const QPixmap bgBefore = control<QLabel>("bg")->pixmap();
    ASSERT_TRUE(QFile::remove(QStringLiteral("시작 2.gif")));
    button("Command6")->click();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("시작 2.gif")));
    EXPECT_EQ(state().sceneLabel, L::Start);
    EXPECT_EQ(text(), before);
    EXPECT_EQ(control<QLabel>("bg")->pixmap().cacheKey(), bgBefore.cacheKey());
}

TEST_F(WindowTest, loadWithoutASaveIsReportedAndChangesNothing)
{
    state().sceneLabel = std::string(L::Start5);
    button("Command9")->click();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("save.sav")));
    EXPECT_EQ(state().sceneLabel, L::Start5);
}

// Whole routes through the real window, as a player clicks them.
struct WindowPlay : WindowTest {
    QPushButton *progress() const { return button("Command6"); }
    void click(const char *name, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            button(name)->click();
    }
    void progressTo(std::string_view target)
    {
        for (int i = 0; i < 200 && state().sceneLabel != target; ++i)
            progress()->click();
        ASSERT_EQ(state().sceneLabel, target);
    }
    void golemWill(int move)
    {
        const float bc = move == 1 ? 0.1f : move == 2 ? 0.6f : 0.9f;
        dice.values.insert(dice.values.end(), {0.5f, bc, bc, move == 3 ? 0.9f : 0.1f});
    }
    void toTheDuel()
    {
        click("Command7");
        progressTo(L::Observe2);
        click("Command2");
        progressTo(L::Act1);
        click("Command3");
        progressTo(L::Branch1);
        click("Command4");
        progressTo(L::Branch3);
        click("Command4");
        progressTo(L::Branch4);
        click("Command2");
        progressTo(L::Showdown40);
        click("Command2");
        progressTo(L::Golem8);
    }
    QByteArray saveFile() const
    {
        QFile f(QStringLiteral("save.sav"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(WindowPlay, toTheGoodEnd)
{
    toTheDuel();
    click("Command2");                  // no move drawn yet in this run: nothing
    EXPECT_EQ(state().sceneLabel, L::Golem8);
    golemWill(1);
    progress()->click();
    EXPECT_TRUE(text().startsWith(QStringLiteral("1. 공격")));
    click("Command2", 2);               // attack against attack: a tie, twice
    EXPECT_EQ(state().sceneLabel, L::Golem8);
    click("Command4");                  // the charge beats the tied attack
    EXPECT_EQ(state().sceneLabel, L::Ending);
    progressTo(L::Ending36);
    const QString lastFragment = text();
    progress()->click();
    EXPECT_EQ(text(), lastFragment);
    EXPECT_EQ(control<QLabel>("bg")->pixmap().size(), QSize(600, 400));
    click("Command8");
    EXPECT_EQ(saveFile(), QByteArray("\xBF\xA3\xB5\xF9 36\r\n"));   // "엔딩 36" saves itself
    EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowPlay, toTheFallAndBackFromIt)
{
    toTheDuel();
    golemWill(2);
    progress()->click();
    click("Command4");                  // a charge into a dodge
    EXPECT_EQ(state().sceneLabel, L::End);
    progress()->click();
    progress()->click();
    EXPECT_EQ(state().sceneLabel, L::GameOver);
    EXPECT_EQ(text(), QStringLiteral("<게임 오버>\n\n시작하기 및 불러오기를 누르시고\n진행해 주세요."));
    click("Command8");
    EXPECT_EQ(saveFile(), QByteArray("\xB3\xA1\r\n"));                 // "게임오버" saves "끝"
    click("Command9");
    EXPECT_EQ(state().sceneLabel, L::End);
    progress()->click();
    EXPECT_EQ(state().sceneLabel, L::GameOver);
    click("Command7");
    EXPECT_EQ(state().sceneLabel, L::Start);
    EXPECT_EQ(state().battleRoll, 2);   // start resets nothing
    EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowPlay, loadAtTheDuelKeepsTheLastMove)
{
    toTheDuel();
    golemWill(3);
    progress()->click();
    click("Command8");                  // saves "골렘 8"
    click("Command3");                  // dodge beats the charge
    EXPECT_EQ(state().sceneLabel, L::Ending);
    click("Command9");
    EXPECT_EQ(state().sceneLabel, L::Golem8);
    EXPECT_EQ(state().battleRoll, 3);   // never saved, never reset
    click("Command3");
    EXPECT_EQ(state().sceneLabel, L::Ending);
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop theme gives light text: the story box, which keeps its grey,
// must keep its text dark with it, and every other control reads as well.
TEST_F(WindowTest, everythingReadsUnderADarkTheme)
{
    const QPalette before = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(36, 36, 36));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
    QApplication::setPalette(dark);
    Form1 darkWindow(story::theStory(), pictures, dice, saves);
    darkWindow.show();

    QWidget *box = darkWindow.findChild<QTextEdit *>(QStringLiteral("Text1"));
    ASSERT_TRUE(box);
    EXPECT_GE(contrast(box->palette().color(QPalette::Text), box->palette().color(QPalette::Base)), 4.5);
    for (const char *name : {"Label1", "Label2"}) {
        const QWidget *w = darkWindow.findChild<QWidget *>(QLatin1String(name));
        EXPECT_GE(contrast(w->palette().color(QPalette::WindowText), w->palette().color(QPalette::Window)), 4.5)
            << name;
    }
    for (const char *name : {"Command2", "Command6", "Command7", "Command10"}) {
        const QWidget *w = darkWindow.findChild<QWidget *>(QLatin1String(name));
        EXPECT_GE(contrast(w->palette().color(QPalette::ButtonText), w->palette().color(QPalette::Button)), 4.5)
            << name;
    }
    // And as drawn: the title text in the box is dark ink on the grey.
    const QImage shot = box->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    EXPECT_LT(darkest, 60);
    QApplication::setPalette(before);
}

// A screen reader hears each button's caption and the story box's text.
TEST_F(WindowTest, screenReadersGetTheCaptionsAndTheStory)
{
    const std::pair<const char *, const char *> captions[] = {
        {"Command2", "첫번째 선택지"}, {"Command3", "두번째 선택지"}, {"Command4", "세번째 선택지"},
        {"Command6", "독백, 이야기 진행"}, {"Command7", "시작하기"}, {"Command8", "저장하기"},
        {"Command9", "불러오기"}, {"Command10", "끝내기"},
    };
    for (const auto &[name, caption] : captions) {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(control(name));
        ASSERT_TRUE(button) << name;
        EXPECT_EQ(button->role(), QAccessible::Button) << name;
        EXPECT_EQ(button->text(QAccessible::Name), QString::fromUtf8(caption)) << name;
    }

    this->button("Command7")->click();
    this->button("Command6")->click();
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(control("Text1"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("이야기"));
    QAccessibleTextInterface *text = box->textInterface();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(0, text->characterCount()), this->text());
    EXPECT_FALSE(this->text().isEmpty());
}

} // namespace
} // namespace barmen
