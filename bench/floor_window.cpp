// The floor for the game's start-up: a bare Qt program with the same window,
// widgets, fonts, default pictures and initial text as the game's window, and
// nothing else. tools/bench starts it and the game alike and times both to
// their first paint. Like the game's, its buttons show pictures: 시작하기 the
// start screen's two, the progress button the first scene's two, each read
// from its file in the current folder as the game reads them, with a text
// of two lines, so that ten presses cost it what they cost the game.

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QFont gulim(QStringLiteral("NanumGothic"), 11);

    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("바닥"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/floor/icon-32.png"));
    icon.addFile(QStringLiteral(":/floor/icon-16.png"));
    window.setWindowIcon(icon);
    window.setFixedSize(727, 510);

    auto *bg = new QLabel(&window);
    bg->setPixmap(QPixmap(QStringLiteral(":/floor/default-bg.jpg")));
    bg->setGeometry(-8, 0, 602, 402);
    auto *title = new QLabel(QStringLiteral("바르멘"), &window);
    title->setGeometry(600, 264, 129, 33);
    title->setFont(QFont(QStringLiteral("NanumGothic"), 20, QFont::Bold));
    auto *ch = new QLabel(&window);
    ch->setPixmap(QPixmap(QStringLiteral(":/floor/default-ch.gif")));
    ch->setGeometry(144, 0, 300, 400);
    auto *byline = new QLabel(QStringLiteral("by Tovren"), &window);
    byline->setGeometry(600, 296, 121, 49);
    byline->setFont(QFont(QStringLiteral("NanumGothic"), 15, QFont::Bold));

    auto *text = new QTextEdit(&window);
    auto show = [=](const char *background, const char *character, const char *words) {
        bg->setPixmap(QPixmap(QString::fromUtf8(background)));
        ch->setPixmap(QPixmap(QString::fromUtf8(character)));
        text->setPlainText(QString::fromUtf8(words));
    };

    auto *actions = new QGroupBox(QStringLiteral("행동 메뉴"), &window);
    actions->setGeometry(600, 8, 121, 217);
    const char *actionCaptions[] = {"첫번째 선택지", "두번째 선택지", "세번째 선택지", "독백, 이야기 진행"};
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QString::fromUtf8(actionCaptions[i]), actions))->setGeometry(8, 24 + 48 * i, 105, 33);
    QObject::connect(actions->findChildren<QPushButton *>().last(), &QPushButton::clicked, [=] {
        show("배경1.jpg", "시작 2.gif", "눈을 떴다.\n숲이었다.");
    });

    text->setGeometry(8, 408, 585, 97);
    text->setFont(gulim);
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(QStringLiteral("<바르멘>\n\n시작하기를 누르면 시작합니다.\n"
                                      "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.\n"
                                      "시작하기를 누르면 다시 처음부터 시작합니다.\n"));

    auto *system = new QGroupBox(QStringLiteral("시스템 메뉴"), &window);
    system->setGeometry(600, 352, 121, 153);
    const char *systemCaptions[] = {"시작하기", "저장하기", "불러오기"};
    for (int i = 0; i < 3; ++i)
        (new QPushButton(QString::fromUtf8(systemCaptions[i]), system))->setGeometry(8, 24 + 40 * i, 73, 33);
    QObject::connect(system->findChildren<QPushButton *>().first(), &QPushButton::clicked, [=] {
        show("배경1.jpg", "시작.gif", "시작.");
    });
    (new QPushButton(QStringLiteral("끝내기"), system))->setGeometry(88, 24, 25, 113);

    window.show();
    return app.exec();
}
