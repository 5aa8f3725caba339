// A save that cannot be written must say so and leave the old save as it was:
// under a read-only folder, a file-size limit, a folder named like the save
// file, and a process killed at any moment while it saves.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <cstdio>
#include <random>
#include <thread>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "faultkit.h"
#include "system/savefile.h"

namespace barmen::fault {
namespace {

const fs::path helper = BARMEN_SAVE_HELPER;
constexpr const char *oldLabel = "시작 2";
constexpr const char *newLabel = "엔딩 26-1";

std::string saveBytes(std::string_view label)
{
    return system::encodeSave(label).value();
}

RunOptions atFolder(const TempFolder &folder) { return {folder.path, false, std::nullopt, {}}; }

std::string firstLine(const std::string &text) { return text.substr(0, text.find('\n')); }

// Cases and losses of one test, printed at its end.
struct Count {
    const char *what;
    int cases = 0;
    int losses = 0;
    ~Count() { std::printf("%s: %d cases, %d losses\n", what, cases, losses); }
};

// A failed save: the helper said why, and the folder holds what it held before.
void expectRefused(Count &count, const char *name, const Outcome &o, const TempFolder &folder,
                   const std::optional<std::string> &before, const std::set<std::string> &namesBefore)
{
    ++count.cases;
    const fs::path save = folder / "save.sav";
    const bool intact = before ? fs::is_regular_file(save) && readAll(save) == *before : !fs::exists(save);
    if (!intact || listing(folder.path) != namesBefore)
        ++count.losses;
    std::printf("  %s: exit %d, \"%s\"%s\n", name, o.exitCode, firstLine(o.output).c_str(),
                intact ? "" : " - THE OLD SAVE IS GONE");
    EXPECT_EQ(o.exitCode, 1) << name << ": " << o.output;
    EXPECT_NE(o.output.find("저장 파일"), std::string::npos) << name << ": no message, only " << o.output;
    EXPECT_EQ(o.output.find("Unknown error"), std::string::npos) << name << ": no reason given: " << o.output;
    EXPECT_TRUE(intact) << name;
    EXPECT_EQ(listing(folder.path), namesBefore) << name << ": files left behind";
}

// A read-only save file, or a read-only folder without a save yet, refuses the
// save and keeps what was there. A read-only folder (a shared game folder)
// holding a writable save takes the new line in place.
TEST(SaveFaults, readOnlyFolderOrFile)
{
    if (isRoot() && setprivPath().empty())
        GTEST_SKIP() << "setpriv is missing: as root, folder and file permissions would be ignored, "
                        "so the read-only cases cannot be tried (install util-linux)";
    Stage stage;
    const fs::path program = isRoot() ? stage.add(helper) : helper;
    Count count{"save faults, read-only"};
    struct Case {
        const char *name;
        bool folderWritable;
        bool fileWritable;
        bool oldSave;
        bool saves;
    };
    for (const Case &c : {Case{"read-only folder, writable save", false, true, true, true},
                          Case{"read-only folder, no save yet", false, true, false, false},
                          Case{"read-only folder and save", false, false, true, false},
                          Case{"read-only save file", true, false, true, false},
                          Case{"writable folder (control)", true, true, true, true}}) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        const fs::path save = folder / "save.sav";
        // Written in place, a shorter line must not leave the old one's tail.
        const std::string old = saveBytes(c.saves && !c.folderWritable ? "마법행동 19" : oldLabel);
        if (c.oldSave) {
            writeAll(save, old);
            chmod(save.c_str(), c.fileWritable ? 0644 : 0444);
        }
        if (isRoot())
            folder.giveToNobody();
        chmod(folder.path.c_str(), c.folderWritable ? 0755 : 0555);
        const std::set<std::string> namesBefore = listing(folder.path);
        const Outcome o = run({program.string(), "save", newLabel},
                              {folder.path, isRoot(), std::nullopt, stage.environment});
        if (c.saves) {
            EXPECT_EQ(o.exitCode, 0) << c.name << ": " << o.output;
            EXPECT_EQ(readAll(save), saveBytes(newLabel)) << c.name;
            EXPECT_EQ(listing(folder.path), namesBefore) << c.name << ": files left behind";
            continue;
        }
        expectRefused(count, c.name, o, folder, c.oldSave ? std::optional(old) : std::nullopt, namesBefore);
        EXPECT_NE(o.output.find("권한이 없습니다"), std::string::npos) << c.name << ": " << o.output;
    }
    EXPECT_EQ(count.losses, 0);
}

TEST(SaveFaults, fileSizeLimitKeepsTheOldSave)
{
    Count count{"save faults, file-size limit"};
    struct Case {
        const char *name;
        rlim_t limit;
        std::vector<std::string> args;
        bool oldSave;
        bool fits;
    };
    const Case cases[] = {
        {"limit of 0 bytes", 0, {"save", newLabel}, true, false},
        {"limit of 0 bytes, no save yet", 0, {"save", newLabel}, false, false},
        {"3000-syllable label over a 1 KiB limit", 1024, {"save-long", "3000"}, true, false},
        {"400-syllable label under a 1 KiB limit (control)", 1024, {"save-long", "400"}, true, true},
    };
    for (const Case &c : cases) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        if (c.oldSave)
            writeAll(folder / "save.sav", saveBytes(oldLabel));
        const std::set<std::string> namesBefore = listing(folder.path);
        std::vector<std::string> args{helper.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());

        const Outcome o = run(args, {folder.path, false, c.limit, {}});
        if (c.fits) {
            EXPECT_EQ(o.exitCode, 0) << o.output;
            EXPECT_EQ(readAll(folder / "save.sav").size(), 802u);
            continue;
        }
        expectRefused(count, c.name, o, folder, c.oldSave ? std::optional(saveBytes(oldLabel)) : std::nullopt,
                      namesBefore);
        // The limit does not end the program: the write fails, and the message says why.
        EXPECT_NE(o.output.find("파일 크기 제한"), std::string::npos) << c.name << ": " << o.output;
    }
    EXPECT_EQ(count.losses, 0);
}

