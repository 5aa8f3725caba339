#pragma once

#include <string>

#include "engine/scene.h"

namespace barmen {

// The whole new content of Text1: lines joined by CR LF, with no line break
// before the first line or after the last one.
std::string joinLines(const Lines &lines);

// What Text1 holds before the first click: the title text, with a line break
// after its last line so the caret can sit on an empty line below it. Every
// later block ends without one.
std::string initialText(const Lines &title);

} // namespace barmen
