// The save file's and the picture loader's calls to Windows: wide-character
// paths throughout, so Hangul file names and a game folder under a Hangul
// user name need no code page.

#include "system/files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cwctype>
#include <string>

#include "system/failure_win32.h"
#include "system/wide.h"

namespace barmen::system {

namespace {

Problem lastError()
{
    return fromWin32Error(GetLastError());
}

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() { close(); }
    bool valid() const { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    bool close()
    {
        const bool ok = !valid() || CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
};

// The last part of a path, after its final slash or backslash.
std::wstring_view lastPart(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path.substr(path.find(L':') == 1 ? 2 : 0) : path.substr(slash + 1);
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with any extension and
// trailing dots or spaces: in every folder such a name is the device, never a
// file.
bool deviceName(std::wstring_view path)
{
    std::wstring_view name = lastPart(path);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.'))
        name.remove_suffix(1);
    std::wstring upper(name);
    for (wchar_t &c : upper)
        c = wchar_t(std::towupper(c));
    for (const wchar_t *device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")) && upper[3] >= L'1'
        && upper[3] <= L'9';
}

// What an open handle is, when it is no file on a disk.
Other whatIsOpen(HANDLE h)
{
    return GetFileType(h) == FILE_TYPE_PIPE ? Other::Pipe : Other::Device;
}

// Whether the error says the name is not there at all.
bool notThere(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A temporary file's name beside the target: the same folder, so the swap
// stays on one disk.
std::wstring temporaryBeside(const std::wstring &path)
{
    static std::atomic<unsigned> counter{0};
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

// The path made absolute against the current folder.
std::wstring fullPath(const std::wstring &path)
{
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    const DWORD m = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (m == 0 || m >= n)
        return path;
    full.resize(m);
    return full;
}

// Writes all the bytes with one call, flushes them to the disk.
Written writeAndFlush(HANDLE h, std::string_view bytes)
{
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr))
        return {Written::Write, lastError()};
    if (written != bytes.size())
        return {Written::Write, {Failure::ShortWrite}};
    if (!FlushFileBuffers(h))
        return {Written::Flush, lastError()};
    return {};
}

Found found(Found::Kind kind, Other other = Other::Device)
{
    Found f;
    f.kind = kind;
    f.other = other;
    return f;
}

} // namespace

Found lookAt(const std::string &path)
{
    const std::wstring wide = widen(path);
    if (deviceName(wide))
        return found(Found::Other, Other::Device);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (notThere(error))
            return found(Found::Missing);
        Found unreachable = found(Found::Unreachable);
        unreachable.problem = fromWin32Error(error);
        return unreachable;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return found(attributes & FILE_ATTRIBUTE_DIRECTORY ? Found::Folder : Found::Plain);

    // A link or junction: what it leads to, opened for its attributes alone.
    Found link;
    link.throughLink = true;
    Handle target(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target.valid()) {
        const DWORD error = GetLastError();
        if (notThere(error))
            link.kind = Found::DanglingLink;
        else if (error == ERROR_CANT_RESOLVE_FILENAME)
            link.kind = Found::LoopingLink;
        else {
            link.kind = Found::Unreachable;
            link.problem = fromWin32Error(error);
        }
        return link;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(target.h) != FILE_TYPE_DISK) {
        link.kind = Found::Other;
        link.other = whatIsOpen(target.h);
    } else if (!GetFileInformationByHandle(target.h, &info)) {
        link.kind = Found::Unreachable;
        link.problem = lastError();
    } else {
        link.kind = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? Found::Folder : Found::Plain;
    }
    return link;
}

Read readFile(const std::string &path, std::size_t limit)
{
    const std::wstring wide = widen(path);
    Read read;
    if (deviceName(wide)) {
        read.kind = Found::Other;
        read.other = Other::Device;
        return read;
    }
    // Others may go on reading, writing or renaming it; a folder opens too,
    // so that it is refused as a folder.
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        read.kind = notThere(error) ? Found::Missing : Found::Unreachable;
        read.problem = fromWin32Error(error);
        return read;
    }
    if (GetFileType(file.h) != FILE_TYPE_DISK) {
        read.kind = Found::Other;
        read.other = whatIsOpen(file.h);
        return read;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.h, &info)) {
        read.kind = Found::Unreachable;
        read.problem = lastError();
        return read;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        read.kind = Found::Folder;
        return read;
    }
    read.kind = Found::Plain;
    const std::size_t wanted = limit + 1;
    std::string bytes(std::min<std::size_t>(wanted, 64 * 1024), '\0');
    std::size_t have = 0;
    while (have < wanted) {
        if (have == bytes.size())
            bytes.resize(std::min(wanted, bytes.size() * 2));
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - have, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.h, bytes.data() + have, chunk, &got, nullptr)) {
            read.problem = lastError();
            return read;
        }
        if (got == 0)
            break;
        have += got;
    }
    bytes.resize(have);
    read.overLimit = have > limit;
    if (read.overLimit)
        bytes.resize(limit);
    read.bytes = std::move(bytes);
    return read;
}

