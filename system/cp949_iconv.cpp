#include "system/cp949.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace barmen::system {

namespace {

// Converts with glibc's iconv. Where the input holds a sequence the target
// cannot take, `substitute` is written instead and `skip(rest)` input bytes
// are passed over. Nothing when the converter cannot be opened or fails in
// a way no input explains.
template <typename Skip>
std::optional<std::string> convert(const char *to, const char *from, std::string_view input,
                                   std::string_view substitute, Skip skip)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    std::string out;
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    bool broken = false;
    while (inLeft > 0 && !broken) {
        char *outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        if (errno != EILSEQ && errno != EINVAL) {
            broken = true;
            break;
        }
        // Not valid, or cut off at the end: replace and go on.
        out += substitute;
        const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += n;
        inLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    if (broken)
        return std::nullopt;
    return out;
}

// The length of the UTF-8 sequence that starts the text, at least 1.
std::size_t utf8Length(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(n, text.size());
}

} // namespace

std::optional<std::string> cp949FromUtf8(std::string_view text)
{
    return convert("CP949", "UTF-8", text, "?", utf8Length);
}

std::optional<std::string> cp949ToUtf8(std::string_view bytes)
{
    return convert("UTF-8", "CP949", bytes, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t(1); });
}

} // namespace barmen::system
