#include "pictures/load.h"

#include <cstdint>
#include <span>
#include <string>

#include "pictures/decode.h"
#include "pictures/formats.h"
#include "system/failure.h"
#include "system/files.h"

namespace barmen::pictures {

namespace {

Loaded failure(system::Failure kind, PictureDetail detail = {})
{
    return {Image{}, {kind}, detail};
}

} // namespace

Loaded load(std::string_view file)
{
    // One open, without waiting: a pipe or a device is refused as opened, and
    // a file that never ends (as in /proc) is read no further than one byte
    // past the limit.
    const system::Read read = system::readFile(std::string(file), maxFileBytes);
    using system::Failure;
    switch (read.kind) {
    case system::Found::Missing:
        return failure(Failure::NoSuchFile);
    // Not to be looked at, or there but not to be opened.
    case system::Found::Unreachable:
        switch (read.problem.kind) {
        case Failure::NoPermission:
        case Failure::NoSuchFile:
        case Failure::NotAFolderOnPath:
        case Failure::PathTooLong:
            return failure(read.problem.kind);
        case Failure::None:
            return failure(Failure::NoSuchFile);
        default:
            return failure(Failure::CannotOpen);
        }
    // A link to nothing, or to itself, is there but leads nowhere.
    case system::Found::LoopingLink:
        return failure(Failure::LinkLoop);
    case system::Found::DanglingLink:
        return failure(Failure::DanglingLink);
    case system::Found::Folder:
        return failure(Failure::IsFolder);
    case system::Found::Other:
        return failure(Failure::NotPlainFile);
    case system::Found::Plain:
        break;
    }
    if (read.overLimit)
        return failure(Failure::FileTooLarge);
    // Opened, then the reading failed; a file with nothing to read yet (as
    // /proc/kmsg) is one made to be waited on, not read through.
    if (read.problem.kind == Failure::NotPlainFile)
        return failure(Failure::NotPlainFile);
    if (read.problem)
        return failure(Failure::ReadIncomplete);
    if (read.bytes.empty())
        return failure(Failure::Empty);

    Decoded decoded = decode(std::span(reinterpret_cast<const std::uint8_t *>(read.bytes.data()), read.bytes.size()));
    if (decoded.fault != Fault::None)
        return failure(detail::kindOf(decoded.fault), decoded.detail);
    return {std::move(decoded.image), {}, {}};
}

} // namespace barmen::pictures
