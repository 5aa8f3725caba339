#pragma once

#include <vector>

#include "engine/scenetable.h"
#include "layout/storybox.h"
#include "tools/story/fault.h"

namespace barmen::storytool {

// The story box as one front end lays it out, in that front end's metrics:
// it must show six rows, and each line of the story and of the start screen
// must stay on one row. Builds without a toolkit, so each front end (the Qt
// box, the Win32 EDIT control under Wine, the page) runs it on its own box.
std::vector<Fault> lintStoryBox(const Story &story, const layout::TextMeasure &box);

} // namespace barmen::storytool
