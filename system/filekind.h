#pragma once

#include <QString>

namespace barmen::system {

// What stands at a path, links followed: the save file and the picture loader
// both look before they open, since opening a pipe waits for a writer and a
// link may lead nowhere.
struct Found {
    enum Kind { Missing, Plain, Folder, Other, DanglingLink, LoopingLink, Unreachable } kind;
    QString what;   // for Other, in words a player reads: a pipe, a device, a socket
    int error = 0;  // for Unreachable: why the path could not be looked at
};

Found lookAt(const QString &path);

} // namespace barmen::system
