#include "app/win32/fonts.h"

#include <cmath>

#include "system/wide.h"

namespace barmen::win32 {

using system::widen;

namespace {

int CALLBACK found(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM seen)
{
    *reinterpret_cast<bool *>(seen) = true;
    return 0;
}

int CALLBACK firstHorizontal(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM out)
{
    // '@' names the same face turned for vertical writing.
    if (font->lfFaceName[0] == L'@')
        return 1;
    *reinterpret_cast<std::wstring *>(out) = font->lfFaceName;
    return 0;
}

// Whether the system has the face with the Korean character set.
bool hasHangul(HDC dc, std::wstring_view face)
{
    LOGFONTW query{};
    query.lfCharSet = HANGUL_CHARSET;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool seen = false;
    EnumFontFamiliesExW(dc, &query, found, reinterpret_cast<LPARAM>(&seen), 0);
    return seen;
}

HFONT create(std::wstring_view face, int pixelHeight, int weight)
{
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = weight;
    font.lfCharSet = HANGUL_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

} // namespace

std::wstring hangulFace(std::wstring_view wanted)
{
    HDC dc = GetDC(nullptr);
    std::wstring face;
    if (hasHangul(dc, wanted))
        face = wanted;
    else if (hasHangul(dc, L"맑은 고딕"))
        face = L"맑은 고딕";
    else if (hasHangul(dc, L"Malgun Gothic"))
        face = L"Malgun Gothic";
    else {
        LOGFONTW any{};
        any.lfCharSet = HANGUL_CHARSET;
        EnumFontFamiliesExW(dc, &any, firstHorizontal, reinterpret_cast<LPARAM>(&face), 0);
    }
    ReleaseDC(nullptr, dc);
    return face.empty() ? std::wstring(wanted) : face;
}

int storedPixels(const layout::Font &font, UINT dpi)
{
    return int(std::lround(font.points * dpi / 72.0));
}

HFONT storedFont(const layout::Font &font, int pixelHeight)
{
    static const std::wstring gulim = hangulFace(L"굴림");
    static const std::wstring dotum = hangulFace(L"돋움");
    const std::wstring wanted = widen(font.face);
    const std::wstring &face = wanted == L"돋움" ? dotum : wanted == L"굴림" ? gulim : wanted;
    return create(face, pixelHeight, font.weight);
}

HFONT storedFont(const layout::Font &font, UINT dpi)
{
    return storedFont(font, storedPixels(font, dpi));
}

HFONT dialogFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        metrics.lfMessageFont.lfHeight = -MulDiv(9, int(dpi), 72);
        wcscpy(metrics.lfMessageFont.lfFaceName, L"굴림");
    }
    LOGFONTW &font = metrics.lfMessageFont;
    HDC dc = GetDC(nullptr);
    const bool hangul = hasHangul(dc, font.lfFaceName);
    ReleaseDC(nullptr, dc);
    if (!hangul) {
        static const std::wstring face = hangulFace(L"굴림");
        face.copy(font.lfFaceName, LF_FACESIZE - 1);
        font.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
    }
    font.lfCharSet = HANGUL_CHARSET;
    return CreateFontIndirectW(&font);
}

} // namespace barmen::win32
