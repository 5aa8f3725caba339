// The save file's and the picture loader's calls to Windows: wide-character
// paths throughout, so Hangul file names and a game folder under a Hangul
// user name need no code page.

#include "system/files.h"

#include <windows.h>
#include <aclapi.h>
#include <winioctl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

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

// The folder part of a path, without its final backslash.
std::wstring folderOf(const std::wstring &path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A temporary file's name beside the target, ".save.sav.<digits>.tmp": the
// same folder, so the swap stays on one disk, and a number no other process
// of the game is likely to draw (a process id comes back; this does not).
std::wstring temporaryBeside(const std::wstring &path)
{
    static std::atomic<unsigned> counter{0};
    static const unsigned long long start = [] {
        std::random_device seed;
        return (static_cast<unsigned long long>(seed()) << 32 | seed()) ^ GetTickCount64();
    }();
    const unsigned long long n = (start + 0x9E3779B97F4A7C15ull * ++counter) % 1000000000000ull;
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return folder + L"." + name + L"." + std::to_wstring(n) + L".tmp";
}

// A temporary file of this game's, by its name: ".save.sav.<digits>.tmp", or
// as earlier versions named them, "save.sav.<pid>-<n>.tmp".
bool temporaryOf(std::wstring_view entry, std::wstring_view name)
{
    auto digitsBetween = [&](std::wstring_view prefix, std::wstring_view allowed) {
        if (!entry.starts_with(prefix) || !entry.ends_with(L".tmp") || entry.size() <= prefix.size() + 4)
            return false;
        const std::wstring_view middle = entry.substr(prefix.size(), entry.size() - prefix.size() - 4);
        return middle.find_first_not_of(allowed) == std::wstring_view::npos;
    };
    return digitsBetween(L"." + std::wstring(name) + L".", L"0123456789")
        || digitsBetween(std::wstring(name) + L".", L"0123456789-");
}

// Whether this player owns the file or link itself, as opened. An elevated
// administrator's files belong to the Administrators group.
bool ownedByPlayer(HANDLE h)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(h, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor)
        != ERROR_SUCCESS)
        return false;
    bool mine = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<BYTE> user(size);
        if (size && GetTokenInformation(token, TokenUser, user.data(), size, &size))
            mine = EqualSid(owner, reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid);
        CloseHandle(token);
    }
    BOOL member = FALSE;
    if (!mine && IsWellKnownSid(owner, WinBuiltinAdministratorsSid) && CheckTokenMembership(nullptr, owner, &member))
        mine = member;
    LocalFree(descriptor);
    return mine;
}

// What a symbolic link or a junction names, read from its reparse data, as
// it stands (relative to the link's folder when `relative`); empty when it
// is neither. The layout is the one winnt.h leaves to the driver kit.
struct ReparseData {
    ULONG tag;
    USHORT dataLength;
    USHORT reserved;
    USHORT substituteOffset, substituteLength, printOffset, printLength;
    union {
        struct {
            ULONG flags;
            WCHAR path[1];
        } symbolicLink;
        struct {
            WCHAR path[1];
        } mountPoint;
    };
};

std::wstring reparseTarget(HANDLE h, bool &relative)
{
    std::vector<BYTE> buffer(16 * 1024);
    DWORD got = 0;
    if (!DeviceIoControl(h, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(), DWORD(buffer.size()), &got, nullptr))
        return {};
    const auto *data = reinterpret_cast<const ReparseData *>(buffer.data());
    const WCHAR *names = nullptr;
    relative = false;
    if (data->tag == IO_REPARSE_TAG_SYMLINK) {
        names = data->symbolicLink.path;
        relative = data->symbolicLink.flags & 1;   // SYMLINK_FLAG_RELATIVE
    } else if (data->tag == IO_REPARSE_TAG_MOUNT_POINT) {
        names = data->mountPoint.path;
    } else {
        return {};
    }
    std::wstring_view name(names + data->substituteOffset / sizeof(WCHAR), data->substituteLength / sizeof(WCHAR));
    if (name.starts_with(L"\\??\\UNC\\"))
        return L"\\\\" + std::wstring(name.substr(8));
    if (name.starts_with(L"\\??\\"))
        name.remove_prefix(4);
    return std::wstring(name);
}