TEST(SaveFaults, folderNamedSaveSavIsLeftAlone)
{
    Count count{"save faults, a folder named save.sav"};
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const fs::path save = folder / "save.sav";
    fs::create_directory(save);
    writeAll(save / "keep.txt", "그대로");
    const std::set<std::string> namesBefore = listing(folder.path);
    auto untouched = [&] {
        return fs::is_directory(save) && listing(save) == std::set<std::string>{"keep.txt"}
               && readAll(save / "keep.txt") == "그대로" && listing(folder.path) == namesBefore;
    };

    const Outcome saved = run({helper.string(), "save", newLabel}, atFolder(folder));
    ++count.cases;
    count.losses += !untouched();
    std::printf("  save: exit %d, \"%s\"\n", saved.exitCode, firstLine(saved.output).c_str());
    EXPECT_EQ(saved.exitCode, 1) << saved.output;
    EXPECT_NE(saved.output.find("저장 파일"), std::string::npos) << saved.output;

    const Outcome loaded = run({helper.string(), "load"}, atFolder(folder));
    ++count.cases;
    count.losses += !untouched();
    std::printf("  load: exit %d, \"%s\"\n", loaded.exitCode, firstLine(loaded.output).c_str());
    EXPECT_EQ(loaded.exitCode, 1) << loaded.output;
    EXPECT_NE(loaded.output.find("폴더"), std::string::npos) << loaded.output;
    EXPECT_TRUE(untouched());
    EXPECT_EQ(count.losses, 0);
}

// A named pipe or a device in the place of the save file: the load says so at
// once instead of waiting for a writer or reading without end.
TEST(SaveFaults, pipeOrDeviceNamedSaveSavDoesNotHoldTheGameUp)
{
    Count count{"save faults, a pipe or a device named save.sav"};
    for (const char *what : {"named pipe", "link to /dev/zero"}) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        const fs::path save = folder / "save.sav";
        if (std::string_view(what) == "named pipe")
            ASSERT_EQ(mkfifo(save.c_str(), 0644), 0);
        else
            fs::create_symlink("/dev/zero", save);

        bool hung = false;
        const Outcome o = runBounded({helper.string(), "load"}, atFolder(folder), hung);
        const bool ended = !hung;
        ++count.cases;
        count.losses += !ended;
        std::printf("  %s: %s, \"%s\"\n", what, ended ? "answered" : "HUNG", firstLine(o.output).c_str());
        EXPECT_TRUE(ended) << what << ": the load hung";
        EXPECT_EQ(o.exitCode, 1) << what << ": " << o.output;
        EXPECT_NE(o.output.find("저장 파일"), std::string::npos) << what << ": " << o.output;
    }
    EXPECT_EQ(count.losses, 0);
}

