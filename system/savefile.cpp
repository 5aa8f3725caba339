#include "system/savefile.h"

#include <algorithm>
#include <variant>

#include "story/labels.h"
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

// Where the name is a link, where the save may go: the link is judged once,
// here, and the file layer is handed the path it leads to. Only the
// player's own links lead anywhere, and only to a save of this game, or to
// no file yet inside the game folder: a save must never overwrite a file the
// player keeps for something else.
std::variant<std::string, SaveResult> whereLinkLeads(const std::string &path, const Found &found, const Cp949 &codec)
{
    const Link link = followLink(path);
    if (link.foreign)
        return refusedToSave(path, Failure::ForeignLink);
    if (found.kind == Found::DanglingLink) {
        if (!insideCurrentFolder(link.target))
            return refusedToSave(path, Failure::LinkOutsideFolder);
        return link.target;
    }
    const Read old = readFile(link.target, saveReadLimit);
    if (old.kind != Found::Plain || old.problem || old.overLimit || !isSaveOfThisGame(old.bytes, codec))
        return refusedToSave(path, Failure::LinkNotASave);
    return link.target;
}

bool validUtf8WithMoreThanAscii(std::string_view text)
{
    bool more = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80                  ? 1
                            : lead >= 0xC2 && lead < 0xE0 ? 2
                            : lead >= 0xE0 && lead < 0xF0 ? 3
                            : lead >= 0xF0 && lead < 0xF5 ? 4
                                                          : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        more = more || n > 1;
        i += n;
    }
    return more;
}

// Whether UTF-8 text holds only what the game's labels are made of: Hangul
// syllables and ASCII.
bool hangulAndAsciiOnly(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if ((lead & 0xF0) != 0xE0 || i + 3 > utf8.size())
            return false;
        const char32_t c = char32_t(lead & 0x0F) << 12 | char32_t(utf8[i + 1] & 0x3F) << 6 | char32_t(utf8[i + 2] & 0x3F);
        if (c < 0xAC00 || c > 0xD7A3)
            return false;
        i += 3;
    }
    return true;
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

SavedLine decodeSave(std::string_view bytes, const Cp949 &codec)
{
    const SavedLine notASave{{}, Failure::NotASave};
    // A byte-order mark: UTF-8's, or UTF-16's either way round (what Notepad
    // saves as "유니코드"). The game never writes one.
    for (std::string_view mark : {std::string_view("\xEF\xBB\xBF"), std::string_view("\xFF\xFE"),
                                  std::string_view("\xFE\xFF")})
        if (bytes.starts_with(mark))
            return notASave;
    // No text in CP949 holds a NUL; UTF-16 holds one in every ASCII character.
    if (bytes.find('\0') != std::string_view::npos)
        return notASave;
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (line.size() > saveReadLimit)
        return notASave;
    std::optional<std::string> text = codec.toUtf8(line);
    if (!text)
        return {{}, Failure::Cp949Decode};
    // The converter marks bytes that are not CP949 with U+FFFD, which CP949
    // itself cannot hold.
    if (text->find("\xEF\xBF\xBD") != std::string::npos)
        return notASave;
    // UTF-8 Hangul now and then passes for CP949, as Hanja and symbols no label
    // has: a line that reads as UTF-8, and in CP949 as more than Hangul, is
    // UTF-8 text.
    if (validUtf8WithMoreThanAscii(line) && !hangulAndAsciiOnly(*text))
        return notASave;
    return {std::move(*text), Failure::None};
}

bool isSavedLabel(std::string_view label)
{
    return std::find(label::all.begin(), label::all.end(), label) != label::all.end();
}

bool isSaveOfThisGame(std::string_view bytes, const Cp949 &codec)
{
    const SavedLine line = decodeSave(bytes, codec);
    if (!line.ok() || !isSavedLabel(line.label))
        return false;
    const std::string_view rest = bytes.substr(std::min(bytes.size(), bytes.find_first_of("\r\n")));
    return rest.empty() || rest == "\r\n" || rest == "\n";
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
    std::string target = path;
    if (found.throughLink) {
        std::variant<std::string, SaveResult> leads = whereLinkLeads(path, found, codec);
        if (SaveResult *refused = std::get_if<SaveResult>(&leads))
            return std::move(*refused);
        target = std::get<std::string>(std::move(leads));
    }

    if (found.kind == Found::Plain && !mayWrite(target))
        return refusedToSave(path, Failure::NoPermission);

    const std::optional<std::string> bytes = encodeSave(label, codec);
    if (!bytes)
        return refusedToSave(path, Failure::Cp949Encode);

    const Written replaced = replaceFile(target, *bytes);
    if (replaced.ok()) {
        removeStaleTemporaries(target);
        SaveResult saved = done(path);
        if (replaced.problem)
            saved.problem = {Failure::NotFlushed};
        return saved;
    }
    if (replaced.stage == Written::Create && found.kind == Found::Plain && onlyWritableInPlace(target)) {
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
    // One byte past the limit tells a first line that runs past it.
    const Read file = readFile(path, saveReadLimit + 1);
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
    SavedLine line = decodeSave(file.bytes, codec);
    if (!line.ok())
        return refused(Doing::Reading, {line.refusal});
    LoadResult loaded = done(path);
    loaded.label = std::move(line.label);
    return loaded;
}

} // namespace barmen::system
