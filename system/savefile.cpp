#include "system/savefile.h"

#include <cerrno>
#include <iconv.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace barmen::system {

namespace {

// Converts with glibc's iconv. Where the input holds a sequence the target
// cannot take, `substitute` is written instead and `skip(rest)` input bytes
// are passed over.
template <typename Skip>
std::string convert(const char *to, const char *from, std::string_view input,
                    std::string_view substitute, Skip skip)
{
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;

    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char *outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ (not valid) or EINVAL (cut off at the end): replace and go on.
        out += substitute;
        const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += n;
        inLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

// The length of the UTF-8 sequence that starts the text, at least 1.
std::size_t utf8Length(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(n, text.size());
}

// Why a write failed. Qt gives a write cut short by a full disk or a file-size
// limit only its "Unknown error", which tells the player nothing.
QString writeFailure(const QFileDevice &file)
{
    const QString reason = file.errorString();
    if (reason.isEmpty() || reason == QFile().errorString() || reason == QLatin1String("Unknown error"))
        return QStringLiteral("끝까지 쓰지 못했습니다 (디스크가 가득 찼거나 파일 크기 제한에 걸렸습니다)");
    return reason;
}

} // namespace

QByteArray encodeSave(std::string_view label)
{
    const std::string bytes = convert("CP949", "UTF-8", label, "?", utf8Length);
    QByteArray file(bytes.data(), qsizetype(bytes.size()));
    file.append("\r\n");
    return file;
}

std::string decodeSave(QByteArrayView bytes)
{
    const qsizetype cr = bytes.indexOf('\r');
    const QByteArrayView line = cr < 0 ? bytes : bytes.first(cr);
    return convert("UTF-8", "CP949", std::string_view(line.data(), std::size_t(line.size())),
                   "\xEF\xBF\xBD", [](std::string_view) { return std::size_t(1); });
}

SaveResult writeSave(std::string_view label, const QString &path)
{
    const QByteArray bytes = encodeSave(label);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("저장 파일을 만들 수 없습니다: %1").arg(file.errorString())};

    // Flush before commit: a failed buffered write must not pass for a good save.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = writeFailure(file);
        file.cancelWriting();
        return {false, QStringLiteral("저장 파일을 쓸 수 없습니다: %1").arg(error)};
    }
    if (!file.commit())
        return {false, QStringLiteral("저장 파일을 바꿀 수 없습니다: %1").arg(file.errorString())};
    return {true, {}};
}

LoadResult readSave(const QString &path)
{
    QFile file(path);
    if (!QFileInfo::exists(path))
        return {false, {}, QStringLiteral("저장 파일(%1)이 없습니다.").arg(path)};
    // Opening a named pipe waits for a writer that never comes, and a device
    // is no save: only a plain file is read.
    if (const QFileInfo info(path); !info.isDir() && !info.isFile())
        return {false, {}, QStringLiteral("저장 파일(%1)을 열 수 없습니다: 보통 파일이 아닙니다").arg(path)};
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {false, {}, QStringLiteral("저장 파일(%1)을 열 수 없습니다: %2")
                               .arg(path, QFileInfo(path).isDir() ? QStringLiteral("폴더입니다")
                                                                 : file.errorString())};

    const QByteArray bytes = file.read(saveReadLimit);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
        return {false, {}, QStringLiteral("저장 파일(%1)을 읽을 수 없습니다: %2").arg(path, file.errorString())};
    if (bytes.isEmpty())
        return {false, {}, QStringLiteral("저장 파일(%1)이 비어 있습니다.").arg(path)};
    return {true, decodeSave(bytes), {}};
}

SaveStore::Result SaveFile::write(std::string_view label)
{
    const SaveResult saved = writeSave(label, m_path);
    return {saved.ok, {}, saved.error.toStdString()};
}

SaveStore::Result SaveFile::read()
{
    LoadResult loaded = readSave(m_path);
    return {loaded.ok, std::move(loaded.label), loaded.error.toStdString()};
}

} // namespace barmen::system
