// The save file and the picture loader over the Win32 file layer, as a
// Windows player meets them: Hangul folders, a read-only save, a folder or a
// device in the save's place, a save another program holds without sharing
// it, and a save killed half-way. Runs under Wine (tests/windows_test.sh).
//   save_layer_tests                  the tests
//   save_layer_tests --hold FILE      holds FILE open, shared with nobody,
//                                     until killed (another program's lock)
//   save_layer_tests --loop A B       saves A and B in turn into save.sav in
//                                     the current folder until killed

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <winioctl.h>

#include <gtest/gtest.h>

#include "pictures/load.h"
#include "system/cp949.h"
#include "system/failure.h"
#include "system/failure_win32.h"
#include "system/files.h"
#include "system/savefile.h"

namespace fs = std::filesystem;

namespace barmen::system {
namespace {

std::string bytesOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path &file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::set<std::wstring> listing(const fs::path &folder)
{
    std::set<std::wstring> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().wstring());
    return names;
}

std::string utf8(const fs::path &path)
{
    const std::u8string s = path.u8string();
    return {s.begin(), s.end()};
}

// A fresh folder with a Hangul name, the current folder while the test runs,
// as the game's folder is for the game.
struct InGameFolder : ::testing::Test {
    fs::path before = fs::current_path();
    fs::path folder = fs::temp_directory_path() / fs::path(u8"바르멘 시험") / fs::path(std::to_wstring(GetTickCount64()));

