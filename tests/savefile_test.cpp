#include <chrono>
#include <filesystem>
#include <set>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "engine/failure.h"
#include "scratchfolder.h"
#include "system/savefile.h"

namespace barmen::system {
namespace {

std::string bytes(std::initializer_list<unsigned char> list)
{
    std::string b;
    for (unsigned char c : list)
        b += char(c);
    return b;
}

struct SaveBytes {
    const char *name;
    std::string label;
    std::string file;
    friend void PrintTo(const SaveBytes &c, std::ostream *os) { *os << c.name; }
};

class SaveFormat : public ::testing::TestWithParam<SaveBytes> {};

// The save file is one CP949 line; older saves and other builds must read the same bytes.
TEST_P(SaveFormat, labelAndBytesMatchBothWays)
{
    const SaveBytes &c = GetParam();
    EXPECT_EQ(encodeSave(c.label), c.file);
    const SavedLine line = decodeSave(c.file);
    EXPECT_TRUE(line.ok());
    EXPECT_EQ(line.label, c.label);
}

INSTANTIATE_TEST_SUITE_P(
    SaveFile, SaveFormat,
    ::testing::Values(
        SaveBytes{"start2", "시작 2", bytes({0xBD, 0xC3, 0xC0, 0xDB, 0x20, 0x32, 0x0D, 0x0A})},
        SaveBytes{"ending26_1", "엔딩 26-1",
                  bytes({0xBF, 0xA3, 0xB5, 0xF9, 0x20, 0x32, 0x36, 0x2D, 0x31, 0x0D, 0x0A})},
        SaveBytes{"empty", "", bytes({0x0D, 0x0A})},
        // 똠 lies outside EUC-KR, in CP949's extension; a converter that is not
        // the Windows code page gets it wrong.
        SaveBytes{"extendedSyllable", "똠", bytes({0x8C, 0x63, 0x0D, 0x0A})},
        SaveBytes{"gameOver", "끝", bytes({0xB3, 0xA1, 0x0D, 0x0A})}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SaveFile, readingStopsAtTheFirstLineEnd)
{
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0D, 0x0A, 0xB3, 0xA1, 0x0D, 0x0A})).label, "끝");
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1})).label, "끝");           // no line end at all
    EXPECT_EQ(decodeSave(bytes({0x0D, 0x0A})).label, "");              // a saved empty label
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0D})).label, "끝");
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0A})).label, "끝");      // edited on Linux: LF alone
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0A, 0xB3, 0xA1, 0x0A})).label, "끝");
}

// A save is one line this game wrote, naming a scene of this release.
TEST(SaveFile, onlyOneLineNamingASceneIsASaveOfThisGame)
{
    EXPECT_TRUE(isSaveOfThisGame(*encodeSave("엔딩 26-1")));
    EXPECT_TRUE(isSaveOfThisGame(bytes({0xB3, 0xA1, 0x0A})));
    EXPECT_TRUE(isSaveOfThisGame(bytes({0xB3, 0xA1})));
    EXPECT_FALSE(isSaveOfThisGame(*encodeSave("없는 장면")));
    EXPECT_FALSE(isSaveOfThisGame(*encodeSave("")));
    EXPECT_FALSE(isSaveOfThisGame(*encodeSave("끝") + *encodeSave("끝")));
    EXPECT_FALSE(isSaveOfThisGame("ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIG player@home\n"));
}

TEST(SaveFile, characterOutsideCp949IsWrittenAsQuestionMark)
{
    EXPECT_EQ(encodeSave("a\xF0\x9F\x98\x80" "b"), "a?b\r\n");
}

namespace fs = std::filesystem;

struct InFolder : ::testing::Test {
    test::ScratchFolder dir;
    void SetUp() override { ASSERT_TRUE(dir.valid()); }
    std::string path(std::string_view name = "save.sav") const { return dir.file(name); }
    std::string contents() const { return test::contentsOf(dir.path() / "save.sav"); }
    void write(std::string_view b) const { ASSERT_TRUE(test::writeFile(dir.path() / "save.sav", b)); }
};

