#pragma once

#include <string>

namespace barmen::storytool {

// One fault the author's checks find, tied to the button and label where the
// author has to look; a fault of the whole story names neither.
struct Fault {
    std::string button;   // progress, choice1, choice2, choice3, or start for the start screen
    std::string label;
    std::string problem;

    // One line: button at "label": problem.
    std::string line() const { return button.empty() ? problem : button + " at \"" + label + "\": " + problem; }
};

} // namespace barmen::storytool
