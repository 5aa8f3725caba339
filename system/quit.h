#pragma once

namespace barmen::system {

// Ends the program at once: the event loop returns and the window goes with
// it. Nothing is asked or saved.
void quit();

} // namespace barmen::system
