#include "system/savefile.h"

#include "system/cp949.h"
#include "system/failure.h"
#include "system/files.h"

namespace barmen::system {

namespace {

constexpr std::string_view leftAlone = ". 그대로 두었습니다";

// "저장 파일 "save.sav"를 <verb>: <reason>."
std::string cannot(const std::string &path, std::string_view verb, std::string_view why)
{
    std::string message = "저장 파일 " + withParticle(quoted(path), object) + " ";
    message += verb;
    message += ": ";
    message += why;
    message += ".";
    return message;
}

SaveResult refusedToSave(const std::string &path, std::string_view verb, std::string_view why)
{
    return {false, cannot(path, verb, why)};
}

SaveResult refusedAndLeft(const std::string &path, std::string_view why)
{
    return refusedToSave(path, "쓸 수 없습니다", std::string(why) + std::string(leftAlone));
}

std::string_view verbFor(Written::Stage stage)
{
    switch (stage) {
    case Written::Create: return "만들 수 없습니다";
    case Written::Replace: return "바꿀 수 없습니다";
    case Written::Done:
    case Written::Write:
    case Written::Flush: break;
    }
    return "쓸 수 없습니다";
}

// Where the name is a link, whether it may lead the save where it points.
std::optional<SaveResult> refuseLink(const std::string &path, const Found &found)
{
    if (found.foreignLink)
        return refusedAndLeft(path, "다른 사용자가 만든 링크입니다");
    if (found.kind == Found::DanglingLink) {
        if (!insideCurrentFolder(path))
            return refusedAndLeft(path, "링크가 게임 폴더 밖의 없는 파일을 가리킵니다");
        return std::nullopt;
    }
    const Read old = readFile(path, saveReadLimit);
    if (old.kind == Found::Plain && !old.problem && (old.overLimit || !looksLikeSave(old.bytes)))
        return refusedAndLeft(path, "링크가 가리키는 파일이 저장 파일이 아닙니다");
    return std::nullopt;
}

} // namespace

std::optional<std::string> Cp949::fromUtf8(std::string_view text) const
{
    return cp949FromUtf8(text);
}

std::optional<std::string> Cp949::toUtf8(std::string_view bytes) const
{
    return cp949ToUtf8(bytes);
}

const Cp949 &systemCp949()
{
    static const Cp949 codec;
    return codec;
}

std::optional<std::string> encodeSave(std::string_view label, const Cp949 &codec)
{
    std::optional<std::string> bytes = codec.fromUtf8(label);
    if (bytes)
        bytes->append("\r\n");
    return bytes;
}

std::optional<std::string> decodeSave(std::string_view bytes, const Cp949 &codec)
{
    return codec.toUtf8(bytes.substr(0, bytes.find('\r')));
}

bool looksLikeSave(std::string_view bytes)
{
    if (bytes.size() > saveReadLimit)
        return false;
    if (bytes.ends_with("\r\n"))
        bytes.remove_suffix(2);
    else if (bytes.ends_with('\n'))
        bytes.remove_suffix(1);
    return bytes.find_first_of("\r\n") == std::string_view::npos;
}

SaveResult writeSave(std::string_view label, const std::string &path, const Cp949 &codec)
{
    const Found found = lookAt(path);
    switch (found.kind) {
    case Found::Folder:
        return refusedAndLeft(path, "폴더입니다");
    case Found::Other:
        return refusedAndLeft(path, "보통 파일이 아니라 " + found.what + "입니다");
    case Found::LoopingLink:
        return refusedToSave(path, "쓸 수 없습니다", reason({Failure::LinkLoop}));
    case Found::Unreachable:
        return refusedToSave(path, "쓸 수 없습니다", reason(found.problem));
    case Found::Missing:
    case Found::Plain:
    case Found::DanglingLink:
        break;
    }
    if (found.throughLink)
        if (std::optional<SaveResult> refused = refuseLink(path, found))
            return *refused;

    if (found.kind == Found::Plain && !mayWrite(path))
        return refusedToSave(path, "쓸 수 없습니다", reason({Failure::NoPermission}));

    const std::optional<std::string> bytes = encodeSave(label, codec);
    if (!bytes)
        return refusedToSave(path, "쓸 수 없습니다", "글자를 저장 파일의 한글 코드(CP949)로 바꾸지 못했습니다");

    const Written replaced = replaceFile(path, *bytes);
    if (replaced.ok())
        return {true, {}};
    if (replaced.stage == Written::Create && found.kind == Found::Plain && onlyWritableInPlace(path)) {
        if (found.throughLink)
            return refusedAndLeft(path, "폴더에 새 파일을 만들 수 없고, 링크를 따라가 제자리에 쓰지는 않습니다");
        const Written inPlace = writeInPlace(path, *bytes);
        if (inPlace.ok())
            return {true, {}};
        return refusedToSave(path, "쓸 수 없습니다", reason(inPlace.problem));
    }
    return refusedToSave(path, verbFor(replaced.stage), reason(replaced.problem));
}

LoadResult readSave(const std::string &path, const Cp949 &codec)
{
    auto refused = [&](std::string_view verb, std::string_view why) {
        return LoadResult{false, {}, cannot(path, verb, why)};
    };
    // Opened once and judged as opened: a pipe that takes the save's place
    // between a look and the open must not keep the game waiting.
    const Read file = readFile(path, saveReadLimit);
    switch (file.kind) {
    case Found::Missing:
        return {false, {}, "저장 파일 " + withParticle(quoted(path), subject) + " 없습니다."};
    case Found::DanglingLink:
        return refused("열 수 없습니다", reason({Failure::DanglingLink}));
    case Found::LoopingLink:
        return refused("열 수 없습니다", reason({Failure::LinkLoop}));
    case Found::Unreachable:
        return refused("열 수 없습니다", reason(file.problem));
    case Found::Folder:
        return refused("열 수 없습니다", "폴더입니다");
    case Found::Other:
        // A device is no save, and a pipe would wait for a writer that never comes.
        return refused("열 수 없습니다", "보통 파일이 아니라 " + file.what + "입니다");
    case Found::Plain:
        break;
    }
    if (file.problem)
        return refused("읽을 수 없습니다", reason(file.problem));
    if (file.bytes.empty())
        return {false, {}, "저장 파일 " + withParticle(quoted(path), subject) + " 비어 있습니다."};
    std::optional<std::string> label = decodeSave(file.bytes, codec);
    if (!label)
        return refused("읽을 수 없습니다", "저장 파일의 한글 코드(CP949)를 글자로 바꾸지 못했습니다");
    return {true, std::move(*label), {}};
}

SaveStore::Result SaveFile::write(std::string_view label)
{
    SaveResult saved = writeSave(label, m_path, m_codec);
    return {saved.ok, {}, std::move(saved.error)};
}

SaveStore::Result SaveFile::read()
{
    LoadResult loaded = readSave(m_path, m_codec);
    return {loaded.ok, std::move(loaded.label), std::move(loaded.error)};
}

} // namespace barmen::system
