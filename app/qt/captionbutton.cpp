#include "app/qt/captionbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace barmen {

CaptionButton::CaptionButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Inside a frame a button would take the frame's crosshair.
    setCursor(Qt::ArrowCursor);
}

void CaptionButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // Wrap at word boundaries where there are any, else between syllables.
    const QRect area = rect().adjusted(2, 2, -2, -2);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const QRect needed = fontMetrics().boundingRect(area, flags, text());
    const int wrap = needed.width() > area.width() ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    if (isDown())
        painter.translate(1, 1);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | wrap, text());
}

} // namespace barmen
