#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "engine/scenetable.h"
#include "layout/storybox.h"

// The story box on Windows: an EDIT control, multi-line and read-only, with
// a sunken edge and two pixels of margin beside the text.
namespace barmen::win32 {

inline constexpr DWORD storyBoxStyle = ES_MULTILINE | ES_READONLY | ES_LEFT;
inline constexpr DWORD storyBoxExStyle = WS_EX_CLIENTEDGE;

// The margins beside the text; a new font resets them, so they follow every
// WM_SETFONT.
void setStoryMargins(HWND edit, UINT dpi);

// The box as the EDIT control lays text out with the font it has now: the
// width and height of its formatting rectangle, the font's row height. The
// control shows only whole rows. Read once, when made: a new font or size
// needs a new measure.
class EditMeasure final : public layout::TextMeasure {
public:
    explicit EditMeasure(HWND edit);
    ~EditMeasure() override;
    EditMeasure(const EditMeasure &) = delete;
    EditMeasure &operator=(const EditMeasure &) = delete;

    double usableWidth() const override { return m_format.right - m_format.left; }
    double rowHeight() const override { return m_metrics.tmHeight; }
    int rowsShown() const override;
    double lineWidth(std::string_view line) const override;
    std::string fontName() const override;

private:
    HWND m_edit;
    HDC m_dc;
    HGDIOBJ m_oldFont;
    RECT m_format{};
    TEXTMETRICW m_metrics{};
};

// The story font at the window's dots per inch, set on the box: the stored
// face (or the system's stand-in for it) at the largest size, at most the
// stored one, at which the box shows every block of the story whole. The
// caller owns the font and deletes the one it had set before.
HFONT fitStoryFont(HWND edit, const Story &story, UINT dpi);

} // namespace barmen::win32
