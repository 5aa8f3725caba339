#include "system/savefile.h"

#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "system/filekind.h"
#include "system/korean.h"

namespace barmen::system {

namespace {

// Converts with glibc's iconv. Where the input holds a sequence the target
// cannot take, `substitute` is written instead and `skip(rest)` input bytes
// are passed over. Nothing when the converter cannot be opened or fails in
// a way no input explains.
template <typename Skip>
std::optional<std::string> convert(const char *to, const char *from, std::string_view input,
                                   std::string_view substitute, Skip skip)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    std::string out;
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    bool broken = false;
    while (inLeft > 0 && !broken) {
        char *outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        if (errno != EILSEQ && errno != EINVAL) {
            broken = true;
            break;
        }
        // Not valid, or cut off at the end: replace and go on.
        out += substitute;
        const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += n;
        inLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    if (broken)
        return std::nullopt;
    return out;
}

// The length of the UTF-8 sequence that starts the text, at least 1.
std::size_t utf8Length(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(n, text.size());
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// "저장 파일 "save.sav"를 <verb>: <reason>"
QString cannot(const QString &path, const QString &verb, const QString &reason)
{
    return QStringLiteral("저장 파일 %1 %2: %3.").arg(withParticle(quoted(path), object), verb, reason);
}

SaveResult refusedToSave(const QString &path, const QString &verb, const QString &reason)
{
    return {false, cannot(path, verb, reason)};
}

// The last resort for a folder that takes no new files: the line goes into the
// save file itself, over the old one, in one write, then onto the disk.
SaveResult writeInPlace(const QString &path, const QByteArray &bytes)
{
    const QByteArray native = QFile::encodeName(path);
    // Not blocking: had a pipe taken the file's place since it was looked at,
    // opening it would wait for a reader.
    const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refusedToSave(path, QStringLiteral("열 수 없습니다"), reasonFromErrno(errno));
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = EISDIR;   // reported below as not a plain file
    const ssize_t written = error ? -1 : ::write(fd, bytes.constData(), std::size_t(bytes.size()));
    if (!error && written != bytes.size())
        error = written < 0 ? errno : ENOSPC;
    if (!error && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (error == EISDIR)
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), QStringLiteral("보통 파일이 아닙니다"));
    if (error)
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), reasonFromErrno(error));
    return {true, {}};
}

// Whether the folder that holds the save takes no new file while the save
// file itself may be written: then only writing in place can save.
bool onlyInPlace(const QString &path)
{
    const QFileInfo target(QFileInfo(path).canonicalFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const QByteArray file = QFile::encodeName(target.absoluteFilePath());
    return ::access(folder.constData(), W_OK) != 0 && ::access(file.constData(), W_OK) == 0;
}

} // namespace

std::optional<std::string> Cp949::fromUtf8(std::string_view text) const
{
    return convert("CP949", "UTF-8", text, "?", utf8Length);
}

std::optional<std::string> Cp949::toUtf8(std::string_view bytes) const
{
    return convert("UTF-8", "CP949", bytes, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t(1); });
}

const Cp949 &systemCp949()
{
    static const Cp949 codec;
    return codec;
}

std::optional<QByteArray> encodeSave(std::string_view label, const Cp949 &codec)
{
    const std::optional<std::string> bytes = codec.fromUtf8(label);
    if (!bytes)
        return std::nullopt;
    QByteArray file(bytes->data(), qsizetype(bytes->size()));
    file.append("\r\n");
    return file;
}

std::optional<std::string> decodeSave(QByteArrayView bytes, const Cp949 &codec)
{
    const qsizetype cr = bytes.indexOf('\r');
    const QByteArrayView line = cr < 0 ? bytes : bytes.first(cr);
    return codec.toUtf8(std::string_view(line.data(), std::size_t(line.size())));
}

