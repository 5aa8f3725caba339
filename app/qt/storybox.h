#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <QFont>
#include <QRect>
#include <QTextEdit>

#include "app/qt/twips.h"
#include "layout/storybox.h"

namespace barmen {

// The story box, Text1: the narration, dialogue and menus, six rows of "굴림"
// at 11.25 pt on the classic scroll-bar grey. Everything about how it lays
// out text lives here, so the author's tool measures a story line in the very
// box the window shows.
class StoryBox final : public QTextEdit {
public:
    static constexpr QRect geometry = qtRect(layout::control("Text1").place);
    // Between the frame and the text, on every side.
    static constexpr int documentMargin = layout::storyBox.margin;
    // One row: a little over the 15 px of the font, so six rows still fit.
    static constexpr qreal lineHeight = layout::storyBox.lineHeight;
    static QFont textFont();

    explicit StoryBox(QWidget *parent = nullptr);

    // Replaces the whole text; lines are separated by '\n'.
    void showText(const QString &text);

    // How a single story line lays out here: its width, and whether it runs
    // onto a second row. Lays the box out first if it has never been shown.
    struct LineFit {
        qreal width = 0;
        bool wraps = false;
    };
    LineFit fit(const QString &line);

    // The width a line may take before it wraps.
    qreal usableWidth();

    // Rows of lineHeight that show whole between the margins.
    int rowsShown();
};

// The story box measured as the Qt window lays it out: a box of its own,
// never shown, with the window's font mapping. Needs a running QApplication.
class StoryBoxMeasure final : public layout::TextMeasure {
public:
    StoryBoxMeasure();
    ~StoryBoxMeasure() override;

    double usableWidth() const override;
    double rowHeight() const override { return StoryBox::lineHeight; }
    int rowsShown() const override;
    double lineWidth(std::string_view line) const override { return fit(line).width; }
    // Where the box's own layout breaks the line.
    bool wraps(std::string_view line) const override { return fit(line).wraps; }
    std::string fontName() const override;

    StoryBox::LineFit fit(std::string_view line) const;
    QString family() const;   // the font actually used, after substitution

private:
    std::unique_ptr<StoryBox> m_box;
};

} // namespace barmen
