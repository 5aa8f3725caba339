#include "app/qtpictures.h"

#include <QFile>
#include <QFileInfo>

#include "app/picturedecode.h"

#include <sys/stat.h>

#include <cerrno>

namespace barmen {

namespace {

// No picture of the game comes near this; a bigger file is not one of ours.
constexpr qint64 maxPictureBytes = 32 * 1024 * 1024;

PictureLoad failure(const QString &reason)
{
    return {nullptr, reason.toStdString()};
}

// Following the link ends in a loop (a link to itself, or two to each other)
// rather than at a missing file.
bool linkLoops(const QString &path)
{
    struct stat target;
    return ::stat(QFile::encodeName(path).constData(), &target) != 0 && errno == ELOOP;
}

} // namespace

PictureLoad QtPictureSource::load(std::string_view file)
{
    const QString path = QString::fromUtf8(file.data(), qsizetype(file.size()));
    const QFileInfo info(path);
    if (!info.exists()) {
        // A link to nothing, or to itself, is there but leads nowhere.
        if (info.isSymLink() && linkLoops(path))
            return failure(QStringLiteral("링크가 돌고 돌아 어느 파일에도 닿지 않습니다."));
        if (info.isSymLink())
            return failure(QStringLiteral("링크가 가리키는 파일이 없습니다."));
        return failure(QStringLiteral("파일이 없습니다."));
    }
    if (info.isDir())
        return failure(QStringLiteral("파일이 아니라 폴더입니다."));
    // Reading a named pipe would wait for a writer that never comes.
    if (!info.isFile())
        return failure(QStringLiteral("보통 파일이 아닙니다."));
    if (info.size() > maxPictureBytes)
        return failure(QStringLiteral("그림 파일로 보기에는 너무 큽니다."));

    QFile device(path);
    if (!device.open(QIODevice::ReadOnly)) {
        if (!info.isReadable())
            return failure(QStringLiteral("파일을 열 수 없습니다 (읽기 권한이 없습니다)."));
        return failure(QStringLiteral("파일을 열 수 없습니다."));
    }
    const QByteArray bytes = device.readAll();
    if (device.error() != QFileDevice::NoError)
        return failure(QStringLiteral("파일을 끝까지 읽지 못했습니다."));
    if (bytes.isEmpty())
        return failure(QStringLiteral("빈 파일입니다."));

    DecodedPicture decoded = decodePicture(bytes);
    if (decoded.image.isNull())
        return failure(decoded.reason);
    return {std::make_unique<QtPicture>(std::move(decoded.image)), {}};
}

} // namespace barmen