// The final path of an open file or folder, links and junctions resolved.
std::wstring finalPath(HANDLE h)
{
    std::array<wchar_t, 32768> buffer{};
    const DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), DWORD(buffer.size()), FILE_NAME_NORMALIZED);
    if (n == 0 || n >= buffer.size())
        return {};
    std::wstring_view final(buffer.data(), n);
    if (final.starts_with(L"\\\\?\\UNC\\"))
        return L"\\\\" + std::wstring(final.substr(8));
    if (final.starts_with(L"\\\\?\\"))
        final.remove_prefix(4);
    return std::wstring(final);
}

// A folder's final path, links and junctions resolved; empty when it cannot be opened.
std::wstring finalFolder(const std::wstring &folder)
{
    Handle h(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.valid() ? finalPath(h.h) : std::wstring();
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
    // A name that is there already is drawn again: a save killed half-way may
    // have left one.
    std::wstring temporary;
    Handle file(INVALID_HANDLE_VALUE);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && !file.valid() && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
         ++attempt) {
        temporary = temporaryBeside(target);
        file.h = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file.valid() ? ERROR_SUCCESS : GetLastError();
    }
    if (!file.valid())
        return {Written::Create, fromWin32Error(error)};
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
    error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        // Windows says "access denied" for a file another program holds
        // without letting others rename it; told apart, that is "in use".
        // A file this player may delete, or one another program keeps from
        // being deleted, is merely open elsewhere (a read-only save never
        // comes this far).
        Handle probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (probe.valid() || GetLastError() == ERROR_SHARING_VIOLATION)
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
    const std::wstring wide = widen(followLink(path).target);
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

Link followLink(const std::string &path)
{
    Link link;
    std::wstring at = fullPath(widen(path));
    for (int hops = 0; hops < 40; ++hops) {
        const DWORD attributes = GetFileAttributesW(at.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            break;
        // The link itself, not what it leads to: a dangling one opens too.
        Handle h(CreateFileW(at.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!h.valid())
            break;
        if (!ownedByPlayer(h.h))
            link.foreign = true;
        bool relative = false;
        const std::wstring next = reparseTarget(h.h, relative);
        if (next.empty())
            break;
        at = fullPath(relative ? folderOf(at) + L"\\" + next : next);
    }
    link.target = narrow(at);
    return link;
}

bool insideCurrentFolder(const std::string &path)
{
    std::array<wchar_t, 32768> here{};
    const DWORD h = GetCurrentDirectoryW(DWORD(here.size()), here.data());
    if (h == 0 || h >= here.size())
        return false;
    // Both folders as the disk has them, junctions and links on the way resolved.
    std::wstring game = finalFolder(std::wstring(here.data(), h));
    const std::wstring full = fullPath(widen(path));
    std::wstring folder = finalFolder(folderOf(full));
    if (game.empty() || folder.empty())
        return false;
    if (!game.ends_with(L'\\'))
        game += L'\\';
    if (!folder.ends_with(L'\\'))
        folder += L'\\';
    // File names on Windows disks match without regard to case.
    return folder.size() >= game.size()
        && CompareStringOrdinal(folder.c_str(), int(game.size()), game.c_str(), int(game.size()), TRUE) == CSTR_EQUAL;
}

void removeStaleTemporaries(const std::string &path)
{
    const std::wstring full = fullPath(widen(path));
    const std::wstring folder = folderOf(full);
    const std::wstring name(lastPart(full));
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME &t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    // Ten minutes in 100-nanosecond ticks: no save still writing keeps its file that long.
    constexpr ULONGLONG stale = 10ull * 60 * 10000000;
    do {
        if (!temporaryOf(entry.cFileName, name)
            || (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            || ticks(now) - ticks(entry.ftLastWriteTime) < stale)
            continue;
        // A file another save still holds open refuses to go, which is as it should be.
        DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

} // namespace barmen::system
