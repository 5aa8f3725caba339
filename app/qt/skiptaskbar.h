#pragma once

class QWidget;

namespace barmen {

// Asks the window manager to leave the window off the task bar. On X11 this
// has to happen after the native window exists and before it is first mapped;
// elsewhere it does nothing.
void skipTaskbar(QWidget &window);

} // namespace barmen
