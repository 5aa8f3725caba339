#include "app/qt/form1.h"

#include <map>

#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QShowEvent>

#include "app/qt/captionbutton.h"
#include "app/qt/fonts.h"
#include "app/qt/qtpictures.h"
#include "app/qt/qtstring.h"
#include "app/qt/skiptaskbar.h"
#include "app/qt/storybox.h"
#include "app/qt/twips.h"
#include "engine/textblock.h"
#include "system/failure.h"

namespace barmen {

namespace {

// Text blocks come with CR LF between lines; the text box takes plain line feeds.
QString textBoxText(std::string_view block)
{
    return qtString(block).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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
    setWindowTitle(qtString(layout::windowCaption));
    QIcon icon;
    icon.addFile(QStringLiteral(":/barmen/icon-32.png"));
    icon.addFile(QStringLiteral(":/barmen/icon-16.png"));
    setWindowIcon(icon);
    setFixedSize(qtRect(layout::clientArea).size());
    buildControls(story);
}

Form1::~Form1() = default;

void Form1::buildControls(const Story &story)
{
    // Created from the bottom of the stack up, a later sibling lying above an
    // earlier one: the stored order read backwards, the frames' buttons after
    // their frames.
    std::map<std::string_view, QWidget *> made;
    auto build = [&](const layout::Control &c) {
        QWidget *parent = c.parent == layout::windowName ? static_cast<QWidget *>(this) : made.at(c.parent);
        QWidget *w = nullptr;
        switch (c.kind) {
        case layout::Kind::Frame:
            w = new QGroupBox(qtString(c.caption), parent);
            // Over the frames, outside their buttons, the pointer is a crosshair.
            if (layout::crosshairOver(c))
                w->setCursor(Qt::CrossCursor);
            break;
        case layout::Kind::Button:
            w = new CaptionButton(qtString(c.caption), parent);
            break;
        case layout::Kind::TextBox:
            w = m_storyBox = new StoryBox(parent);
            break;
        case layout::Kind::Label: {
            auto *label = new QLabel(qtString(c.caption), parent);
            label->setAutoFillBackground(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case layout::Kind::Image:
            w = new QLabel(parent);
            break;
        }
        w->setObjectName(QLatin1String(c.name.data(), qsizetype(c.name.size())));
        w->setGeometry(qtRect(c.place));
        if (c.font)
            w->setFont(storedFont(*c.font));
        made[c.name] = w;
    };
    for (auto c = layout::controls.rbegin(); c != layout::controls.rend(); ++c)
        if (c->parent == layout::windowName)
            build(*c);
    for (auto c = layout::controls.rbegin(); c != layout::controls.rend(); ++c)
        if (c->parent != layout::windowName)
            build(*c);

    m_background = static_cast<QLabel *>(made.at("bg"));
    m_character = static_cast<QLabel *>(made.at("ch"));
    m_background->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_background->setLineWidth(layout::backgroundBorder);
    showBackground(builtInPixmap(QStringLiteral(":/barmen/default-bg.jpg")));
    showCharacter(builtInPixmap(QStringLiteral(":/barmen/default-ch.gif")));
    m_storyBox->showText(textBoxText(initialText(story.title.text)));

    // Each button does what the layout says it does.
    for (const layout::Control &c : layout::controls)
        if (c.command)
            connect(static_cast<QPushButton *>(made.at(c.name)), &QPushButton::clicked, this,
                    [this, command = *c.command] { run(command); });

    const auto order = layout::tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(made.at(order[i - 1]->name), made.at(order[i]->name));
    m_firstFocus = made.at(order.front()->name);
    m_firstFocus->setFocus();
}

void Form1::showEvent(QShowEvent *event)
{
    // The window manager reads the task-bar hint when the window is first mapped.
    if (!m_shownOnce) {
        m_shownOnce = true;
        skipTaskbar(*this);
        m_firstFocus->setFocus();
    }
    QWidget::showEvent(event);
}

void Form1::setText(std::string_view block)
{
    m_storyBox->showText(textBoxText(block));
}

void Form1::showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch)
{
    if (bg)
        showBackground(pixmapOf(*bg));
    if (ch)
        showCharacter(pixmapOf(*ch));
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
    // A failure, or a note on a click that went through.
    const std::string message = system::messageFor(result);
    if (!message.empty())
        m_report(qtString(message));
}

void Form1::run(layout::Command command)
{
    if (command == layout::Command::Quit) {
        // At once: nothing is asked or saved.
        hide();
        QCoreApplication::exit(0);
        return;
    }
    report(m_game.run(command));
}

} // namespace barmen
