#include "app/win32/storybox.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/win32/fonts.h"
#include "system/wide.h"

namespace barmen::win32 {

void setStoryMargins(HWND edit, UINT dpi)
{
    const int margin = MulDiv(2, int(dpi), 96);
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

EditMeasure::EditMeasure(HWND edit)
    : m_edit(edit)
    , m_dc(GetDC(edit))
    , m_oldFont(SelectObject(m_dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0))))
{
    // The formatting rectangle: the box's inside less its edge and margins.
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&m_format));
    // The control steps from row to row by the font's height, without its
    // external leading.
    GetTextMetricsW(m_dc, &m_metrics);
}

EditMeasure::~EditMeasure()
{
    SelectObject(m_dc, m_oldFont);
    ReleaseDC(m_edit, m_dc);
}

int EditMeasure::rowsShown() const
{
    // A row cut short at the bottom is not drawn at all.
    const int row = m_metrics.tmHeight;
    return row > 0 ? int(m_format.bottom - m_format.top) / row : 0;
}

double EditMeasure::lineWidth(std::string_view line) const
{
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    const std::wstring wide = system::widen(line);
    SIZE size{};
    GetTextExtentPoint32W(m_dc, wide.c_str(), int(wide.size()), &size);
    return size.cx;
}

std::string EditMeasure::fontName() const
{
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(m_dc, LF_FACESIZE, face);
    return system::narrow(face) + " " + std::to_string(m_metrics.tmHeight - m_metrics.tmInternalLeading) + " px";
}

HFONT fitStoryFont(HWND edit, const Story &story, UINT dpi)
{
    const layout::Font &stored = layout::storyFont;
    // Each size tried, set on the box in turn; the one chosen stays set.
    std::vector<std::pair<int, HFONT>> tried;
    const auto setSize = [&](int pixels) {
        auto it = std::find_if(tried.begin(), tried.end(), [&](const auto &t) { return t.first == pixels; });
        if (it == tried.end())
            it = tried.insert(tried.end(), {pixels, storedFont(stored, pixels)});
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(it->second), FALSE);
        setStoryMargins(edit, dpi);
        return it->second;
    };
    const int pixels = layout::storyFontPixels(storedPixels(stored, dpi), [&](int size) {
        setSize(size);
        return layout::showsEveryBlock(story, EditMeasure(edit));
    });
    HFONT chosen = setSize(pixels);
    for (const auto &[size, font] : tried)
        if (font != chosen)
            DeleteObject(font);
    return chosen;
}

} // namespace barmen::win32
