#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/compose.h"
#include "engine/game.h"
#include "engine/screen.h"
#include "layout/form1.h"
#include "pictures/picture.h"

namespace barmen::win32 {

// The game's one window on Windows, built from the window's layout: the two
// frames, the eight buttons, the two labels and the story box as child
// windows, the two pictures drawn by the window itself. It is the screen its
// game draws on; every rule lives in the game.
class Form1 final : private Screen {
public:
    Form1(const Story &story, PictureSource &pictures, Dice &dice, SaveStore &saves);
    ~Form1() override;
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // Creates the window and shows it; false when Windows would not.
    bool create(int show);
    HWND hwnd() const { return m_hwnd; }

    // Runs the window's messages until it is closed; the program's exit status.
    int run();

private:
    struct Child {
        const layout::Control *control = nullptr;
        HWND hwnd = nullptr;
        std::wstring caption;
    };

    // Screen
    void setText(std::string_view block) override;
    void showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch) override;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void placeControls();
    void clicked(layout::Command command);
    void report(const StepResult &result);
    void compose();
    int scaled(int pixels) const { return MulDiv(pixels, int(m_dpi), 96); }
    RECT scaled(const layout::Rect &r) const;
    bool overFrame(POINT client) const;
    Child *child(std::string_view name);

    Game m_game;
    const Story &m_story;
    HWND m_owner = nullptr;   // hidden: an owned window has no task-bar button
    HWND m_hwnd = nullptr;
    HWND m_focus = nullptr;   // kept while the window is inactive
    UINT m_dpi = 96;
    std::vector<Child> m_children;
    HFONT m_dialogFont = nullptr;
    std::array<HFONT, 3> m_storedFonts{};   // Text1, Label1, Label2

    // The pictures, and both composed at 96 dpi, then scaled to the window's.
    pictures::Image m_background;
    pictures::Image m_character;
    Canvas m_canvas;
    HBITMAP m_scaled = nullptr;
};

} // namespace barmen::win32
