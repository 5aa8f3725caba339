#include "pictures/load.h"

#include <cstdint>
#include <span>
#include <string>

#include "pictures/decode.h"
#include "system/files.h"

namespace barmen::pictures {

namespace {

Loaded failure(std::string reason)
{
    return {Image{}, std::move(reason)};
}

} // namespace

Loaded load(std::string_view file)
{
    // One open, without waiting: a pipe or a device is refused as opened, and
    // a file that never ends (as in /proc) is read no further than one byte
    // past the limit.
    const system::Read read = system::readFile(std::string(file), maxFileBytes);
    switch (read.kind) {
    case system::Found::Missing:
        return failure("파일이 없습니다.");
    // Not to be looked at, or there but not to be opened.
    case system::Found::Unreachable:
        switch (read.problem.kind) {
        case system::Failure::NoPermission:
            return failure("파일을 열 수 없습니다 (읽기 권한이 없습니다).");
        case system::Failure::None:
        case system::Failure::NoSuchFile:
        case system::Failure::NotAFolderOnPath:
        case system::Failure::PathTooLong:
            return failure("파일이 없습니다.");
        default:
            return failure("파일을 열 수 없습니다.");
        }
    // A link to nothing, or to itself, is there but leads nowhere.
    case system::Found::LoopingLink:
        return failure("링크가 돌고 돌아 어느 파일에도 닿지 않습니다.");
    case system::Found::DanglingLink:
        return failure("링크가 가리키는 파일이 없습니다.");
    case system::Found::Folder:
        return failure("파일이 아니라 폴더입니다.");
    case system::Found::Other:
        return failure("보통 파일이 아닙니다.");
    case system::Found::Plain:
        break;
    }
    if (read.overLimit)
        return failure("그림 파일로 보기에는 너무 큽니다.");
    // Opened, then the reading failed; a file with nothing to read yet (as
    // /proc/kmsg) is one made to be waited on, not read through.
    if (read.problem.kind == system::Failure::NotPlainFile)
        return failure("보통 파일이 아닙니다.");
    if (read.problem)
        return failure("파일을 끝까지 읽지 못했습니다.");
    if (read.bytes.empty())
        return failure("빈 파일입니다.");

    Decoded decoded = decode(std::span(reinterpret_cast<const std::uint8_t *>(read.bytes.data()), read.bytes.size()));
    if (decoded.fault != Fault::None)
        return failure(std::move(decoded.reason));
    return {std::move(decoded.image), {}};
}

} // namespace barmen::pictures
