#pragma once

class QApplication;

namespace barmen {

// What the game tells the desktop before its window opens: the menu entry it
// belongs to (so the task switcher shows its name and icon) and the X11 window
// class that entry's StartupWMClass names.
void nameForDesktop();

// Qt's own texts in Korean, whatever the desktop's language: the buttons of
// the game's message boxes read "확인", not "OK". The translations come from
// Debian's qt6-translations-l10n; without them the boxes keep Qt's English
// and false is returned.
bool loadQtKorean(QApplication &app);

} // namespace barmen
