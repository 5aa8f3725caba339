#include "app/form1.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QShowEvent>

#include "app/captionbutton.h"
#include "app/qtpictures.h"
#include "app/skiptaskbar.h"
#include "app/storybox.h"
#include "app/twips.h"
#include "engine/textblock.h"
#include "system/korean.h"
#include "system/quit.h"

namespace barmen {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Text blocks come with CR LF between lines; the text box takes plain line feeds.
QString textBoxText(std::string_view block)
{
    return fromUtf8(block).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QFont storedFont(const QString &family, qreal points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The engine hands on only pictures from the window's own source, which
// makes nothing but Qt pictures.
QPixmap pixmapOf(const Picture &picture)
{
    return static_cast<const QtPicture &>(picture).pixmap();
}

} // namespace

Form1::Form1(const Story &story, QtPictureSource &pictures, Dice &dice, SaveStore &saves, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_game(story, *this, pictures, dice, saves)
    , m_report([this](const QString &message) {
        QMessageBox::warning(this, windowTitle(), message);
    })
{
    setWindowTitle(QStringLiteral("바르멘"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/barmen/icon-32.png"));
    icon.addFile(QStringLiteral(":/barmen/icon-16.png"));
    setWindowIcon(icon);
    setFixedSize(727, 510);
    buildControls(story);
}

Form1::~Form1() = default;

void Form1::buildControls(const Story &story)
{
    // Created from the bottom of the stack up: a later sibling lies above an earlier one.
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("bg"));
    m_background->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_background->setLineWidth(1);
    m_background->move(twips(-120, 0, 0, 0).topLeft());
    showBackground(QPixmap(QStringLiteral(":/barmen/default-bg.jpg")));

    m_titleLabel = new QLabel(QStringLiteral("바르멘"), this);
    m_titleLabel->setObjectName(QStringLiteral("Label2"));
    m_titleLabel->setGeometry(twips(9000, 3960, 1935, 495));
    m_titleLabel->setFont(storedFont(QStringLiteral("돋움"), 20.25, true));

    m_character = new QLabel(this);
    m_character->setObjectName(QStringLiteral("ch"));
    m_character->move(twips(2160, 0, 0, 0).topLeft());
    showCharacter(QPixmap(QStringLiteral(":/barmen/default-ch.gif")));

    m_authorLabel = new QLabel(QStringLiteral("by Tovren"), this);
    m_authorLabel->setObjectName(QStringLiteral("Label1"));
    m_authorLabel->setGeometry(twips(9000, 4440, 1815, 735));
    m_authorLabel->setFont(storedFont(QStringLiteral("굴림"), 15.75, true));

    for (QLabel *label : {m_authorLabel, m_titleLabel}) {
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    m_actionMenu = new QGroupBox(QStringLiteral("행동 메뉴"), this);
    m_actionMenu->setObjectName(QStringLiteral("Frame1"));
    m_actionMenu->setGeometry(twips(9000, 120, 1815, 3255));
    auto button = [](const char *name, const QString &caption, QWidget *frame, QRect geometry) {
        auto *b = new CaptionButton(caption, frame);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(geometry);
        return b;
    };
    m_choice1Button = button("Command2", QStringLiteral("첫번째 선택지"), m_actionMenu, twips(120, 360, 1575, 495));
    m_choice2Button = button("Command3", QStringLiteral("두번째 선택지"), m_actionMenu, twips(120, 1080, 1575, 495));
    m_choice3Button = button("Command4", QStringLiteral("세번째 선택지"), m_actionMenu, twips(120, 1800, 1575, 495));
    m_progressButton = button("Command6", QStringLiteral("독백, 이야기 진행"), m_actionMenu, twips(120, 2520, 1575, 495));

    m_storyBox = new StoryBox(this);
    m_storyBox->showText(textBoxText(initialText(story.title.text)));

    m_systemMenu = new QGroupBox(QStringLiteral("시스템 메뉴"), this);
    m_systemMenu->setObjectName(QStringLiteral("Frame2"));
    m_systemMenu->setGeometry(twips(9000, 5280, 1815, 2295));
    m_startButton = button("Command7", QStringLiteral("시작하기"), m_systemMenu, twips(120, 360, 1095, 495));
    m_saveButton = button("Command8", QStringLiteral("저장하기"), m_systemMenu, twips(120, 960, 1095, 495));
    m_loadButton = button("Command9", QStringLiteral("불러오기"), m_systemMenu, twips(120, 1560, 1095, 495));
    m_quitButton = button("Command10", QStringLiteral("끝내기"), m_systemMenu, twips(1320, 360, 375, 1695));

    // Over the frames, outside their buttons, the pointer is a crosshair.
    m_actionMenu->setCursor(Qt::CrossCursor);
    m_systemMenu->setCursor(Qt::CrossCursor);

    connect(m_choice1Button, &QPushButton::clicked, this, &Form1::choice1Clicked);
    connect(m_choice2Button, &QPushButton::clicked, this, &Form1::choice2Clicked);
    connect(m_choice3Button, &QPushButton::clicked, this, &Form1::choice3Clicked);
    connect(m_progressButton, &QPushButton::clicked, this, &Form1::progressClicked);
    connect(m_startButton, &QPushButton::clicked, this, &Form1::startClicked);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveClicked(0); });
    connect(m_loadButton, &QPushButton::clicked, this, &Form1::loadClicked);
    connect(m_quitButton, &QPushButton::clicked, this, &Form1::quitClicked);

    QWidget *const tabOrder[] = {m_choice1Button, m_choice2Button, m_choice3Button, m_progressButton,
                                 m_storyBox, m_startButton, m_saveButton, m_loadButton, m_quitButton};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    m_choice1Button->setFocus();
}

void Form1::showEvent(QShowEvent *event)
{
    // The window manager reads the task-bar hint when the window is first mapped.
    if (!m_shownOnce) {
        m_shownOnce = true;
        skipTaskbar(*this);
        m_choice1Button->setFocus();
    }
    QWidget::showEvent(event);
}

void Form1::setText(std::string_view block)
{
    m_storyBox->showText(textBoxText(block));
}

void Form1::showBackground(std::unique_ptr<Picture> picture)
{
    showBackground(pixmapOf(*picture));
}

void Form1::showCharacter(std::unique_ptr<Picture> picture)
{
    showCharacter(pixmapOf(*picture));
}

void Form1::showBackground(const QPixmap &pixmap)
{
    m_background->setPixmap(pixmap);
    // The control takes the picture's size, plus its one-pixel border, from its top-left corner.
    m_background->resize(pixmap.size() + QSize(2, 2));
}

void Form1::showCharacter(const QPixmap &pixmap)
{
    m_character->setPixmap(pixmap);
    m_character->resize(pixmap.size());
}

void Form1::report(const StepResult &result)
{
    switch (result.kind) {
    case StepResult::Kind::Missed:
    case StepResult::Kind::Performed:
        return;
    case StepResult::Kind::PictureFailed:
        m_report(QStringLiteral("그림 파일 %1 보여 줄 수 없습니다.\n%2")
                     .arg(system::withParticle(QLatin1Char('"') + fromUtf8(result.file) + QLatin1Char('"'),
                                               system::object),
                          fromUtf8(result.reason)));
        return;
    case StepResult::Kind::SaveFailed:
    case StepResult::Kind::LoadFailed:
        m_report(fromUtf8(result.reason));
        return;
    }
}

void Form1::choice1Clicked() { report(m_game.press(ActionButton::Choice1)); }
void Form1::choice2Clicked() { report(m_game.press(ActionButton::Choice2)); }
void Form1::choice3Clicked() { report(m_game.press(ActionButton::Choice3)); }
void Form1::progressClicked() { report(m_game.press(ActionButton::Progress)); }
void Form1::startClicked() { report(m_game.start()); }
void Form1::saveClicked(int /*index*/) { report(m_game.save()); }
void Form1::loadClicked() { report(m_game.load()); }

void Form1::quitClicked()
{
    hide();
    system::quit();
}

} // namespace barmen
