// Prints what this build of the core makes of the save rules and the picture
// decoder, so tests/web_test.sh can compare the WebAssembly build's output
// with the desktop build's, line for line:
//   crosscheck save LABELS    each label's save bytes in hex, and whether
//                             reading them back gives the label
//   crosscheck decode FILE... each picture's size and a hash of its pixels,
//                             or the decoder's reason; and the same for the
//                             file cut at a spread of offsets
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>

#include "pictures/decode.h"
#include "system/savefile.h"

namespace {

std::string hex(std::string_view bytes)
{
    std::string out;
    char two[3];
    for (char b : bytes) {
        std::snprintf(two, sizeof two, "%02x", unsigned(static_cast<unsigned char>(b)));
        out += two;
    }
    return out;
}

std::string decoded(std::string_view bytes)
{
    using namespace barmen::pictures;
    const Decoded d = decode(std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()));
    if (d.fault != Fault::None)
        return d.reason;
    std::uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < std::size_t(d.image.width) * std::size_t(d.image.height); ++i)
        hash = (hash ^ d.image.pixels[i]) * 1099511628211ull;
    char line[96];
    std::snprintf(line, sizeof line, "%dx%d %s %016llx", d.image.width, d.image.height,
                  d.image.transparent ? "clear" : "opaque", static_cast<unsigned long long>(hash));
    return line;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "save" && argc == 3) {
        std::ifstream labels(argv[2]);
        for (std::string label; std::getline(labels, label);) {
            if (label.empty() || label.starts_with('#'))
                continue;
            const auto bytes = barmen::system::encodeSave(label);
            const bool readsBack = bytes && [&] {
                const barmen::system::SavedLine back = barmen::system::decodeSave(*bytes);
                return back.ok() && back.label == label;
            }();
            std::cout << label << "\t" << (bytes ? hex(*bytes) : "no converter") << "\t"
                      << (readsBack ? "reads back" : "reads back wrong") << "\n";
        }
        return 0;
    }
    if (command == "decode") {
        for (int i = 2; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            std::cout << argv[i] << ": " << decoded(bytes) << "\n";
            for (std::size_t cut = 1; cut < bytes.size(); cut += 1 + bytes.size() / 23)
                std::cout << "  cut at " << cut << ": " << decoded(std::string_view(bytes).substr(0, cut)) << "\n";
        }
        return 0;
    }
    std::cerr << "usage: crosscheck save LABELS | decode FILE...\n";
    return 2;
}