// Whatever is not a plain file in the save's place, or at the end of a link
// named like it, is refused by name and left exactly as it was: saving never
// swaps a pipe or a device for a file.
TEST(SaveFaults, notAPlainFileIsRefusedAndLeftAlone)
{
    Count count{"save faults, not a plain file"};
    struct Case {
        const char *name;
        std::function<void(const fs::path &save, const fs::path &elsewhere)> make;
        std::function<bool(const fs::path &save, const fs::path &elsewhere)> intact;
    };
    auto isFifo = [](const fs::path &p) { return fs::is_fifo(fs::symlink_status(p)); };
    auto isDevice = [](const fs::path &p) { return fs::is_character_file(fs::symlink_status(p)); };
    auto isLinkTo = [](const fs::path &link, const fs::path &to) {
        return fs::is_symlink(fs::symlink_status(link)) && fs::read_symlink(link) == to;
    };
    std::vector<Case> cases{
        {"named pipe", [](auto &save, auto &) { ASSERT_EQ(mkfifo(save.c_str(), 0644), 0); },
         [&](auto &save, auto &) { return isFifo(save); }},
        {"link to a named pipe",
         [](auto &save, auto &elsewhere) {
             ASSERT_EQ(mkfifo((elsewhere / "pipe").c_str(), 0644), 0);
             fs::create_symlink(elsewhere / "pipe", save);
         },
         [&](auto &save, auto &elsewhere) { return isLinkTo(save, elsewhere / "pipe") && isFifo(elsewhere / "pipe"); }},
        {"link to a link to itself", [](auto &save, auto &) { fs::create_symlink(save, save); },
         [&](auto &save, auto &) { return isLinkTo(save, save); }},
    };
    if (isRoot()) {
        // A device node of our own: were the save to replace it, only the test folder would suffer.
        cases.push_back({"device node (mknod, as root)",
                         [](auto &save, auto &) { ASSERT_EQ(mknod(save.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); },
                         [&](auto &save, auto &) { return isDevice(save); }});
        cases.push_back({"link to a device node (mknod, as root)",
                         [](auto &save, auto &elsewhere) {
                             ASSERT_EQ(mknod((elsewhere / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
                             fs::create_symlink(elsewhere / "null", save);
                         },
                         [&](auto &save, auto &elsewhere) {
                             return isLinkTo(save, elsewhere / "null") && isDevice(elsewhere / "null");
                         }});
    } else {
        // Not root: the system's own /dev/null is out of reach of any mistake.
        cases.push_back({"link to /dev/null", [](auto &save, auto &) { fs::create_symlink("/dev/null", save); },
                         [&](auto &save, auto &) { return isLinkTo(save, "/dev/null") && isDevice("/dev/null"); }});
    }
    for (const Case &c : cases) {
        TempFolder folder, elsewhere;
        ASSERT_TRUE(folder.valid() && elsewhere.valid());
        const fs::path save = folder / "save.sav";
        c.make(save, elsewhere.path);
        const std::set<std::string> names = listing(folder.path);
        const Outcome o = run({helper.string(), "save", newLabel}, atFolder(folder));
        ++count.cases;
        const bool intact = c.intact(save, elsewhere.path) && listing(folder.path) == names;
        count.losses += !intact;
        std::printf("  %s: exit %d, \"%s\"\n", c.name, o.exitCode, firstLine(o.output).c_str());
        EXPECT_EQ(o.exitCode, 1) << c.name << ": " << o.output;
        EXPECT_NE(o.output.find("\"save.sav\""), std::string::npos) << c.name << ": not named: " << o.output;
        EXPECT_TRUE(intact) << c.name;
    }
    EXPECT_EQ(count.losses, 0);
}

// A link to a save elsewhere is followed, so a player may keep the save
// anywhere; a link to nothing yet makes the file it names when that lies in
// the game folder. The link stays.
TEST(SaveFaults, linksToASaveElsewhereAreFollowed)
{
    for (bool targetExists : {true, false}) {
        TempFolder folder, elsewhere;
        ASSERT_TRUE(folder.valid() && elsewhere.valid());
        const fs::path target = targetExists ? elsewhere / "my.sav" : folder / "my.sav";
        if (targetExists)
            writeAll(target, saveBytes("마법행동 19"));
        fs::create_symlink(target, folder / "save.sav");
        const Outcome saved = run({helper.string(), "save", newLabel}, atFolder(folder));
        EXPECT_EQ(saved.exitCode, 0) << saved.output;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "save.sav")));
        EXPECT_EQ(readAll(target), saveBytes(newLabel));
        const Outcome loaded = run({helper.string(), "load"}, atFolder(folder));
        EXPECT_EQ(loaded.exitCode, 0) << loaded.output;
        EXPECT_EQ(loaded.output, std::string(newLabel) + "\n");
    }
}

// A converter that cannot be used must not pass for an empty label: the save
// is refused with the old file left byte for byte, and a load is an error.
TEST(SaveFaults, failingConverterNeitherSavesNorLoadsAnEmptyLabel)
{
    struct BrokenCp949 final : system::Cp949 {
        std::optional<std::string> fromUtf8(std::string_view) const override { return std::nullopt; }
        std::optional<std::string> toUtf8(std::string_view) const override { return std::nullopt; }
    } broken;
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const fs::path save = folder / "save.sav";
    writeAll(save, saveBytes(oldLabel));
    system::SaveFile file(save.string(), broken);

    const SaveStore::Result saved = file.write(newLabel);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.problem.kind, Failure::Cp949Encode);
    EXPECT_EQ(readAll(save), saveBytes(oldLabel));
    EXPECT_EQ(listing(folder.path), std::set<std::string>{"save.sav"});

    const SaveStore::Result loaded = file.read();
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.label.empty());
    EXPECT_EQ(loaded.problem.kind, Failure::Cp949Decode);
}

