#include "system/files.h"
#include "system/files_web.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include <emscripten/emscripten.h>

// The browser's side of the file calls. A page has no folder of its own: the
// pictures are the files the page fetched beside itself at start-up, kept in
// memory, and the save is one entry of the page's local storage, which
// outlives the tab, is shared by every tab of the same origin, and is
// replaced in one step or not at all.
namespace barmen::system {

namespace {

std::map<std::string, std::string, std::less<>> &keptFiles()
{
    static std::map<std::string, std::string, std::less<>> files;
    return files;
}

// Local storage holds text; each byte of the save is kept as the character
// of the same number, so the entry is the save's bytes one for one.
// What the storage said: 0 stored or found, 1 nothing under the key,
// 2 the browser refuses storage to this page (site data blocked), 3 full.
// clang-format off
EM_JS(int, storage_read, (const char *key, char **bytes, int *length), {
    let text;
    try {
        text = window.localStorage.getItem(UTF8ToString(key));
    } catch (e) {
        return 2;
    }
    if (text === null)
        return 1;
    const size = text.length;
    const out = _malloc(size + 1);
    for (let i = 0; i < size; ++i)
        HEAPU8[out + i] = text.charCodeAt(i) & 0xFF;
    HEAP32[bytes >> 2] = out;
    HEAP32[length >> 2] = size;
    return 0;
});

EM_JS(int, storage_write, (const char *key, const char *bytes, int length), {
    let text = "";
    for (let i = 0; i < length; ++i)
        text += String.fromCharCode(HEAPU8[bytes + i]);
    try {
        window.localStorage.setItem(UTF8ToString(key), text);
    } catch (e) {
        return e && e.name === 'QuotaExceededError' ? 3 : 2;
    }
    return 0;
});
// clang-format on

enum Storage { Stored = 0, Nothing = 1, Refused = 2, Full = 3 };

Problem problemOf(int storage)
{
    return {storage == Full ? Failure::QuotaFull : Failure::NoPermission};
}

// The save's entry: under the game's own name, since every page of a game
// host may share one origin and one local storage.
std::string storageKey(const std::string &path)
{
    return "barmen/" + path;
}

struct Entry {
    int storage = Nothing;
    std::string bytes;
};

Entry fromStorage(const std::string &path)
{
    char *bytes = nullptr;
    int length = 0;
    Entry result;
    result.storage = storage_read(storageKey(path).c_str(), &bytes, &length);
    if (result.storage == Stored) {
        result.bytes.assign(bytes, std::size_t(length));
        std::free(bytes);
    }
    return result;
}

} // namespace

void keepFile(std::string name, std::string bytes)
{
    keptFiles().insert_or_assign(std::move(name), std::move(bytes));
}

Found lookAt(const std::string &path)
{
    Found found;
    if (keptFiles().contains(path)) {
        found.kind = Found::Plain;
        return found;
    }
    const Entry stored = fromStorage(path);
    if (stored.storage == Stored)
        found.kind = Found::Plain;
    else if (stored.storage != Nothing) {
        found.kind = Found::Unreachable;
        found.problem = problemOf(stored.storage);
    }
    return found;
}

Read readFile(const std::string &path, std::size_t limit)
{
    Read read;
    if (auto kept = keptFiles().find(path); kept != keptFiles().end()) {
        read.kind = Found::Plain;
        read.overLimit = kept->second.size() > limit;
        read.bytes = kept->second.substr(0, limit + 1);
        return read;
    }
    Entry stored = fromStorage(path);
    switch (stored.storage) {
    case Stored:
        read.kind = Found::Plain;
        read.overLimit = stored.bytes.size() > limit;
        stored.bytes.resize(std::min(stored.bytes.size(), limit + 1));
        read.bytes = std::move(stored.bytes);
        break;
    case Nothing:
        read.kind = Found::Missing;
        break;
    default:
        read.kind = Found::Unreachable;
        read.problem = problemOf(stored.storage);
    }
    return read;
}

Written replaceFile(const std::string &path, std::string_view bytes)
{
    // One setItem: the browser keeps the old entry whole when it refuses.
    const int storage = storage_write(storageKey(path).c_str(), bytes.data(), int(bytes.size()));
    if (storage == Stored)
        return {};
    return {Written::Write, problemOf(storage)};
}

// One setItem swaps the entry whole, so no temporary entry is ever left.
void removeStaleTemporaries(const std::string &)
{
}

Written writeInPlace(const std::string &path, std::string_view bytes)
{
    return replaceFile(path, bytes);
}

bool mayWrite(const std::string &)
{
    return true;
}

bool onlyWritableInPlace(const std::string &)
{
    return false;
}

// The browser's storage has no links: every name is its own entry.
Link followLink(const std::string &path)
{
    return {path, false};
}

bool insideCurrentFolder(const std::string &)
{
    return true;
}

void failWritesPastFileSizeLimit()
{
}

} // namespace barmen::system
