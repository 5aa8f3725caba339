#include "tools/story/lintbox.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/story/tables.h"

namespace barmen::storytool {

namespace {

void checkWidths(const layout::TextMeasure &box, std::string_view button, std::string_view label,
                 const Lines &text, std::vector<Fault> &faults)
{
    const std::size_t count = std::min<std::size_t>(text.count, maxLines);
    for (std::size_t i = 0; i < count; ++i) {
        if (!box.wraps(text[i]))
            continue;
        faults.push_back({std::string(button), std::string(label),
                          "text line " + std::to_string(i + 1) + " is "
                              + std::to_string(int(std::ceil(box.lineWidth(text[i])))) + " px wide and wraps in the "
                              + std::to_string(int(box.usableWidth())) + " px of Text1: \"" + std::string(text[i])
                              + "\""});
    }
}

} // namespace

std::vector<Fault> lintStoryBox(const Story &story, const layout::TextMeasure &box)
{
    std::vector<Fault> faults;
    // The box draws whole rows only on some systems and cuts the last one on
    // others; either way a six-line block loses its end without a sign.
    if (box.rowsShown() < layout::storyRows)
        faults.push_back({{}, {},
                          "Text1 shows " + std::to_string(box.rowsShown()) + " rows of "
                              + std::to_string(int(std::lround(box.rowHeight()))) + " px in " + box.fontName()
                              + "; a block of " + std::to_string(layout::storyRows) + " lines loses its last"});
    checkWidths(box, "start", story.title.label, story.title.text, faults);
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            checkWidths(box, button.name, row.label, row.text, faults);
    return faults;
}

} // namespace barmen::storytool
