// The floor for the Windows game's start-up: a bare Win32 program with the
// same window, controls, fonts, default pictures and initial text as the
// game's, placed by fixed numbers, and nothing else: no layout, no engine, no
// font search, no composing. tools/bench starts it and barmen.exe alike under
// Wine and times both to their first paint.

#include <windows.h>

#include <span>

#include "pictures/decode.h"

namespace {

barmen::pictures::Image bg, ch;

barmen::pictures::Image picture(int id)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    const void *bytes = LockResource(LoadResource(nullptr, found));
    return std::move(barmen::pictures::decode(std::span(static_cast<const std::uint8_t *>(bytes),
                                                        SizeofResource(nullptr, found)))
                         .image);
}

void blit(HDC dc, const barmen::pictures::Image &image, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, x, y, DWORD(image.width), DWORD(image.height), 0, 0, 0, UINT(image.height),
                      image.pixels.get(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        blit(dc, bg, -7, 1);
        blit(dc, ch, 144, 0);   // drawn over, clear pixels and all
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT font(const wchar_t *face, int pixels, int weight)
{
    return CreateFontW(-pixels, 0, 0, 0, weight, 0, 0, 0, HANGUL_CHARSET, 0, 0, 0, 0, face);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    bg = picture(101);
    ch = picture(102);
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Floor";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, L"Floor", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    RECT r{0, 0, 727, 510};
    AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, L"Floor", L"바닥", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, owner, nullptr,
                                  instance, nullptr);
    struct Control {
        const wchar_t *cls, *text;
        DWORD style;
        int x, y, w, h;
        HFONT font;
    };
    HFONT dialog = font(L"굴림", 12, 400);
    const Control controls[] = {
        {L"STATIC", L"바르멘", SS_LEFT, 600, 264, 129, 33, font(L"돋움", 27, 700)},
        {L"BUTTON", L"행동 메뉴", BS_GROUPBOX, 600, 8, 121, 217, dialog},
        {L"BUTTON", L"첫번째 선택지", BS_PUSHBUTTON | WS_TABSTOP, 608, 32, 105, 33, dialog},
        {L"BUTTON", L"두번째 선택지", BS_PUSHBUTTON | WS_TABSTOP, 608, 80, 105, 33, dialog},
        {L"BUTTON", L"세번째 선택지", BS_PUSHBUTTON | WS_TABSTOP, 608, 128, 105, 33, dialog},
        {L"BUTTON", L"독백, 이야기 진행", BS_PUSHBUTTON | WS_TABSTOP, 608, 176, 105, 33, dialog},
        {L"EDIT",
         L"<바르멘>\r\n\r\n시작하기를 누르면 시작합니다.\r\n그리고 진행시에는 독백, 이야기 진행을 눌러주시기 "
         L"바랍니다.\r\n시작하기를 누르면 다시 처음부터 시작합니다.\r\n",
         ES_MULTILINE | ES_READONLY | WS_TABSTOP, 8, 408, 585, 97, font(L"굴림", 15, 400)},
        {L"BUTTON", L"시스템 메뉴", BS_GROUPBOX, 600, 352, 121, 153, dialog},
        {L"BUTTON", L"시작하기", BS_PUSHBUTTON | WS_TABSTOP, 608, 376, 73, 33, dialog},
        {L"BUTTON", L"저장하기", BS_PUSHBUTTON | WS_TABSTOP, 608, 416, 73, 33, dialog},
        {L"BUTTON", L"불러오기", BS_PUSHBUTTON | WS_TABSTOP, 608, 456, 73, 33, dialog},
        {L"BUTTON", L"끝\n내\n기", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 688, 376, 25, 113, dialog},
        {L"STATIC", L"by Tovren", SS_LEFT, 600, 296, 121, 49, font(L"굴림", 21, 700)},
    };
    for (const Control &c : controls) {
        HWND h = CreateWindowExW(c.cls == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0, c.cls, c.text,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style, c.x, c.y, c.w, c.h, window,
                                 nullptr, instance, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