SaveResult writeSave(std::string_view label, const QString &path, const Cp949 &codec)
{
    const Found found = lookAt(path);
    switch (found.kind) {
    case Found::Folder:
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), QStringLiteral("폴더입니다. 그대로 두었습니다"));
    case Found::Other:
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"),
                             QStringLiteral("보통 파일이 아니라 %1입니다. 그대로 두었습니다").arg(found.what));
    case Found::LoopingLink:
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), reasonFromErrno(ELOOP));
    case Found::Unreachable:
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), reasonFromErrno(found.error));
    case Found::Missing:
    case Found::Plain:
    case Found::DanglingLink:   // the save is made where the link points
        break;
    }

    const std::optional<QByteArray> bytes = encodeSave(label, codec);
    if (!bytes)
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"),
                             QStringLiteral("글자를 저장 파일의 한글 코드(CP949)로 바꾸지 못했습니다"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const int error = errno;
        if (found.kind == Found::Plain && onlyInPlace(path))
            return writeInPlace(QFileInfo(path).canonicalFilePath(), *bytes);
        return refusedToSave(path, QStringLiteral("만들 수 없습니다"), reasonFromErrno(error));
    }

    // Flush before commit: a failed buffered write must not pass for a good save.
    errno = 0;
    if (file.write(*bytes) != bytes->size() || !file.flush()) {
        const int error = errno;
        file.cancelWriting();
        return refusedToSave(path, QStringLiteral("쓸 수 없습니다"), reasonFromErrno(error));
    }
    if (!file.commit())
        return refusedToSave(path, QStringLiteral("바꿀 수 없습니다"), reasonFromErrno(errno));
    return {true, {}};
}

LoadResult readSave(const QString &path, const Cp949 &codec)
{
    auto refused = [&](const QString &verb, const QString &reason) {
        return LoadResult{false, {}, cannot(path, verb, reason)};
    };
    const Found found = lookAt(path);
    switch (found.kind) {
    case Found::Missing:
        return {false, {}, QStringLiteral("저장 파일 %1 없습니다.").arg(withParticle(quoted(path), subject))};
    case Found::DanglingLink:
        return refused(QStringLiteral("열 수 없습니다"), QStringLiteral("링크가 가리키는 파일이 없습니다"));
    case Found::LoopingLink:
        return refused(QStringLiteral("열 수 없습니다"), reasonFromErrno(ELOOP));
    case Found::Unreachable:
        return refused(QStringLiteral("열 수 없습니다"), reasonFromErrno(found.error));
    case Found::Folder:
        return refused(QStringLiteral("열 수 없습니다"), QStringLiteral("폴더입니다"));
    case Found::Other:
        // Opening a named pipe would wait for a writer that never comes, and a
        // device is no save.
        return refused(QStringLiteral("열 수 없습니다"), QStringLiteral("보통 파일이 아니라 %1입니다").arg(found.what));
    case Found::Plain:
        break;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("열 수 없습니다"), reasonFromErrno(errno));
    errno = 0;
    const QByteArray bytes = file.read(saveReadLimit);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("읽을 수 없습니다"), reasonFromErrno(errno));
    if (bytes.isEmpty())
        return {false, {}, QStringLiteral("저장 파일 %1 비어 있습니다.").arg(withParticle(quoted(path), subject))};
    std::optional<std::string> label = decodeSave(bytes, codec);
    if (!label)
        return refused(QStringLiteral("읽을 수 없습니다"),
                       QStringLiteral("저장 파일의 한글 코드(CP949)를 글자로 바꾸지 못했습니다"));
    return {true, std::move(*label), {}};
}

SaveStore::Result SaveFile::write(std::string_view label)
{
    const SaveResult saved = writeSave(label, m_path, m_codec);
    return {saved.ok, {}, saved.error.toStdString()};
}

SaveStore::Result SaveFile::read()
{
    LoadResult loaded = readSave(m_path, m_codec);
    return {loaded.ok, std::move(loaded.label), loaded.error.toStdString()};
}

} // namespace barmen::system
