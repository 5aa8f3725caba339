// Any bytes at all in "save.sav": decoding them must give valid UTF-8 without
// a line break, saving that label again must work, and reading the file must
// give the same label or, for an empty file, a message.

#include <algorithm>
#include <optional>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fstream>

#include "system/savefile.h"

namespace {

using namespace barmen::system;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "save fuzz: %s\n", what);
    std::abort();
}

bool validUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t cp;
        if (c < 0x80) {
            n = 1;
            cp = c;
        } else if (c >= 0xC2 && c < 0xE0) {
            n = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c < 0xF0) {
            n = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c < 0xF5) {
            n = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

// The save file of this fuzzing process.
const std::string &savePath()
{
    static const std::string path = [] {
        const char *tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/barmen-fuzz-" + std::to_string(getpid()) + ".sav";
    }();
    return path;
}

// Removed again when the fuzzer ends.
struct RemoveSaveFile {
    ~RemoveSaveFile() { std::remove(savePath().c_str()); }
} removeSaveFile;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const std::optional<std::string> decoded = decodeSave(bytes);
    if (!decoded)
        fail("the CP949 converter failed");
    const std::string &label = *decoded;
    if (!validUtf8(label))
        fail("decodeSave gave invalid UTF-8");
    if (label.find_first_of("\r") != std::string::npos)
        fail("decodeSave kept a CR");

    const std::optional<std::string> encoded = encodeSave(label);
    if (!encoded)
        fail("the CP949 converter failed");
    const std::string &again = *encoded;
    if (!again.ends_with("\r\n") || std::count(again.begin(), again.end(), '\r') != 1)
        fail("encodeSave did not give one line ending in CR LF");
    // Where nothing was replaced, the label survives a save and a load.
    if (label.find("\xEF\xBF\xBD") == std::string::npos && decodeSave(again) != label)
        fail("a label changed on its way through a save and a load");

    {
        std::ofstream file(savePath(), std::ios::binary | std::ios::trunc);
        if (!file.write(bytes.data(), std::streamsize(bytes.size())) || !file.flush())
            fail("cannot write the fuzzing save file");
    }
    const LoadResult loaded = readSave(savePath());
    if (size == 0) {
        if (loaded.ok || !loaded.problem)
            fail("an empty save file loaded without a message");
    } else {
        if (!loaded.ok)
            fail("a save file with content did not load");
        if (loaded.label != decodeSave(bytes.substr(0, saveReadLimit)))
            fail("reading the file gave another label than decoding its bytes");
    }
    return 0;
}
