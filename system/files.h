#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "system/failure.h"

// The few calls to the operating system that the save file and the picture
// loader make, behind one small interface: files_posix.cpp implements it for
// Linux, files_win32.cpp for Windows. Paths are UTF-8, relative to the
// current folder or absolute.
namespace barmen::system {

// What stands at a path instead of a file or a folder.
enum class Other { Device, Pipe, Socket };

// What stands at a path, links followed.
struct Found {
    enum Kind { Missing, Plain, Folder, Other, DanglingLink, LoopingLink, Unreachable };
    Kind kind = Missing;
    system::Other other = system::Other::Device;   // for Other
    Problem problem;            // for Unreachable: why the path could not be looked at
    bool throughLink = false;   // the name itself is a link
    // A link in a folder that others may write (sticky and world-writable, as
    // /tmp), owned neither by this player nor by the folder's owner: the
    // kernel's protected-symlinks rule would not follow it either.
    bool foreignLink = false;
};
Found lookAt(const std::string &path);

// The file's whole content, read from one open of it. It is opened without
// blocking and judged as opened, so a pipe or device that takes its place
// after a look is refused rather than waited on; at most limit + 1 bytes
// are read, whatever size the file reports.
struct Read {
    Found::Kind kind = Found::Missing;   // Plain when something was read
    system::Other other = system::Other::Device;   // for Other, as lookAt gives it
    Problem problem;                     // why it could not be opened or read
    std::string bytes;
    bool overLimit = false;              // there was more than limit bytes
};
Read readFile(const std::string &path, std::size_t limit);

// Where a write went wrong.
struct Written {
    enum Stage { Done, Create, Write, Flush, Replace } stage = Done;
    Problem problem;

    bool ok() const { return stage == Done; }
};

// Writes the bytes into a new file in the same folder, flushes it to the
// disk, puts it in the path's place in one step and flushes the folder.
// When anything fails before the swap, the old file is left as it was.
Written replaceFile(const std::string &path, std::string_view bytes);

// Writes the bytes over a plain file's old content, in one write, cuts the
// file to their length and flushes it. Never through a link, and never into
// anything but a plain file.
Written writeInPlace(const std::string &path, std::string_view bytes);

// Whether this player may write the file itself (links followed). A save
// the player made read-only stays as it is.
bool mayWrite(const std::string &path);

// Whether the folder that holds the path takes no new files while the file
// itself may be written.
bool onlyWritableInPlace(const std::string &path);

// The path a link names, made absolute; the path itself when it is no link.
std::string linkTarget(const std::string &path);

// Whether the path lies inside the current folder (links followed as far
// as they lead), as the game folder's own files do.
bool insideCurrentFolder(const std::string &path);

// Under a file-size limit (ulimit -f, a sandbox, a service's limits) a write
// past it ends the process, unless the process asks for the write to fail
// instead. The game asks at its start, so such a save fails with a reason.
void failWritesPastFileSizeLimit();

} // namespace barmen::system
