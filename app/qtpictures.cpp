#include "app/qtpictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace barmen {

namespace {

// No picture of the game comes near this; a bigger file is not one of ours.
constexpr qint64 maxPictureBytes = 32 * 1024 * 1024;

PictureLoad failure(const QString &reason)
{
    return {nullptr, reason.toStdString()};
}

// Qt's JPEG reader fills a cut-off file with grey and calls it a success; a
// complete JPEG ends with the EOI marker.
bool jpegLooksCut(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xD8") && !bytes.endsWith("\xFF\xD9");
}

// Its GIF reader, likewise, shows the rows it got of a cut-off GIF and leaves
// the rest clear; a complete GIF ends with the trailer byte ';'.
bool gifLooksCut(const QByteArray &bytes)
{
    return bytes.startsWith("GIF8") && !bytes.endsWith(';');
}

} // namespace

PictureLoad QtPictureSource::load(std::string_view file)
{
    const QString path = QString::fromUtf8(file.data(), qsizetype(file.size()));
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("파일이 없습니다."));
    if (info.isDir())
        return failure(QStringLiteral("파일이 아니라 폴더입니다."));
    // Reading a named pipe would wait for a writer that never comes.
    if (!info.isFile())
        return failure(QStringLiteral("보통 파일이 아닙니다."));
    if (info.size() > maxPictureBytes)
        return failure(QStringLiteral("그림 파일로 보기에는 너무 큽니다."));

    QFile device(path);
    if (!device.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("파일을 열 수 없습니다 (%1).").arg(device.errorString()));
    QByteArray bytes = device.readAll();
    if (bytes.isEmpty())
        return failure(QStringLiteral("빈 파일입니다."));
    if (jpegLooksCut(bytes))
        return failure(QStringLiteral("JPEG 파일이 중간에 잘려 있습니다."));
    if (gifLooksCut(bytes))
        return failure(QStringLiteral("GIF 파일이 중간에 잘려 있습니다."));

    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        return failure(QStringLiteral("그림으로 읽을 수 없습니다 (%1).").arg(reader.errorString()));
    return {std::make_unique<QtPicture>(std::move(image)), {}};
}

} // namespace barmen
