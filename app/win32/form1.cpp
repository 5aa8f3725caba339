#include "app/win32/form1.h"

#include <algorithm>

#include <commctrl.h>

#include "app/win32/compose.h"
#include "app/win32/fonts.h"
#include "app/win32/pictures.h"
#include "app/win32/resource.h"
#include "app/win32/storybox.h"
#include "engine/textblock.h"
#include "system/failure.h"
#include "system/wide.h"

namespace barmen::win32 {

using system::widen;

namespace {

constexpr wchar_t windowClass[] = L"BarmenForm1";
constexpr wchar_t ownerClass[] = L"BarmenOwner";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int firstId = 100;

// A frame fills its inside with the dialog's colour: the window's own
// painting leaves out its children, and a group box draws only its line and
// caption.
LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The story box only shows the story. A multi-line edit asks for every key,
// Tab included, so the dialog keys would stop in it for good; here Tab and
// Shift+Tab move on from it as from any other control, and coming in by Tab
// does not select the whole story.
LRESULT CALLBACK storyBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
        const auto *key = reinterpret_cast<const MSG *>(lParam);
        if (wParam == VK_TAB || (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB))
            code &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code & ~LRESULT(DLGC_HASSETSEL);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::uint32_t pixelOf(COLORREF c)
{
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

} // namespace

Form1::Form1(const Story &story, PictureSource &pictures, Dice &dice, SaveStore &saves)
    : m_game(story, *this, pictures, dice, saves)
    , m_story(story)
    , m_background(builtInPicture(IDR_DEFAULT_BG))
    , m_character(builtInPicture(IDR_DEFAULT_CH))
{
}

Form1::~Form1()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
    if (m_owner)
        DestroyWindow(m_owner);
    for (HFONT f : m_storedFonts)
        if (f)
            DeleteObject(f);
    if (m_dialogFont)
        DeleteObject(m_dialogFont);
    if (m_scaled)
        DeleteObject(m_scaled);
}

bool Form1::create(int show)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_BARMEN), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_BARMEN), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = windowClass;
    RegisterClassExW(&wc);
    WNDCLASSEXW owner{};
    owner.cbSize = sizeof owner;
    owner.lpfnWndProc = DefWindowProcW;
    owner.hInstance = instance;
    owner.lpszClassName = ownerClass;
    RegisterClassExW(&owner);

    // The owner is never shown; Windows gives a task-bar button to unowned
    // windows only, and a tool window's small caption is not the game's.
    m_owner = CreateWindowExW(0, ownerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    const std::wstring caption = widen(layout::windowCaption);
    m_hwnd = CreateWindowExW(windowExStyle, windowClass, caption.c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, m_owner, nullptr, instance, this);
    if (!m_hwnd)
        return false;
    ShowWindow(m_hwnd, show);
    UpdateWindow(m_hwnd);
    return true;
}

