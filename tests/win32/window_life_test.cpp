#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/form1.h"
#include "app/win32/pictures.h"
#include "engine/duel.h"
#include "story/story.h"
#include "system/savefile.h"

namespace barmen::win32 {
namespace {

// What the window's user data held when its last message, WM_NCDESTROY, had
// been handled: a pointer left there would lead any later message to a
// Form1 that may be gone.
HWND watched = nullptr;
LONG_PTR leftBehind = -1;

LRESULT CALLBACK afterEachMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *sent = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && sent->hwnd == watched && sent->message == WM_NCDESTROY)
        leftBehind = GetWindowLongPtrW(sent->hwnd, GWLP_USERDATA);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(WindowLife, nothingPointsAtTheFormOnceTheWindowIsGone)
{
    Win32PictureSource pictures;
    ClockDice dice;
    system::SaveFile saves;
    Form1 form(story::theStory(), pictures, dice, saves);
    ASSERT_TRUE(form.create(SW_HIDE));
    watched = form.hwnd();
    EXPECT_NE(GetWindowLongPtrW(watched, GWLP_USERDATA), 0);

    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, afterEachMessage, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    DestroyWindow(watched);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(leftBehind, 0);
    EXPECT_FALSE(IsWindow(watched));
    EXPECT_EQ(form.hwnd(), nullptr);
}

} // namespace
} // namespace barmen::win32