    void SetUp() override
    {
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    void TearDown() override
    {
        fs::current_path(before);
        std::error_code ignored;
        for (const auto &entry : fs::recursive_directory_iterator(folder, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(folder, ignored);
    }
};

const std::string start2 = "\xBD\xC3\xC0\xDB\x20\x32\r\n";   // "시작 2"

TEST(Cp949, writesTheBytesTheGameAlwaysWrote)
{
    EXPECT_EQ(encodeSave("시작 2"), start2);
    EXPECT_EQ(encodeSave("엔딩 26-1"), "\xBF\xA3\xB5\xF9 26-1\r\n");
    EXPECT_EQ(encodeSave("똠"), "\x8C\x63\r\n");                  // beyond EUC-KR, in CP949's extension
    EXPECT_EQ(encodeSave("a\xF0\x9F\x98\x80" "b"), "a?b\r\n");    // one '?' for one character
    EXPECT_EQ(encodeSave("\xC3\xA9"), "?\r\n");                   // é: no look-alike 'e'
    EXPECT_EQ(decodeSave(start2).label, "시작 2");
    // Bytes that are not CP949 are no save, whichever converter reads them.
    EXPECT_EQ(decodeSave("\xFF\x41").refusal, Failure::NotASave);
    EXPECT_EQ(decodeSave("\xB3").refusal, Failure::NotASave);
    EXPECT_EQ(decodeSave("\xB3\xA1\x80").refusal, Failure::NotASave);
}

TEST(Failures, windowsErrorsHaveTheirKinds)
{
    EXPECT_EQ(fromWin32Error(ERROR_ACCESS_DENIED).kind, Failure::NoPermission);
    EXPECT_EQ(fromWin32Error(ERROR_SHARING_VIOLATION).kind, Failure::InUse);
    EXPECT_EQ(fromWin32Error(ERROR_LOCK_VIOLATION).kind, Failure::InUse);
    EXPECT_EQ(fromWin32Error(ERROR_DISK_FULL).kind, Failure::NoSpace);
    EXPECT_EQ(fromWin32Error(ERROR_FILE_NOT_FOUND).kind, Failure::NoSuchFile);
    EXPECT_EQ(fromWin32Error(ERROR_WRITE_PROTECT).kind, Failure::ReadOnlyDisk);
    const Problem odd = fromWin32Error(123456);
    EXPECT_EQ(odd.kind, Failure::Unknown);
    EXPECT_EQ(odd.code, 123456);
}

TEST_F(InGameFolder, saveAndLoadInAHangulFolder)
{
    ASSERT_TRUE(writeSave("시작 2").ok);
    EXPECT_EQ(bytesOf("save.sav"), start2);
    ASSERT_TRUE(writeSave("엔딩 36").ok);   // over the old one: ReplaceFileW
    const LoadResult loaded = readSave();
    ASSERT_TRUE(loaded.ok) << messageFor(loaded);
    EXPECT_EQ(loaded.label, "엔딩 36");
    EXPECT_EQ(listing(folder), std::set<std::wstring>{L"save.sav"});
}

TEST_F(InGameFolder, readOnlySaveIsRefusedAndKept)
{
    writeBytes("save.sav", start2);
    ASSERT_TRUE(SetFileAttributesW(L"save.sav", FILE_ATTRIBUTE_READONLY));
    const SaveResult saved = writeSave("엔딩 36");
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::NoPermission) << messageFor(saved);
    EXPECT_EQ(bytesOf("save.sav"), start2);
    EXPECT_EQ(listing(folder), std::set<std::wstring>{L"save.sav"});
}

TEST_F(InGameFolder, folderNamedSaveSavIsLeftAlone)
{
    fs::create_directory("save.sav");
    writeBytes("save.sav/inside", "x");
    const SaveResult saved = writeSave("시작 2");
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::IsFolder) << messageFor(saved);
    EXPECT_TRUE(fs::is_directory("save.sav"));
    EXPECT_EQ(bytesOf("save.sav/inside"), "x");
    const LoadResult loaded = readSave();
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.problem.kind, Failure::IsFolder) << messageFor(loaded);
}

// CON, NUL and the other device names are the device in every folder.
TEST_F(InGameFolder, deviceNamesAreNoSave)
{
    for (const char *device : {"CON", "nul", "NUL.sav", "com1", "LPT9.txt"}) {
        const SaveResult saved = writeSave("시작 2", device);
        EXPECT_FALSE(saved.ok) << device;
        EXPECT_EQ(saved.problem.kind, Failure::IsDevice) << device << ": " << messageFor(saved);
        const LoadResult loaded = readSave(device);
        EXPECT_FALSE(loaded.ok) << device;
    }
    EXPECT_TRUE(listing(folder).empty());
    EXPECT_EQ(lookAt("save.sav").kind, Found::Missing);
    EXPECT_EQ(lookAt("CON").kind, Found::Other);
}

// Starts this test program again with ARGUMENTS: its process handle, or
// null if it cannot be started, with Windows' error number in spawnError.
// On a busy machine Wine now and then fails a start with ERROR_INTERNAL_ERROR
// (once in 4,000 starts of the kill loop below, here): a failed start is
// tried again a few times, waiting longer each time, before it counts.
DWORD spawnError = 0;
HANDLE spawn(const std::wstring &arguments)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::wstring line = L"\"" + std::wstring(self) + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            return process.hProcess;
        }
        spawnError = GetLastError();
        std::this_thread::sleep_for(std::chrono::milliseconds(100 << (attempt < 4 ? attempt : 4)));
    }
    return nullptr;
}

bool waitFor(const fs::path &file)
{
    for (int i = 0; i < 200 && !fs::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return fs::exists(file);
}

// Another program holds the save open and shares it with nobody: the save
// is refused with the reason, and the old one is still there afterwards.
TEST_F(InGameFolder, saveHeldByAnotherProgramIsReportedNotLost)
{
    writeBytes("save.sav", start2);
    const fs::path marker = folder.parent_path() / (folder.filename().wstring() + L".held");
    HANDLE holder = spawn(L"--hold \"" + (folder / L"save.sav").wstring() + L"\" \"" + marker.wstring() + L"\"");
    ASSERT_NE(holder, nullptr) << "CreateProcessW: error " << spawnError;
    ASSERT_TRUE(waitFor(marker));
    const SaveResult saved = writeSave("엔딩 36");
    const LoadResult loaded = readSave();
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 5000);
    CloseHandle(holder);
    fs::remove(marker);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::InUse) << messageFor(saved);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(bytesOf("save.sav"), start2);
    EXPECT_EQ(listing(folder), std::set<std::wstring>{L"save.sav"});
}

