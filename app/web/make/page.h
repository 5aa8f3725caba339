#pragma once

#include <string>

// The page's markup and style, written from the window's layout at build
// time: the window is there, with its default pictures, at the page's first
// paint, before any script has run.
namespace barmen::web {

// Writes index.html and barmen.css into the folder; false when it cannot.
bool writePage(const std::string &folder);

// Every sentence the page shows of its own (the message button, the line
// after 끝내기), for the fonts.
std::string pageText();

} // namespace barmen::web
