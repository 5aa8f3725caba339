#pragma once

#include <windows.h>

#include <string>

#include "layout/form1.h"

namespace barmen::win32 {

// The face to use for a stored font: the stored one (굴림, 돋움) where the
// system has it with Hangul, as every Korean Windows does; else 맑은 고딕,
// which every Windows since Vista has; else any face that holds Hangul.
// Never a face without Hangul: its captions would be empty boxes.
std::wstring hangulFace(std::wstring_view wanted);

// A stored font at the window's dots per inch.
HFONT storedFont(const layout::Font &font, UINT dpi);
// Its height in pixels there, and the font at another height.
int storedPixels(const layout::Font &font, UINT dpi);
HFONT storedFont(const layout::Font &font, int pixelHeight);

// The desktop's dialog font at the window's dots per inch, as buttons and
// frames use it; a Hangul face in its place where it has no Hangul.
HFONT dialogFont(UINT dpi);

} // namespace barmen::win32
