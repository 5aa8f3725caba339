// 바르멘 on Windows: the window, the pictures beside the program and
// save.sav, all in the current folder, as the game has always had them.

#include <windows.h>

#include "app/win32/form1.h"
#include "app/win32/pictures.h"
#include "engine/duel.h"
#include "story/story.h"
#include "system/files.h"
#include "system/savefile.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    barmen::system::failWritesPastFileSizeLimit();
    barmen::win32::Win32PictureSource pictures;
    barmen::ClockDice dice;
    barmen::system::SaveFile saves;
    barmen::win32::Form1 window(barmen::story::theStory(), pictures, dice, saves);
    if (!window.create(show))
        return 1;
    return window.run();
}
