#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "engine/scenetable.h"

namespace barmen::storytool {

// The four tables as one JSON object, each table's rows in test order:
// {"progress": [...], "choice1": [...], "choice2": [...], "choice3": [...]}.
// A row is {"label", "roll", "draw", "bg", "ch", "text", "copy", "next"}; null
// stands for a part the row does not set, and roll for the golem's move a duel
// answer tests. Written as UTF-8 with Hangul as it stands.
void writeJson(const Story &story, std::ostream &out);

// A JSON string literal: only the quote, the backslash and control characters
// are escaped.
std::string jsonString(std::string_view text);

} // namespace barmen::storytool