// A save merely open in another program, whatever it shares: the reason is
// that another program uses it, never that the player lacks the right.
TEST_F(InGameFolder, saveOpenElsewhereIsInUseWhateverItShares)
{
    for (DWORD share : {DWORD(0), DWORD(FILE_SHARE_READ), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE)}) {
        SCOPED_TRACE(share);
        writeBytes("save.sav", start2);
        const fs::path marker = folder.parent_path() / (folder.filename().wstring() + L".open");
        HANDLE holder = spawn(L"--hold \"" + (folder / L"save.sav").wstring() + L"\" \"" + marker.wstring() + L"\" "
                              + std::to_wstring(share));
        ASSERT_NE(holder, nullptr) << "CreateProcessW: error " << spawnError;
        ASSERT_TRUE(waitFor(marker));
        const SaveResult saved = writeSave("엔딩 36");
        TerminateProcess(holder, 0);
        WaitForSingleObject(holder, 5000);
        CloseHandle(holder);
        fs::remove(marker);
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.problem.kind, Failure::InUse) << messageFor(saved);
        EXPECT_EQ(bytesOf("save.sav"), start2);
    }
}

// What Windows says, by code: each one the file layer can meet has a kind,
// so no player reads a bare error number.
TEST(Failures, everyCodeTheFileLayerMeetsHasAKind)
{
    for (DWORD code : std::initializer_list<DWORD>{ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS, ERROR_INVALID_PARAMETER, ERROR_INVALID_NAME,
                       ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION, ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY,
                       ERROR_DELETE_PENDING, ERROR_DIR_NOT_EMPTY, ERROR_BAD_PATHNAME, ERROR_NETWORK_ACCESS_DENIED,
                       ERROR_CANT_ACCESS_FILE, DWORD(681), ERROR_NOT_A_REPARSE_POINT,
                       DWORD(336), ERROR_HANDLE_EOF, ERROR_BROKEN_PIPE, ERROR_NO_DATA,
                       ERROR_PIPE_BUSY, ERROR_SEM_TIMEOUT, ERROR_OPERATION_ABORTED})
        EXPECT_NE(fromWin32Error(code).kind, Failure::Unknown) << code;
    EXPECT_EQ(fromWin32Error(ERROR_FILE_EXISTS).kind, Failure::NameTaken);
    EXPECT_EQ(fromWin32Error(ERROR_INVALID_PARAMETER).kind, Failure::NotSupported);
}

// Links and junctions in the save's place, as the POSIX tests have them: a
// symbolic link made by the player is followed to a save of this game, a
// dangling one inside the game folder makes its target; one outside it, or
// to a file that is no save, is refused and nothing changes; a junction is a
// folder, left alone.
bool symbolicLink(const fs::path &link, const fs::path &target, bool folder = false)
{
    const DWORD flags = (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | 0x2;   // ALLOW_UNPRIVILEGED_CREATE
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), flags)
        && !CreateSymbolicLinkW(link.c_str(), target.c_str(), flags & ~DWORD(0x2)))
        return false;
    // Wine 8 says yes and makes nothing: only a reparse point is a link.
    const DWORD attributes = GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool junction(const fs::path &link, const fs::path &target)
{
    if (!CreateDirectoryW(link.c_str(), nullptr))
        return false;
    HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    const std::wstring print = fs::absolute(target).wstring();
    std::vector<BYTE> buffer(16 * 1024);
    auto *header = reinterpret_cast<ULONG *>(buffer.data());
    auto *fields = reinterpret_cast<USHORT *>(buffer.data() + 8);
    auto *names = reinterpret_cast<wchar_t *>(buffer.data() + 16);
    const USHORT subBytes = USHORT(substitute.size() * 2), printBytes = USHORT(print.size() * 2);
    std::copy(substitute.begin(), substitute.end(), names);
    names[substitute.size()] = 0;
    std::copy(print.begin(), print.end(), names + substitute.size() + 1);
    names[substitute.size() + 1 + print.size()] = 0;
    header[0] = IO_REPARSE_TAG_MOUNT_POINT;
    const USHORT dataLength = USHORT(8 + subBytes + 2 + printBytes + 2);
    reinterpret_cast<USHORT *>(buffer.data())[2] = dataLength;
    fields[0] = 0;
    fields[1] = subBytes;
    fields[2] = USHORT(subBytes + 2);
    fields[3] = printBytes;
    DWORD got = 0;
    const BOOL ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(), DWORD(8 + dataLength), nullptr, 0, &got,
                                    nullptr);
    CloseHandle(h);
    return ok;
}