// SIGKILL at a random moment of a loop of saves: the file holds one of the two
// labels, whole, every time.
TEST(SaveFaults, killedWhileSavingLeavesOneWholeSave)
{
    constexpr int kills = 250;
    const std::string a = saveBytes(oldLabel);
    const std::string b = saveBytes(newLabel);
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const fs::path save = folder / "save.sav";
    writeAll(save, a);
    std::mt19937 rng(4242u);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    Count count{"save faults, SIGKILL while saving"};
    int heldA = 0, heldB = 0, leftovers = 0, notKilled = 0;

    for (int i = 0; i < kills; ++i) {
        int output = -1;
        const pid_t pid = spawn({helper.string(), "loop", oldLabel, newLabel}, atFolder(folder), output);
        ASSERT_GT(pid, 0);
        std::string line;
        char c;
        while (line != "ready\n" && read(output, &c, 1) == 1)
            line += c;
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(rng)));
        kill(pid, SIGKILL);
        const Outcome o = wait(pid, output);
        if (o.signal != SIGKILL) {
            ++notKilled;
            ADD_FAILURE() << "the save loop ended by itself: " << line << o.output;
        }

        ++count.cases;
        const std::string held = readAll(save);
        if (held == a) {
            ++heldA;
        } else if (held == b) {
            ++heldB;
        } else {
            ++count.losses;
            ADD_FAILURE() << "kill " << i << " left save.sav with " << held.size() << " bytes";
        }
        // A kill between writing the new file and swapping it in leaves that file behind.
        for (const std::string &name : listing(folder.path))
            if (name != "save.sav") {
                ++leftovers;
                fs::remove(folder / name);
            }
    }
    std::printf("  %d kills: %d left \"%s\", %d left \"%s\", %d half-written temporary files left beside "
                "it, %d loops not killed\n",
                kills, heldA, oldLabel, heldB, newLabel, leftovers, notKilled);
    EXPECT_EQ(count.cases, kills);
    EXPECT_EQ(count.losses, 0);
    // Both labels came up: the kills landed at different points of the loop.
    EXPECT_GT(heldA, 0);
    EXPECT_GT(heldB, 0);
}

} // namespace
} // namespace barmen::fault
