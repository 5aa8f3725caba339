#pragma once

namespace barmen {

// Called first thing in main, before QApplication exists.
//
// Without a display to open the window on (over ssh, from a text console) Qt
// would print its own English text and abort. This says in the player's
// language that the game needs a graphical desktop, on standard error, and
// ends the program with status 1 instead. A platform that needs no display
// (QT_QPA_PLATFORM=offscreen, as the tests run it) is left alone.
//
// The game takes no command line, so the arguments are dropped here too:
// QApplication would read options such as -platform, -display or -stylesheet
// from them, and a stray one could end the game or load a file.
void requireDesktop(int &argc, char **argv);

// The two questions it asks. Whether a window can open on the platform Qt
// will pick: for xcb an X server that accepts a connection at DISPLAY; for
// Wayland a compositor that accepts one at WAYLAND_DISPLAY (or WAYLAND_SOCKET,
// or the default socket) and Qt's Wayland plugin to reach it; any other
// platform in QT_QPA_PLATFORM as it is. A DISPLAY that leads to no server, or
// a Wayland session without the plugin, would end in Qt's abort too.
bool haveDisplay();
// Whether messages should be in Korean: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty starts with "ko".
bool koreanLocale();

} // namespace barmen