TEST_F(InFolder, saveThenLoadGivesTheLabelBack)
{
    ASSERT_TRUE(writeSave("엔딩 26-1", path()).ok);
    EXPECT_EQ(contents(), bytes({0xBF, 0xA3, 0xB5, 0xF9, 0x20, 0x32, 0x36, 0x2D, 0x31, 0x0D, 0x0A}));
    const LoadResult loaded = readSave(path());
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.label, "엔딩 26-1");
}

TEST_F(InFolder, secondSaveReplacesTheFirstWhole)
{
    ASSERT_TRUE(writeSave("마법행동 19", path()).ok);
    ASSERT_TRUE(writeSave("끝", path()).ok);
    EXPECT_EQ(contents(), bytes({0xB3, 0xA1, 0x0D, 0x0A}));
    std::vector<fs::path> names;
    for (const auto &entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<fs::path>{"save.sav"});
}

TEST_F(InFolder, missingFileIsAClearErrorNotALabel)
{
    const LoadResult loaded = readSave(path());
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.problem.kind, Failure::NoSave);
    EXPECT_EQ(loaded.file, path());
}

TEST_F(InFolder, emptyFileIsAClearError)
{
    write({});
    const LoadResult loaded = readSave(path());
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.problem.kind, Failure::EmptySave);
}

TEST_F(InFolder, lineEndAloneIsTheEmptyLabel)
{
    write("\r\n");
    const LoadResult loaded = readSave(path());
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.label, "");
}

// A huge file must not be read whole: only the start of it can hold a
// label, and a first line longer than any label is no save.
TEST_F(InFolder, hugeFileIsReadOnlyAsFarAsALabelCanReach)
{
    write(std::string(8 * 1024 * 1024, 'A'));
    const LoadResult loaded = readSave(path());
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.problem.kind, Failure::NotASave);
}

// A save killed between writing its new file and swapping it in leaves that
// file behind; the next good save sweeps away the game's own, once nothing
// can still be writing them, and nothing else.
TEST_F(InFolder, goodSaveSweepsAwayStaleTemporaryFilesOfItsOwn)
{
    const fs::path folder = dir.path();
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char *name : {".save.sav.123456789.tmp", ".save.sav.42.tmp", ".save.sav.7.tmp"}) {
        ASSERT_TRUE(test::writeFile(folder / name, "\xB3\xA1\r\n"));
        if (std::string_view(name) != ".save.sav.7.tmp")
            fs::last_write_time(folder / name, longAgo);
    }
    // Not the game's: other names, a folder of the pattern's name.
    for (const char *name : {"notes.tmp", ".save.sav.tmp", ".other.sav.1.tmp", ".save.sav.12a.tmp"}) {
        ASSERT_TRUE(test::writeFile(folder / name, "x"));
        fs::last_write_time(folder / name, longAgo);
    }
    fs::create_directory(folder / ".save.sav.99.tmp");
    std::error_code notEverywhere;   // Windows sets no time on a folder this way
    fs::last_write_time(folder / ".save.sav.99.tmp", longAgo, notEverywhere);

#ifndef _WIN32
    // A link of the pattern's name, old itself, to a file that must stay.
    ASSERT_TRUE(test::writeFile(folder / "keep", "x"));
    fs::create_symlink(folder / "keep", folder / ".save.sav.5.tmp");
    const timespec old[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / ".save.sav.5.tmp").c_str(), old, AT_SYMLINK_NOFOLLOW), 0);
#endif

    ASSERT_TRUE(writeSave("끝", path()).ok);
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    std::set<std::string> expected{"save.sav",          ".save.sav.7.tmp",   "notes.tmp",       ".save.sav.tmp",
                                   ".other.sav.1.tmp", ".save.sav.12a.tmp", ".save.sav.99.tmp"};
