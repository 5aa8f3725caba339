#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "engine/scenetable.h"

// The story box, Text1, as each front end lays text out in it. The box's
// place and stored font are in layout/form1.h; how many pixels a line takes,
// how tall a row is and how many rows show depend on the font the system
// really draws with, so each front end measures them in its own metrics.
namespace barmen::layout {

// The rows Text1 must show: the longest block the story writes.
inline constexpr int storyRows = int(maxLines);

class TextMeasure {
public:
    virtual ~TextMeasure() = default;

    // Pixels a row holds before a line wraps onto the next.
    virtual double usableWidth() const = 0;
    // Pixels from one row to the next.
    virtual double rowHeight() const = 0;
    // Rows that show whole in the box's height.
    virtual int rowsShown() const = 0;
    // Pixels the line takes on one row; spaces at its end hang past the edge
    // and do not count.
    virtual double lineWidth(std::string_view line) const = 0;
    // Whether the line runs onto a second row; a front end whose box decides
    // this itself says so here.
    virtual bool wraps(std::string_view line) const { return lineWidth(line) > usableWidth(); }
    // The face and size really drawn, for a report: "NanumGothic 15 px".
    virtual std::string fontName() const = 0;
};

// Every line the story can put into the box: each row's and the title's.
template <class Visit>
void forEachStoryLine(const Story &story, Visit &&visit)
{
    for (std::string_view line : story.title.text)
        visit(line);
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : story.table(button).rows())
            for (std::string_view line : row.text)
                visit(line);
}

inline double widestLine(const Story &story, const TextMeasure &box)
{
    double widest = 0;
    forEachStoryLine(story, [&](std::string_view line) { widest = std::max(widest, box.lineWidth(line)); });
    return widest;
}

// Whether six rows show and every line of the story stays on one row.
inline bool showsEveryBlock(const Story &story, const TextMeasure &box)
{
    if (box.rowsShown() < storyRows)
        return false;
    bool fits = true;
    forEachStoryLine(story, [&](std::string_view line) { fits = fits && !box.wraps(line); });
    return fits;
}

// The story font's size in pixels when the system draws another face than
// the stored one (Wine's NanumGothic, 맑은 고딕 on a Windows without 굴림):
// the largest size from the stored one down to two thirds of it at which
// the box shows every block whole. showsAt(pixels) lays the box out in that
// size and answers whether it does. Where no size does, the stored size
// stays: shrinking further would make the text hard to read.
inline int storyFontPixels(int stored, const std::function<bool(int pixels)> &showsAt)
{
    const int smallest = std::max(1, (stored * 2 + 2) / 3);
    for (int pixels = stored; pixels >= smallest; --pixels)
        if (showsAt(pixels))
            return pixels;
    return stored;
}

} // namespace barmen::layout
