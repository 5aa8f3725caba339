// The save file's code page through Windows' own code page 949, the one the
// game's saves were always written in.

#include "system/cp949.h"

#include <windows.h>

#include "system/wide.h"

namespace barmen::system {

namespace {

constexpr UINT koreanCodePage = 949;

} // namespace

std::optional<std::string> cp949FromUtf8(std::string_view text)
{
    if (text.empty())
        return std::string();
    const std::wstring wide = widen(text);
    if (wide.empty())
        return std::nullopt;
    // A character beyond the Basic Multilingual Plane is one character, so
    // one '?', not one for each half of its surrogate pair.
    std::wstring single;
    single.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            single += L'?';
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            single += L'?';
        } else {
            single += c;
        }
    }
    // No best fit: a character code page 949 lacks becomes '?', never a look-alike.
    const int m = WideCharToMultiByte(koreanCodePage, WC_NO_BEST_FIT_CHARS, single.data(), int(single.size()),
                                      nullptr, 0, "?", nullptr);
    if (m <= 0)
        return std::nullopt;
    std::string bytes(std::size_t(m), '\0');
    if (WideCharToMultiByte(koreanCodePage, WC_NO_BEST_FIT_CHARS, single.data(), int(single.size()), bytes.data(),
                            m, "?", nullptr)
        != m)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> cp949ToUtf8(std::string_view bytes)
{
    if (!IsValidCodePage(koreanCodePage))
        return std::nullopt;
    // One character at a time, so that a byte that is not CP949 becomes one
    // U+FFFD and the next byte starts afresh, as it does on Linux.
    std::wstring wide;
    wide.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            wide += wchar_t(lead);
            ++i;
            continue;
        }
        wchar_t c = 0;
        if (lead != 0x80 && lead != 0xFF && i + 1 < bytes.size()
            && MultiByteToWideChar(koreanCodePage, MB_ERR_INVALID_CHARS, bytes.data() + i, 2, &c, 1) == 1) {
            wide += c;
            i += 2;
        } else {
            wide += wchar_t(0xFFFD);
            ++i;
        }
    }
    if (wide.empty())
        return std::string();
    std::string text = narrow(wide);
    if (text.empty())
        return std::nullopt;
    return text;
}

} // namespace barmen::system