#ifndef _WIN32
    expected.insert({"keep", ".save.sav.5.tmp"});
    EXPECT_EQ(test::contentsOf(folder / "keep"), "x");
#endif
    EXPECT_EQ(names, expected);
}

std::string utf16le(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

std::string utf16be(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        out += char(c >> 8);
        out += char(c & 0xFF);
    }
    return out;
}

struct Unreadable {
    const char *name;
    std::string file;
    friend void PrintTo(const Unreadable &c, std::ostream *os) { *os << c.name; }
};

class UnreadableSave : public ::testing::TestWithParam<Unreadable> {};

// Files that are no save of this game, as a text editor or another program
// leaves them: refused with their own reason, and nothing changes. The
// bytes' rule and the loaded file agree.
TEST_P(UnreadableSave, isRefusedAsNoSaveOfThisGame)
{
    const Unreadable &c = GetParam();
    EXPECT_EQ(decodeSave(c.file).refusal, Failure::NotASave);
    test::ScratchFolder dir;
    ASSERT_TRUE(dir.valid());
    ASSERT_TRUE(test::writeFile(dir.path() / "save.sav", c.file));
    const LoadResult loaded = readSave(dir.file("save.sav"));
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.problem.kind, Failure::NotASave);
    EXPECT_EQ(loaded.doing, Doing::Reading);
    EXPECT_TRUE(loaded.label.empty());
    EXPECT_EQ(test::contentsOf(dir.path() / "save.sav"), c.file);
}

const std::string start2 = bytes({0xBD, 0xC3, 0xC0, 0xDB, 0x20, 0x32, 0x0D, 0x0A});

INSTANTIATE_TEST_SUITE_P(
    SaveFile, UnreadableSave,
    ::testing::Values(
        Unreadable{"utf8ByteOrderMark", "\xEF\xBB\xBF" + start2},
        Unreadable{"utf16WithMark", "\xFF\xFE" + utf16le(u"시작 2\r\n")},
        Unreadable{"utf16WithoutMark", utf16le(u"시작 2\r\n")},
        Unreadable{"utf16BigEndian", "\xFE\xFF" + utf16be(u"시작 2\r\n")},
        Unreadable{"utf16OfOneSyllable", utf16le(u"끝")},
        Unreadable{"utf8Text", "시작 2\r\n"},
        // Valid CP949 by chance, as Hanja and rare syllables: still UTF-8 text.
        Unreadable{"utf8TextThatPassesForCp949", "갇갇\r\n"},
        Unreadable{"nulInTheLine", std::string("\xB3\xA1\0\r\n", 5)},
        Unreadable{"nulAfterTheLine", std::string("\xB3\xA1\r\n\0\0", 6)},
        Unreadable{"notCp949", bytes({0xFF, 0x41, 0x0D, 0x0A})},
        Unreadable{"syllableCutInHalf", bytes({0xB3})},
        Unreadable{"trailByteAlone", bytes({0xB3, 0xA1, 0x80, 0x0D, 0x0A})},
        Unreadable{"firstLineOverTheLimit", std::string(saveReadLimit + 1, 'A') + "\r\n"},
        Unreadable{"endlessFirstLine", std::string(3 * saveReadLimit, 'A')}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(InFolder, saveOverAFolderFailsAndKeepsTheFolder)
{
    ASSERT_TRUE(fs::create_directory(dir.path() / "save.sav"));
    const SaveResult saved = writeSave("시작 2", path());
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::IsFolder);
    EXPECT_TRUE(fs::is_directory(dir.path() / "save.sav"));

    const LoadResult loaded = readSave(path());
    EXPECT_FALSE(loaded.ok);
}

TEST_F(InFolder, saveIntoAMissingFolderFailsWithAMessage)
{
    const SaveResult saved = writeSave("시작 2", path("gone/save.sav"));
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::NoSuchFile);
}

} // namespace
} // namespace barmen::system
