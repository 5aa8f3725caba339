#pragma once

#include <ostream>

#include "engine/scenetable.h"

namespace barmen::storytool {

// The story graph in Graphviz DOT: one node per label, grouped by family;
// menus and the two ends drawn apart; progress edges plain, choice edges
// numbered, the duel's outcomes marked win, tie and loss.
void writeDot(const Story &story, std::ostream &out);

} // namespace barmen::storytool
