#include "app/qt/storybox.h"

#include "app/qt/fonts.h"

#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPalette>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextLayout>

#include "app/qt/qtstring.h"
#include "system/failure.h"

namespace barmen {

namespace {

// Scroll-bar grey of the classic desktop, the colour the story box was given,
// and black text on it whatever the desktop's theme.
const QColor scrollBarGrey = QColor::fromRgb(QRgb(layout::storyBox.background));
const QColor ink = QColor::fromRgb(QRgb(layout::storyBox.ink));

} // namespace

QFont StoryBox::textFont()
{
    return storedFont(*layout::control("Text1").font);
}

StoryBox::StoryBox(QWidget *parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("Text1"));
    // What a screen reader calls the box; its text is read as the box's value.
    setAccessibleName(qtString(system::word(system::Word::StoryBox)));
    setGeometry(geometry);
    setFont(textFont());
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(documentMargin);

    // The grey and the text colour go together: a dark desktop theme would
    // otherwise draw its light text on the light grey.
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, scrollBarGrey);
        colours.setColor(group, QPalette::Text, ink);
    }
    setPalette(colours);
}

void StoryBox::showText(const QString &text)
{
    setPlainText(text);
    // Rows as tall as the font, as on the desktop the story was written for:
    // the box then shows all six lines of the longest block.
    QTextBlockFormat rows;
    rows.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(rows);
}

qreal StoryBox::usableWidth()
{
    // The box lays its document out to the viewport's width once it has
    // been resized; a box of its own that was never shown is resized here,
    // off screen.
    if (isWindow() && (testAttribute(Qt::WA_PendingResizeEvent) || document()->textWidth() <= 0)) {
        setAttribute(Qt::WA_DontShowOnScreen);
        show();
        hide();
    }
    return document()->textWidth() - 2 * document()->documentMargin();
}

int StoryBox::rowsShown()
{
    usableWidth();
    const qreal inside = viewport()->height() - 2 * document()->documentMargin();
    return int(std::floor(inside / lineHeight));
}

StoryBox::LineFit StoryBox::fit(const QString &line)
{
    usableWidth();
    showText(line);
    const QTextBlock block = document()->firstBlock();
    // Laying out the block's bounding rectangle lays out its lines.
    document()->documentLayout()->blockBoundingRect(block);
    QString trimmed = line;
    // Spaces at the end of a line hang past the edge and never make it wrap.
    while (trimmed.endsWith(QLatin1Char(' ')))
        trimmed.chop(1);
    return {QFontMetricsF(document()->defaultFont()).horizontalAdvance(trimmed),
            block.layout() && block.layout()->lineCount() > 1};
}

StoryBoxMeasure::StoryBoxMeasure()
    : m_box((mapKoreanFonts(), std::make_unique<StoryBox>()))
{
}

StoryBoxMeasure::~StoryBoxMeasure() = default;

double StoryBoxMeasure::usableWidth() const
{
    return m_box->usableWidth();
}

int StoryBoxMeasure::rowsShown() const
{
    return m_box->rowsShown();
}

StoryBox::LineFit StoryBoxMeasure::fit(std::string_view line) const
{
    return m_box->fit(QString::fromUtf8(line.data(), qsizetype(line.size())));
}

QString StoryBoxMeasure::family() const
{
    return QFontInfo(m_box->font()).family();
}

std::string StoryBoxMeasure::fontName() const
{
    return family().toStdString() + " " + std::to_string(QFontInfo(m_box->font()).pixelSize()) + " px";
}

} // namespace barmen