TEST_F(InGameFolder, linksLeadOnlyToASaveOfThisGame)
{
    const fs::path elsewhere = folder.parent_path() / (folder.filename().wstring() + L" 밖");
    fs::create_directories(elsewhere);
    struct Cleanup {
        fs::path path;
        ~Cleanup()
        {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } cleanup{elsewhere};
    writeBytes(elsewhere / "my.sav", start2);
    if (!symbolicLink("save.sav", elsewhere / "my.sav"))
        GTEST_SKIP() << "this system makes no symbolic links (Wine 8's CreateSymbolicLinkW makes none)";

    // To a save of this game elsewhere: followed, and the link stays.
    ASSERT_EQ(lookAt("save.sav").throughLink, true);
    const SaveResult followed = writeSave("엔딩 36");
    EXPECT_TRUE(followed.ok) << messageFor(followed);
    EXPECT_EQ(bytesOf(elsewhere / "my.sav"), *encodeSave("엔딩 36"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status("save.sav")));
    fs::remove("save.sav");

    struct Refused {
        const char *name;
        fs::path target;
        Failure why;
    };
    writeBytes(elsewhere / "notes.txt", "buy milk\r\n");
    for (const Refused &c : {Refused{"no save", elsewhere / "notes.txt", Failure::LinkNotASave},
                             Refused{"nothing outside", elsewhere / "gone.sav", Failure::LinkOutsideFolder}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(symbolicLink("save.sav", c.target));
        const std::string before = fs::exists(c.target) ? bytesOf(c.target) : "<none>";
        const SaveResult saved = writeSave("엔딩 36");
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.problem.kind, c.why) << messageFor(saved);
        EXPECT_EQ(fs::exists(c.target) ? bytesOf(c.target) : "<none>", before);
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status("save.sav")));
        fs::remove("save.sav");
    }

    // To nothing yet inside the game folder: the save makes it.
    ASSERT_TRUE(symbolicLink("save.sav", folder / "mine.sav"));
    const SaveResult made = writeSave("엔딩 36");
    EXPECT_TRUE(made.ok) << messageFor(made);
    EXPECT_EQ(bytesOf("mine.sav"), *encodeSave("엔딩 36"));
    fs::remove("save.sav");

    // A junction in the save's place is a folder: refused and left as it is.
    if (junction(folder / "save.sav", elsewhere)) {
        const SaveResult saved = writeSave("엔딩 36");
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.problem.kind, Failure::IsFolder) << messageFor(saved);
        EXPECT_TRUE(fs::exists(elsewhere / "my.sav"));
        EXPECT_NE(GetFileAttributesW(L"save.sav") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    }
}

