// A save that cannot be written must say so and leave the old save as it was:
// under a read-only folder, a file-size limit, a folder named like the save
// file, and a process killed at any moment while it saves.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "faultkit.h"
#include "system/savefile.h"

namespace barmen::fault {
namespace {

const fs::path helper = BARMEN_SAVE_HELPER;
constexpr const char *oldLabel = "시작 2";
constexpr const char *newLabel = "엔딩 26-1";

std::string saveBytes(std::string_view label)
{
    const QByteArray bytes = system::encodeSave(label);
    return {bytes.constData(), std::size_t(bytes.size())};
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

TEST(SaveFaults, readOnlyFolderOrFileKeepsTheOldSave)
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
    };
    for (const Case &c : {Case{"read-only folder", false, true, true},
                          Case{"read-only folder, no save yet", false, true, false},
                          Case{"read-only save file", true, false, true},
                          Case{"writable folder (control)", true, true, true}}) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        const fs::path save = folder / "save.sav";
        if (c.oldSave) {
            writeAll(save, saveBytes(oldLabel));
            chmod(save.c_str(), c.fileWritable ? 0644 : 0444);
        }
        if (isRoot())
            folder.giveToNobody();
        chmod(folder.path.c_str(), c.folderWritable ? 0755 : 0555);
        const std::set<std::string> namesBefore = listing(folder.path);

        const Outcome o = run({program.string(), "save", newLabel},
                              {folder.path, isRoot(), std::nullopt, stage.environment});
        if (c.folderWritable && c.fileWritable) {
            // The same run with nothing in the way saves: the refusals above are the folder's doing.
            EXPECT_EQ(o.exitCode, 0) << o.output;
            EXPECT_EQ(readAll(save), saveBytes(newLabel));
            continue;
        }
        expectRefused(count, c.name, o, folder, c.oldSave ? std::optional(saveBytes(oldLabel)) : std::nullopt,
                      namesBefore);
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

        int output = -1;
        const pid_t pid = spawn({helper.string(), "load"}, atFolder(folder), output);
        ASSERT_GT(pid, 0);
        // Give it five seconds, then end it: a load that is still waiting has hung.
        bool ended = false;
        for (int i = 0; i < 500 && !ended; ++i) {
            siginfo_t info{};
            ended = waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
            if (!ended)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!ended)
            kill(pid, SIGKILL);
        const Outcome o = wait(pid, output);
        ++count.cases;
        count.losses += !ended;
        std::printf("  %s: %s, \"%s\"\n", what, ended ? "answered" : "HUNG", firstLine(o.output).c_str());
        EXPECT_TRUE(ended) << what << ": the load hung";
        EXPECT_EQ(o.exitCode, 1) << what << ": " << o.output;
        EXPECT_NE(o.output.find("저장 파일"), std::string::npos) << what << ": " << o.output;
    }
    EXPECT_EQ(count.losses, 0);
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
