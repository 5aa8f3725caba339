#pragma once

#include <string>

#include "engine/scene.h"

namespace barmen {

// The whole new content of Text1: lines joined by CR LF, with no line break
// before the first line or after the last one.
std::string joinLines(const Lines &lines);

} // namespace barmen
