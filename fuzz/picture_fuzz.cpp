// Any bytes at all as a picture file: decoding must not crash, leak or hang,
// must give either a picture or a reason, never both or neither, and a
// picture must come out the same with padding behind the file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/picturedecode.h"

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "picture fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace barmen;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const DecodedPicture decoded = decodePicture(bytes);
    if (decoded.image.isNull() != (decoded.fault != PictureFault::None))
        fail("a picture and a fault disagree");
    if (decoded.reason.isEmpty() != (decoded.fault == PictureFault::None))
        fail("a refusal without a reason, or a reason with a picture");
    if (decoded.image.isNull())
        return 0;
    if (qint64(decoded.image.width()) * decoded.image.height() > maxPicturePixels)
        fail("a picture larger than the limit");

    // Bytes after the end marker are never read.
    const DecodedPicture padded = decodePicture(bytes.toByteArray() + QByteArray("\r\n\0\0;", 5));
    if (padded.image != decoded.image)
        fail("padding changed the picture");
    return 0;
}