Written replaceFile(const std::string &path, std::string_view bytes)
{
    const std::wstring target = fullPath(widen(path));
    if (deviceName(target))
        return {Written::Create, {Failure::NotPlainFile}};
    const std::wstring temporary = temporaryBeside(target);
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.valid())
        return {Written::Create, lastError()};
    Written written = writeAndFlush(file.h, bytes);
    if (!file.close() && written.ok())
        written = {Written::Flush, lastError()};
    if (!written.ok()) {
        DeleteFileW(temporary.c_str());
        return written;
    }

    // One rename with write-through puts the new file in the old one's
    // place: there is never a moment without a whole save.sav. (ReplaceFileW
    // moves the old file aside first; a kill, or Wine, can leave no save at
    // all in between, and Wine leaves its own temporary file behind.)
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        // Windows says "access denied" for a file another program holds
        // without letting others rename it; told apart, that is "in use".
        Handle probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!probe.valid() && GetLastError() == ERROR_SHARING_VIOLATION)
            error = ERROR_SHARING_VIOLATION;
    }
    DeleteFileW(temporary.c_str());
    return {Written::Replace, fromWin32Error(error)};
}

Written writeInPlace(const std::string &path, std::string_view bytes)
{
    const std::wstring wide = widen(path);
    if (deviceName(wide))
        return {Written::Create, {Failure::NotPlainFile}};
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return {Written::Create, {Failure::NotPlainFile}};
    Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return {Written::Create, lastError()};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.h) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.h, &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return {Written::Create, {Failure::NotPlainFile}};
    DWORD written = 0;
    if (!WriteFile(file.h, bytes.data(), DWORD(bytes.size()), &written, nullptr))
        return {Written::Write, lastError()};
    if (written != bytes.size())
        return {Written::Write, {Failure::ShortWrite}};
    if (!SetEndOfFile(file.h))
        return {Written::Write, lastError()};
    if (!FlushFileBuffers(file.h))
        return {Written::Flush, lastError()};
    if (!file.close())
        return {Written::Flush, lastError()};
    return {};
}

bool mayWrite(const std::string &path)
{
    const std::wstring wide = widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // An access list may refuse it too. A program that holds the file open
    // without sharing it does not take the player's right away: that save is
    // tried, and reported as in use.
    Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() || GetLastError() != ERROR_ACCESS_DENIED;
}

void failWritesPastFileSizeLimit()
{
    // Windows has no per-process file-size limit that ends a process: a write
    // past a quota simply fails, with ERROR_DISK_QUOTA_EXCEEDED.
}

bool onlyWritableInPlace(const std::string &path)
{
    // Windows has no write bit on folders that a player could lack while the
    // file inside stays writable, short of access lists: try both for real.
    const std::wstring wide = widen(linkTarget(path));
    {
        Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return false;
    }
    const std::wstring probe = temporaryBeside(wide);
    Handle created(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return !created.valid();
}

std::string linkTarget(const std::string &path)
{
    const std::wstring wide = widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    Handle file(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return path;
    std::array<wchar_t, 32768> buffer{};
    const DWORD n = GetFinalPathNameByHandleW(file.h, buffer.data(), DWORD(buffer.size()), FILE_NAME_NORMALIZED);
    if (n == 0 || n >= buffer.size())
        return path;
    std::wstring_view final(buffer.data(), n);
    if (final.starts_with(L"\\\\?\\UNC\\"))
        return narrow(L"\\\\" + std::wstring(final.substr(8)));
    if (final.starts_with(L"\\\\?\\"))
        final.remove_prefix(4);
    return narrow(final);
}

bool insideCurrentFolder(const std::string &path)
{
    std::array<wchar_t, 32768> here{}, there{};
    const DWORD h = GetCurrentDirectoryW(DWORD(here.size()), here.data());
    const std::wstring target = widen(linkTarget(path));
    const DWORD t = GetFullPathNameW(target.c_str(), DWORD(there.size()), there.data(), nullptr);
    if (h == 0 || h >= here.size() || t == 0 || t >= there.size())
        return false;
    std::wstring folder(here.data(), h);
    if (!folder.ends_with(L'\\'))
        folder += L'\\';
    std::wstring full(there.data(), t);
    // File names on Windows disks match without regard to case.
    return CompareStringOrdinal(full.c_str(), int(std::min(full.size(), folder.size())), folder.c_str(),
                                int(folder.size()), TRUE)
        == CSTR_EQUAL
        && full.size() > folder.size();
}

} // namespace barmen::system
