#include "system/filekind.h"

#include <cerrno>
#include <sys/stat.h>

#include <QFile>

namespace barmen::system {

Found lookAt(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return {Found::Plain, {}};
        if (S_ISDIR(st.st_mode))
            return {Found::Folder, {}};
        if (S_ISFIFO(st.st_mode))
            return {Found::Other, QStringLiteral("이름 붙은 파이프")};
        if (S_ISSOCK(st.st_mode))
            return {Found::Other, QStringLiteral("소켓")};
        return {Found::Other, QStringLiteral("장치")};
    }
    const int error = errno;
    struct stat link {};
    if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return {error == ELOOP ? Found::LoopingLink : Found::DanglingLink, {}};
    if (error == ENOENT)
        return {Found::Missing, {}};
    return {Found::Unreachable, {}, error};
}

} // namespace barmen::system