int Form1::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys and the space bar as in a dialog box.
        if (m_hwnd && IsDialogMessageW(m_hwnd, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

LRESULT CALLBACK Form1::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<Form1 *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

RECT Form1::scaled(const layout::Rect &r) const
{
    return {scaled(r.left), scaled(r.top), scaled(r.right()), scaled(r.bottom())};
}

Form1::Child *Form1::child(std::string_view name)
{
    for (Child &c : m_children)
        if (c.control->name == name)
            return &c;
    return nullptr;
}

void Form1::createControls()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Created in tab order, which is the order Tab walks; the frames and the
    // labels take no focus.
    std::vector<const layout::Control *> order;
    for (const layout::Control &c : layout::controls)
        if (c.kind != layout::Kind::Image)
            order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](const layout::Control *a, const layout::Control *b) { return a->tabIndex < b->tabIndex; });
    int id = firstId;
    for (const layout::Control *c : order) {
        Child child{c, nullptr, widen(c->caption)};
        const wchar_t *cls = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        switch (c->kind) {
        case layout::Kind::Frame:
            style |= BS_GROUPBOX;
            break;
        case layout::Kind::Button:
            style |= BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP;
            break;
        case layout::Kind::TextBox:
            cls = L"EDIT";
            style |= storyBoxStyle | WS_TABSTOP;
            break;
        case layout::Kind::Label:
            cls = L"STATIC";
            style |= SS_LEFT | SS_NOPREFIX;
            break;
        case layout::Kind::Image:
            break;
        }
        child.hwnd = CreateWindowExW(c->kind == layout::Kind::TextBox ? storyBoxExStyle : 0, cls,
                                     child.caption.c_str(), style, 0, 0, 0, 0, m_hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        if (c->kind == layout::Kind::Frame)
            SetWindowSubclass(child.hwnd, frameProc, 1, 0);
        if (c->kind == layout::Kind::TextBox)
            SetWindowSubclass(child.hwnd, storyBoxProc, 1, 0);
        m_children.push_back(std::move(child));
    }
    if (Child *text = child("Text1")) {
        const std::wstring initial = widen(initialText(m_story.title.text));
        SetWindowTextW(text->hwnd, initial.c_str());
    }

    // Where they overlap, the label stored first lies above, and the frames
    // lie below their buttons. Among the controls that take focus the order
    // stays the tab order.
    HWND above = HWND_TOP;
    for (const layout::Control &c : layout::controls)
        if (c.kind == layout::Kind::Label)
            if (Child *label = child(c.name)) {
                SetWindowPos(label->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                above = label->hwnd;
            }
    for (Child &c : m_children)
        if (c.control->kind == layout::Kind::Frame)
            SetWindowPos(c.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placeControls();
    m_focus = child(layout::tabOrder().front()->name)->hwnd;
    SetFocus(m_focus);
}

// Every rectangle and font at the window's dots per inch.
void Form1::placeControls()
{
    m_dpi = GetDpiForWindow(m_hwnd);
    if (m_dpi == 0)
        m_dpi = 96;
    if (m_dialogFont)
        DeleteObject(m_dialogFont);
    m_dialogFont = dialogFont(m_dpi);
    const layout::Font *stored[] = {&layout::storyFont, &layout::authorFont, &layout::titleFont};
    for (std::size_t i = 0; i < m_storedFonts.size(); ++i) {
        if (m_storedFonts[i])
            DeleteObject(m_storedFonts[i]);
        m_storedFonts[i] = storedFont(*stored[i], m_dpi);
    }

    HDC dc = GetDC(m_hwnd);
    for (Child &c : m_children) {
        const RECT r = scaled(layout::inWindow(*c.control));
        HFONT font = m_dialogFont;
        if (c.control->font == &layout::storyFont)
            font = m_storedFonts[0];
        else if (c.control->font == &layout::authorFont)
            font = m_storedFonts[1];
        else if (c.control->font == &layout::titleFont)
            font = m_storedFonts[2];
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        MoveWindow(c.hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        if (c.control->kind == layout::Kind::Button) {
            HGDIOBJ old = SelectObject(dc, font);
            const std::wstring lines = wrapped(c.caption, r.right - r.left - scaled(6), [dc](std::wstring_view line) {
                SIZE size{};
                GetTextExtentPoint32W(dc, line.data(), int(line.size()), &size);
                return int(size.cx);
            });
            SelectObject(dc, old);
            SetWindowTextW(c.hwnd, lines.c_str());
        }
    }
    ReleaseDC(m_hwnd, dc);
    if (Child *text = child("Text1")) {
        // A stand-in for 굴림 is often taller or wider: six rows must still
        // show, and every line on one row.
        HFONT fitted = fitStoryFont(text->hwnd, m_story, m_dpi);
        DeleteObject(m_storedFonts[0]);
        m_storedFonts[0] = fitted;
    }

    // The client area is fixed: 727 × 510 at 96 dpi, and as much more as the
    // display is scaled.
    const layout::Rect client = layout::clientArea.pixels();
    RECT frame{0, 0, scaled(client.width), scaled(client.height)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, m_dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    compose();
}

// The two pictures as the window shows them: the background in its one-pixel
// border, the character over it with its clear pixels showing the
// background, on the dialog's colour; then scaled smoothly to the display.
void Form1::compose()
{
    m_canvas = composeCanvas(m_background, m_character, pixelOf(GetSysColor(COLOR_BTNFACE)),
                             pixelOf(GetSysColor(COLOR_WINDOWFRAME)));
    if (m_scaled)
        DeleteObject(m_scaled);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_canvas.width;
    info.bmiHeader.biHeight = -m_canvas.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(m_hwnd);
    m_scaled = CreateCompatibleBitmap(screen, scaled(m_canvas.width), scaled(m_canvas.height));
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, m_scaled);
    if (m_dpi == 96) {
        SetDIBitsToDevice(memory, 0, 0, DWORD(m_canvas.width), DWORD(m_canvas.height), 0, 0, 0, UINT(m_canvas.height),
                          m_canvas.pixels.data(), &info, DIB_RGB_COLORS);
    } else {
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, nullptr);
        StretchDIBits(memory, 0, 0, scaled(m_canvas.width), scaled(m_canvas.height), 0, 0, m_canvas.width,
                      m_canvas.height, m_canvas.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(m_hwnd, screen);
    RECT area{0, 0, scaled(m_canvas.width), scaled(m_canvas.height)};
    InvalidateRect(m_hwnd, &area, FALSE);
}

bool Form1::overFrame(POINT p) const
{
    for (const Child &c : m_children)
        if (layout::crosshairOver(*c.control)) {
            const RECT r = scaled(layout::inWindow(*c.control));
            if (PtInRect(&r, p))
                return true;
        }
    return false;
}

LRESULT Form1::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        createControls();
        return 0;
    case WM_DPICHANGED: {
        placeControls();
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_scaled);
        BitBlt(dc, 0, 0, scaled(m_canvas.width), scaled(m_canvas.height), memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        // Only below the pictures: they cover the rest themselves.
        RECT client, below;
        GetClientRect(m_hwnd, &client);
        below = client;
        below.top = scaled(m_canvas.height);
        FillRect(reinterpret_cast<HDC>(wParam), &below, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const Child *text = child("Text1");
        if (text && reinterpret_cast<HWND>(lParam) == text->hwnd) {
            // The story box on the scroll-bar colour, with dark text on it
            // whatever the desktop's theme.
            SetBkColor(dc, GetSysColor(COLOR_SCROLLBAR));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
        }
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            const HWND under = reinterpret_cast<HWND>(wParam);
            bool frame = under == m_hwnd;
            for (const Child &c : m_children)
                if (c.hwnd == under && c.control->kind == layout::Kind::Frame)
                    frame = true;
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(m_hwnd, &p);
            if (frame && overFrame(p)) {
                SetCursor(LoadCursorW(nullptr, IDC_CROSS));
                return TRUE;
            }
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            const int index = int(LOWORD(wParam)) - firstId;
            if (index >= 0 && std::size_t(index) < m_children.size())
                if (const auto command = m_children[std::size_t(index)].control->command)
                    clicked(*command);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Focus comes back where it was, as in a dialog box.
        if (LOWORD(wParam) == WA_INACTIVE)
            m_focus = GetFocus();
        else if (m_focus && IsChild(m_hwnd, m_focus))
            SetFocus(m_focus);
        return 0;
    case WM_CLOSE:
        DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        // The window's last message: nothing may reach this object through
        // it after this, and the destructor has no window left to destroy.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        break;
    default:
        break;
    }
    // The window's own handle, which stays good until WM_NCDESTROY is done.
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Form1::clicked(layout::Command command)
{
    if (command == layout::Command::Quit) {
        // At once: nothing is asked or saved.
        DestroyWindow(m_hwnd);
        return;
    }
    report(m_game.run(command));
}

void Form1::report(const StepResult &result)
{
    // A failure, or a note on a click that went through.
    const std::string message = system::messageFor(result);
    if (message.empty())
        return;
    const std::wstring text = widen(message);
    const std::wstring caption = widen(layout::windowCaption);
    MessageBoxW(m_hwnd, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

void Form1::setText(std::string_view block)
{
    if (Child *text = child("Text1")) {
        const std::wstring wide = widen(block);
        SetWindowTextW(text->hwnd, wide.c_str());
    }
}

void Form1::showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch)
{
    // The engine hands on only pictures from the window's own source.
    if (bg)
        m_background = std::move(static_cast<Win32Picture &>(*bg)).take();
    if (ch)
        m_character = std::move(static_cast<Win32Picture &>(*ch)).take();
    // Both pictures of the step in one composition and one bitmap.
    compose();
}

} // namespace barmen::win32
