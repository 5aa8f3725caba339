#include "app/qtpictures.h"

#include <QFile>
#include <QFileInfo>

#include "app/picturedecode.h"
#include "system/files.h"

namespace barmen {

namespace {

// No picture of the game comes near this; a bigger file is not one of ours.
constexpr qint64 maxPictureBytes = 32 * 1024 * 1024;

PictureLoad failure(const QString &reason)
{
    return {nullptr, reason.toStdString()};
}

} // namespace

PictureLoad QtPictureSource::load(std::string_view file)
{
    const QString path = QString::fromUtf8(file.data(), qsizetype(file.size()));
    switch (system::lookAt(std::string(file)).kind) {
    case system::Found::Missing:
    case system::Found::Unreachable:
        return failure(QStringLiteral("파일이 없습니다."));
    // A link to nothing, or to itself, is there but leads nowhere.
    case system::Found::LoopingLink:
        return failure(QStringLiteral("링크가 돌고 돌아 어느 파일에도 닿지 않습니다."));
    case system::Found::DanglingLink:
        return failure(QStringLiteral("링크가 가리키는 파일이 없습니다."));
    case system::Found::Folder:
        return failure(QStringLiteral("파일이 아니라 폴더입니다."));
    // Reading a named pipe would wait for a writer that never comes.
    case system::Found::Other:
        return failure(QStringLiteral("보통 파일이 아닙니다."));
    case system::Found::Plain:
        break;
    }
    const QFileInfo info(path);
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
