#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

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
    EXPECT_EQ(decodeSave(c.file), c.label);
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

TEST(SaveFile, readingStopsAtTheFirstCarriageReturn)
{
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0D, 0x0A, 0xB3, 0xA1, 0x0D, 0x0A})), "끝");
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1})), "끝");           // no line end at all
    EXPECT_EQ(decodeSave(bytes({0x0D, 0x0A})), "");              // a saved empty label
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x0D})), "끝");
}

TEST(SaveFile, bytesThatAreNotCp949BecomeReplacementCharacters)
{
    EXPECT_EQ(decodeSave(bytes({0xFF, 0x41})), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(decodeSave(bytes({0xB3})), "\xEF\xBF\xBD");          // cut in the middle of a syllable
    EXPECT_EQ(decodeSave(bytes({0xB3, 0xA1, 0x80})), "끝\xEF\xBF\xBD");
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

// A huge file must not be read whole: only the start of it can hold a label.
TEST_F(InFolder, hugeFileIsReadOnlyAsFarAsALabelCanReach)
{
    write(std::string(8 * 1024 * 1024, 'A'));
    const LoadResult loaded = readSave(path());
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.label.size(), std::size_t(saveReadLimit));
}

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
