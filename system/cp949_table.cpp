#include "system/cp949.h"

#include <algorithm>
#include <array>
#include <cstdint>

// CP949 for a platform whose C library has no Korean code page (the browser's
// WebAssembly). A save only ever holds a label of the story, so the table
// holds every character of every label, written at build time from the
// desktop's own converter (barmen-web-make cp949): the bytes are the
// desktop's bytes by construction. ASCII stands for itself, as in CP949.
namespace barmen::system {

namespace {

struct Pair {
    char32_t code;
    std::uint16_t cp949;
};

constexpr Pair table[] = {
#include "cp949_table.inc"
};

constexpr bool sortedByCode()
{
    for (std::size_t i = 1; i < std::size(table); ++i)
        if (table[i - 1].code >= table[i].code)
            return false;
    return true;
}
static_assert(sortedByCode(), "the generated table is looked up by halving");

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

std::optional<std::string> cp949FromUtf8(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += char(lead);
            ++i;
            continue;
        }
        const std::size_t n = std::min<std::size_t>(lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4, text.size() - i);
        char32_t c = lead & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += n;
        const Pair *hit = std::lower_bound(std::begin(table), std::end(table), c,
                                           [](const Pair &p, char32_t code) { return p.code < code; });
        if (hit != std::end(table) && hit->code == c) {
            out += char(hit->cp949 >> 8);
            out += char(hit->cp949 & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

std::optional<std::string> cp949ToUtf8(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += char(lead);
            ++i;
            continue;
        }
        // A pair the table does not know is no label of this story either.
        char32_t found = 0xFFFD;
        if (i + 1 < bytes.size()) {
            const std::uint16_t pair = std::uint16_t(lead << 8 | static_cast<unsigned char>(bytes[i + 1]));
            const Pair *hit = std::find_if(std::begin(table), std::end(table), [&](const Pair &p) { return p.cp949 == pair; });
            if (hit != std::end(table)) {
                found = hit->code;
                ++i;
            }
        }
        ++i;
        appendUtf8(out, found);
    }
    return out;
}

} // namespace barmen::system
