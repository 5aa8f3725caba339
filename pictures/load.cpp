#include "pictures/load.h"

#include <cstdint>
#include <filesystem>
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

// The folder pictures are read from, the current one, as the player's
// system writes it; empty if it cannot be told.
std::string currentFolder()
{
    std::error_code error;
    const std::u8string folder = std::filesystem::current_path(error).u8string();
    return error ? std::string() : std::string(folder.begin(), folder.end());
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
    // Most often the game was started from another folder than its own:
    // the player is told where it looked.
    case system::Found::Missing: {
        PictureDetail where;
        where.folder = currentFolder();
        return failure(Failure::NotInFolder, where);
    }
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
