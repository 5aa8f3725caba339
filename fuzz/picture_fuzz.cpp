// Any bytes at all as a picture file: decoding must not crash, leak or hang,
// must give either a picture or a reason, never both or neither, and a
// picture must come out the same with padding behind the file.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "pictures/decode.h"

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "picture fuzz: %s\n", what);
    std::abort();
}

bool samePicture(const barmen::pictures::Image &a, const barmen::pictures::Image &b)
{
    if (a.width != b.width || a.height != b.height || a.transparent != b.transparent)
        return false;
    const std::size_t n = std::size_t(a.width) * std::size_t(a.height);
    return std::equal(a.pixels.get(), a.pixels.get() + n, b.pixels.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace barmen::pictures;
    const std::span<const std::uint8_t> bytes(data, size);

    const Decoded decoded = decode(bytes);
    if (decoded.image.null() != (decoded.fault != Fault::None))
        fail("a picture and a fault disagree");
    if (decoded.reason.empty() != (decoded.fault == Fault::None))
        fail("a refusal without a reason, or a reason with a picture");
    if (decoded.image.null())
        return 0;
    if (decoded.image.width <= 0 || decoded.image.height <= 0)
        fail("a picture without pixels");
    if (std::int64_t(decoded.image.width) * decoded.image.height > maxPixels)
        fail("a picture larger than the limit");
    // Every pixel written, opaque or clear: the picture's memory is not
    // cleared first, and the sanitizer fills new memory with 0xBE (run with
    // ASAN_OPTIONS=max_malloc_fill_size=67108864 to fill all of it).
    const std::size_t n = std::size_t(decoded.image.width) * std::size_t(decoded.image.height);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t alpha = decoded.image.pixels[i] >> 24;
        if (alpha != 0xFF && alpha != 0)
            fail("a pixel neither opaque nor clear: left unwritten");
    }

    // Bytes after the end marker are never read.
    std::vector<std::uint8_t> padded(data, data + size);
    padded.insert(padded.end(), {'\r', '\n', 0, 0, ';'});
    if (!samePicture(decode(padded).image, decoded.image))
        fail("padding changed the picture");
    return 0;
}
