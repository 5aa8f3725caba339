#include "app/win32/storybox.h"

#include "app/win32/fonts.h"
#include "system/wide.h"

namespace barmen::win32 {

namespace {

// The formatting rectangle: the box's inside less its edge and margins, cut
// down by the control to whole rows.
RECT formatRect(HWND edit)
{
    RECT r{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The box's current font selected into the measure's context, put back on
// leaving.
class Selected {
public:
    Selected(HDC dc, HWND edit)
        : m_dc(dc)
        , m_old(SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0))))
    {
    }
    ~Selected() { SelectObject(m_dc, m_old); }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

void setStoryMargins(HWND edit, UINT dpi)
{
    const int margin = MulDiv(2, int(dpi), 96);
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

EditMeasure::EditMeasure(HWND edit)
    : m_edit(edit)
    , m_dc(GetDC(edit))
{
}

EditMeasure::~EditMeasure()
{
    ReleaseDC(m_edit, m_dc);
}

double EditMeasure::usableWidth() const
{
    const RECT r = formatRect(m_edit);
    return r.right - r.left;
}

double EditMeasure::rowHeight() const
{
    // The control steps from row to row by the font's height, without its
    // external leading.
    const Selected font(m_dc, m_edit);
    TEXTMETRICW metrics{};
    GetTextMetricsW(m_dc, &metrics);
    return metrics.tmHeight;
}

int EditMeasure::rowsShown() const
{
    // A row cut short at the bottom is not a row that shows.
    const RECT r = formatRect(m_edit);
    const int row = int(rowHeight());
    return row > 0 ? int(r.bottom - r.top) / row : 0;
}

double EditMeasure::lineWidth(std::string_view line) const
{
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    const std::wstring wide = system::widen(line);
    const Selected font(m_dc, m_edit);
    SIZE size{};
    GetTextExtentPoint32W(m_dc, wide.c_str(), int(wide.size()), &size);
    return size.cx;
}

std::string EditMeasure::fontName() const
{
    const Selected font(m_dc, m_edit);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(m_dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(m_dc, &metrics);
    return system::narrow(face) + " " + std::to_string(metrics.tmHeight - metrics.tmInternalLeading) + " px";
}

HFONT fitStoryFont(HWND edit, const Story &story, UINT dpi)
{
    const layout::Font &stored = layout::storyFont;
    HFONT font = nullptr;
    const auto setSize = [&](int pixels) {
        HFONT next = storedFont(stored, pixels);
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(next), FALSE);
        setStoryMargins(edit, dpi);
        if (font)
            DeleteObject(font);
        font = next;
    };
    const EditMeasure box(edit);
    const int pixels = layout::storyFontPixels(storedPixels(stored, dpi), [&](int size) {
        setSize(size);
        return layout::showsEveryBlock(story, box);
    });
    setSize(pixels);
    return font;
}

} // namespace barmen::win32
