#pragma once

#include <string>

// The browser's file layer (files_web.cpp) has no folder to read pictures
// from: the page fetches them at start-up and keeps each one here under its
// name. A file the server did not give is never kept, and reads as missing.
namespace barmen::system {

void keepFile(std::string name, std::string bytes);

} // namespace barmen::system