// TerminateProcess at a random moment of a loop of saves: save.sav holds one
// of the two labels, whole, every time.
TEST_F(InGameFolder, killedWhileSavingLeavesOneWholeSave)
{
    constexpr int kills = 100;
    const std::string a = *encodeSave("시작 2"), b = *encodeSave("엔딩 26-1");
    writeBytes("save.sav", a);
    std::mt19937 rng(4242u);
    std::uniform_int_distribution<int> delay(0, 40);
    int heldA = 0, heldB = 0, lost = 0;
    const fs::path marker = folder.parent_path() / (folder.filename().wstring() + L".ready");
    for (int i = 0; i < kills; ++i) {
        fs::remove(marker);
        HANDLE loop = spawn(L"--loop \"" + marker.wstring() + L"\" \"시작 2\" \"엔딩 26-1\"");
        ASSERT_NE(loop, nullptr) << "CreateProcessW: error " << spawnError;
        ASSERT_TRUE(waitFor(marker));
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(rng)));
        TerminateProcess(loop, 9);
        WaitForSingleObject(loop, 5000);
        DWORD status = 0;
        GetExitCodeProcess(loop, &status);
        CloseHandle(loop);
        EXPECT_EQ(status, 9u) << "the loop ended by itself";
        const std::string held = bytesOf("save.sav");
        held == a ? ++heldA : held == b ? ++heldB : ++lost;
        for (const auto &name : listing(folder))
            if (name != L"save.sav")
                fs::remove(folder / name);
    }
    fs::remove(marker);
    std::printf("  %d kills: %d left the first label, %d the second\n", kills, heldA, heldB);
    EXPECT_EQ(lost, 0);
    EXPECT_GT(heldA + heldB, 0);
}

// The 24 pictures through the Win32 layer and the core's decoder, by their
// Hangul names.
TEST_F(InGameFolder, everyPictureOfTheGameLoads)
{
    int n = 0;
    for (const auto &entry : fs::directory_iterator(BARMEN_ASSETS_DIR)) {
        const std::wstring ext = entry.path().extension().wstring();
        if (ext != L".jpg" && ext != L".gif")
            continue;
        fs::copy_file(entry.path(), folder / entry.path().filename());
        const pictures::Loaded loaded = pictures::load(utf8(entry.path().filename()));
        ASSERT_FALSE(loaded.image.null()) << utf8(entry.path().filename()) << ": " << pictureReason(loaded.problem.kind);
        EXPECT_EQ(loaded.image.height, 400);
        EXPECT_EQ(loaded.image.width, ext == L".jpg" ? 600 : 300);
        EXPECT_EQ(loaded.image.transparent, ext == L".gif");
        ++n;
    }
    EXPECT_EQ(n, 24);
    const pictures::Loaded missing = pictures::load("없는그림.gif");
    EXPECT_TRUE(missing.image.null());
    // Missing from the folder the game looks in, and that folder is named.
    EXPECT_EQ(missing.problem.kind, Failure::NotInFolder);
    EXPECT_FALSE(missing.detail.folder.empty());
}

} // namespace
} // namespace barmen::system

int wmain(int argc, wchar_t **argv)
{
    using namespace barmen::system;
    auto utf8Of = [](const wchar_t *w) { return utf8(fs::path(w)); };
    if ((argc == 4 || argc == 5) && std::wstring_view(argv[1]) == L"--hold") {
        // The share mode another program opens the file with: none by default.
        const DWORD share = argc == 5 ? DWORD(std::wcstoul(argv[4], nullptr, 10)) : 0;
        HANDLE held = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
        if (held == INVALID_HANDLE_VALUE)
            return 2;
        writeBytes(argv[3], "held");
        Sleep(INFINITE);
    }
    if (argc == 5 && std::wstring_view(argv[1]) == L"--loop") {
        const std::string first = utf8Of(argv[3]), second = utf8Of(argv[4]);
        if (!writeSave(first).ok)
            return 1;
        writeBytes(argv[2], "ready");
        for (;;)
            if (!writeSave(second).ok || !writeSave(first).ok)
                return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
