#include "app/form1.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QShowEvent>

#include "app/captionbutton.h"
#include "app/qtpictures.h"
#include "app/skiptaskbar.h"
#include "system/quit.h"
#include "system/savefile.h"
#include "system/start.h"

namespace barmen {

namespace {

// The layout is kept in twips, 15 to the pixel.
constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

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

// One row of the story box, in pixels: a little over the 15 px of its 11.25 pt
// font, so six rows still fit inside the box.
constexpr qreal textLineHeight = 15.5;

// Scroll-bar grey of the classic desktop, the colour the story box was given.
constexpr QColor scrollBarColour{200, 200, 200};

QPixmap pixmapOf(const Picture &picture)
{
    const auto *qt = dynamic_cast<const QtPicture *>(&picture);
    return qt ? qt->pixmap() : QPixmap();
}

} // namespace

Form1::Form1(const Story &story, PictureSource &pictures, Dice &dice, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_pictures(pictures)
    , m_game(story, *this, pictures, dice)
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
    buildControls();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    // Created from the bottom of the stack up: a later sibling lies above an earlier one.
    m_bg = new QLabel(this);
    m_bg->setObjectName(QStringLiteral("bg"));
    m_bg->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_bg->setLineWidth(1);
    m_bg->move(twips(-120, 0, 0, 0).topLeft());
    showBackground(std::make_unique<QtPicture>(QImage(QStringLiteral(":/barmen/default-bg.jpg"))));

    m_label2 = new QLabel(QStringLiteral("바르멘"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setGeometry(twips(9000, 3960, 1935, 495));
    m_label2->setFont(storedFont(QStringLiteral("돋움"), 20.25, true));

    m_ch = new QLabel(this);
    m_ch->setObjectName(QStringLiteral("ch"));
    m_ch->move(twips(2160, 0, 0, 0).topLeft());
    showCharacter(std::make_unique<QtPicture>(QImage(QStringLiteral(":/barmen/default-ch.gif"))));

    m_label1 = new QLabel(QStringLiteral("by Tovren"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twips(9000, 4440, 1815, 735));
    m_label1->setFont(storedFont(QStringLiteral("굴림"), 15.75, true));

    for (QLabel *label : {m_label1, m_label2}) {
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    m_frame1 = new QGroupBox(QStringLiteral("행동 메뉴"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twips(9000, 120, 1815, 3255));
    auto button = [](const char *name, const QString &caption, QWidget *frame, QRect geometry) {
        auto *b = new CaptionButton(caption, frame);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(geometry);
        return b;
    };
    m_command2 = button("Command2", QStringLiteral("첫번째 선택지"), m_frame1, twips(120, 360, 1575, 495));
    m_command3 = button("Command3", QStringLiteral("두번째 선택지"), m_frame1, twips(120, 1080, 1575, 495));
    m_command4 = button("Command4", QStringLiteral("세번째 선택지"), m_frame1, twips(120, 1800, 1575, 495));
    m_command6 = button("Command6", QStringLiteral("독백, 이야기 진행"), m_frame1, twips(120, 2520, 1575, 495));

    m_text1 = new QTextEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twips(120, 6120, 8775, 1455));
    m_text1->setFont(storedFont(QStringLiteral("굴림"), 11.25, false));
    m_text1->setReadOnly(true);
    m_text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setAcceptRichText(false);
    m_text1->setLineWrapMode(QTextEdit::WidgetWidth);
    m_text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text1->document()->setDocumentMargin(1);
    QPalette textPalette = m_text1->palette();
    textPalette.setColor(QPalette::Base, scrollBarColour);
    m_text1->setPalette(textPalette);
    writeText(textBoxText(system::initialText()));

    m_frame2 = new QGroupBox(QStringLiteral("시스템 메뉴"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(twips(9000, 5280, 1815, 2295));
    m_command7 = button("Command7", QStringLiteral("시작하기"), m_frame2, twips(120, 360, 1095, 495));
    m_command8 = button("Command8", QStringLiteral("저장하기"), m_frame2, twips(120, 960, 1095, 495));
    m_command9 = button("Command9", QStringLiteral("불러오기"), m_frame2, twips(120, 1560, 1095, 495));
    m_command10 = button("Command10", QStringLiteral("끝내기"), m_frame2, twips(1320, 360, 375, 1695));

    // Over the frames, outside their buttons, the pointer is a crosshair.
    m_frame1->setCursor(Qt::CrossCursor);
    m_frame2->setCursor(Qt::CrossCursor);

    connect(m_command2, &QPushButton::clicked, this, &Form1::choice1Clicked);
    connect(m_command3, &QPushButton::clicked, this, &Form1::choice2Clicked);
    connect(m_command4, &QPushButton::clicked, this, &Form1::choice3Clicked);
    connect(m_command6, &QPushButton::clicked, this, &Form1::progressClicked);
    connect(m_command7, &QPushButton::clicked, this, &Form1::startClicked);
    connect(m_command8, &QPushButton::clicked, this, [this] { saveClicked(0); });
    connect(m_command9, &QPushButton::clicked, this, &Form1::loadClicked);
    connect(m_command10, &QPushButton::clicked, this, &Form1::quitClicked);

    const QWidget *tabOrder[] = {m_command2, m_command3, m_command4, m_command6, m_text1,
                                 m_command7, m_command8, m_command9, m_command10};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(const_cast<QWidget *>(tabOrder[i - 1]), const_cast<QWidget *>(tabOrder[i]));
    m_command2->setFocus();
}

void Form1::showEvent(QShowEvent *event)
{
    // The window manager reads the task-bar hint when the window is first mapped.
    if (!m_shownOnce) {
        m_shownOnce = true;
        skipTaskbar(*this);
        m_command2->setFocus();
    }
    QWidget::showEvent(event);
}

void Form1::setText(std::string_view block)
{
    writeText(textBoxText(block));
}

void Form1::writeText(const QString &text)
{
    m_text1->setPlainText(text);
    // Rows as tall as the font, as on the desktop the story was written for:
    // the box then shows all six lines of the longest block.
    QTextBlockFormat rows;
    rows.setLineHeight(textLineHeight, QTextBlockFormat::FixedHeight);
    QTextCursor all(m_text1->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(rows);
}

void Form1::showBackground(std::unique_ptr<Picture> picture)
{
    const QPixmap pixmap = pixmapOf(*picture);
    m_bg->setPixmap(pixmap);
    // The control takes the picture's size, plus its one-pixel border, from its top-left corner.
    m_bg->resize(pixmap.size() + QSize(2, 2));
}

void Form1::showCharacter(std::unique_ptr<Picture> picture)
{
    const QPixmap pixmap = pixmapOf(*picture);
    m_ch->setPixmap(pixmap);
    m_ch->resize(pixmap.size());
}

void Form1::press(ActionButton button)
{
    reportStep(m_game.press(button));
}

void Form1::reportStep(const StepResult &result)
{
    if (!result.failed())
        return;
    m_report(QStringLiteral("그림 파일 \"%1\"을(를) 보여 줄 수 없습니다.\n%2")
                 .arg(fromUtf8(result.file), fromUtf8(result.reason)));
}

void Form1::choice1Clicked() { press(ActionButton::Choice1); }
void Form1::choice2Clicked() { press(ActionButton::Choice2); }
void Form1::choice3Clicked() { press(ActionButton::Choice3); }
void Form1::progressClicked() { press(ActionButton::Progress); }

void Form1::startClicked()
{
    reportStep(system::start(m_game.state(), *this, m_pictures));
}

void Form1::saveClicked(int /*index*/)
{
    const system::SaveResult saved = system::writeSave(m_game.state().prevLabel);
    if (!saved.ok)
        m_report(saved.error);
}

void Form1::loadClicked()
{
    system::LoadResult loaded = system::readSave();
    if (!loaded.ok) {
        m_report(loaded.error);
        return;
    }
    // Nothing is redrawn: the next click on the button that showed the saved scene shows it again.
    m_game.state().sceneLabel = std::move(loaded.label);
}

void Form1::quitClicked()
{
    hide();
    system::quit();
}

} // namespace barmen
