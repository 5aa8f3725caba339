#include "system/savefile.h"

#include "system/cp949.h"
#include "system/failure.h"
#include "system/files.h"

namespace barmen::system {

namespace {

SaveResult done(const std::string &path)
{
    SaveResult result;
    result.ok = true;
    result.file = path;
    return result;
}

SaveResult failed(const std::string &path, Doing doing, Problem why)
{
    SaveResult result;
    result.file = path;
    result.doing = doing;
    result.problem = why;
    return result;
}

SaveResult refusedToSave(const std::string &path, Failure why)
{
    return failed(path, Doing::Writing, {why});
}

Doing doingAt(Written::Stage stage)
{
    switch (stage) {
    case Written::Create: return Doing::Creating;
    case Written::Replace: return Doing::Replacing;
    case Written::Done:
    case Written::Write:
    case Written::Flush: break;
    }
    return Doing::Writing;
}

Failure otherFailure(Other other)
{
    switch (other) {
    case Other::Pipe: return Failure::IsPipe;
    case Other::Socket: return Failure::IsSocket;
    case Other::Device: break;
    }
    return Failure::IsDevice;
}

// Where the name is a link, whether it may lead the save where it points.
std::optional<SaveResult> refuseLink(const std::string &path, const Found &found)
{
    if (found.foreignLink)
        return refusedToSave(path, Failure::ForeignLink);
    if (found.kind == Found::DanglingLink) {
        if (!insideCurrentFolder(path))
            return refusedToSave(path, Failure::LinkOutsideFolder);
        return std::nullopt;
    }
    const Read old = readFile(path, saveReadLimit);
    if (old.kind == Found::Plain && !old.problem && (old.overLimit || !looksLikeSave(old.bytes)))
        return refusedToSave(path, Failure::LinkNotASave);
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
        return refusedToSave(path, Failure::IsFolder);
    case Found::Other:
        return refusedToSave(path, otherFailure(found.other));
    case Found::LoopingLink:
        return refusedToSave(path, Failure::LinkLoop);
    case Found::Unreachable:
        return failed(path, Doing::Writing, found.problem);
    case Found::Missing:
    case Found::Plain:
    case Found::DanglingLink:
        break;
    }
    if (found.throughLink)
        if (std::optional<SaveResult> refused = refuseLink(path, found))
            return *refused;

    if (found.kind == Found::Plain && !mayWrite(path))
        return refusedToSave(path, Failure::NoPermission);

    const std::optional<std::string> bytes = encodeSave(label, codec);
    if (!bytes)
        return refusedToSave(path, Failure::Cp949Encode);

    const Written replaced = replaceFile(path, *bytes);
    if (replaced.ok())
        return done(path);
    if (replaced.stage == Written::Create && found.kind == Found::Plain && onlyWritableInPlace(path)) {
        if (found.throughLink)
            return refusedToSave(path, Failure::InPlaceThroughLink);
        const Written inPlace = writeInPlace(path, *bytes);
        if (inPlace.ok())
            return done(path);
        return failed(path, Doing::Writing, inPlace.problem);
    }
    return failed(path, doingAt(replaced.stage), replaced.problem);
}

LoadResult readSave(const std::string &path, const Cp949 &codec)
{
    auto refused = [&](Doing doing, Problem why) { return failed(path, doing, why); };
    // Opened once and judged as opened: a pipe that takes the save's place
    // between a look and the open must not keep the game waiting.
    const Read file = readFile(path, saveReadLimit);
    switch (file.kind) {
    case Found::Missing:
        return refused(Doing::Opening, {Failure::NoSave});
    case Found::DanglingLink:
        return refused(Doing::Opening, {Failure::DanglingLink});
    case Found::LoopingLink:
        return refused(Doing::Opening, {Failure::LinkLoop});
    case Found::Unreachable:
        return refused(Doing::Opening, file.problem);
    case Found::Folder:
        return refused(Doing::Opening, {Failure::IsFolder});
    case Found::Other:
        // A device is no save, and a pipe would wait for a writer that never comes.
        return refused(Doing::Opening, {otherFailure(file.other)});
    case Found::Plain:
        break;
    }
    if (file.problem)
        return refused(Doing::Reading, file.problem);
    if (file.bytes.empty())
        return refused(Doing::Opening, {Failure::EmptySave});
    std::optional<std::string> label = decodeSave(file.bytes, codec);
    if (!label)
        return refused(Doing::Reading, {Failure::Cp949Decode});
    LoadResult loaded = done(path);
    loaded.label = std::move(*label);
    return loaded;
}

} // namespace barmen::system
