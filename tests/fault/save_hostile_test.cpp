// Saves and loads against what another process or another user may put in
// the save's place: links that lead away from a save, a disk that will not
// flush, a pipe swapped in between a look and an open, and files that never
// end. Every case must end at once and leave what was there as it was.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include <sys/stat.h>

#include "faultkit.h"
#include "system/savefile.h"

namespace barmen::fault {
namespace {

const fs::path helper = BARMEN_SAVE_HELPER;
const fs::path flushShim = BARMEN_FLUSH_SHIM;
constexpr const char *oldLabel = "시작 2";
constexpr const char *newLabel = "엔딩 26-1";

std::string saveBytes(std::string_view label) { return system::encodeSave(label).value(); }

RunOptions atFolder(const TempFolder &folder) { return {folder.path, false, std::nullopt, {}}; }

// Links named save.sav that lead to something that is no save, or that
// another user planted, are refused by name, and both the link and what it
// points at stay exactly as they were. Run as a player who is not root.
TEST(SaveHostile, linksThatLeadAwayFromASaveAreRefused)
{
    if (isRoot() && setprivPath().empty())
        GTEST_SKIP() << "setpriv is missing: root would not be held back by the folders' permissions";
    Stage stage;
    const fs::path program = isRoot() ? stage.add(helper) : helper;
    struct Case {
        const char *name;
        // Makes the target (in elsewhere) and the link; returns what must not change.
        std::function<fs::path(const TempFolder &folder, const TempFolder &elsewhere)> make;
        bool onlyAsRoot = false;
        bool sharedFolder = true;   // as root: the folder is root's, and everybody may write it
        const char *says = nullptr;  // the reason, where more than one would refuse
    };
    const std::string notes = "# the player's shell\nexport PATH=$HOME/bin:$PATH\nalias ll='ls -l'\n";
    const Case cases[] = {
        {"link to a file of many lines (~/.bashrc)",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "bashrc", notes);
             fs::create_symlink(elsewhere / "bashrc", folder / "save.sav");
             return elsewhere / "bashrc";
         }},
        {"link to a file of one line over 4 KiB",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "big", std::string(5000, 'x'));
             fs::create_symlink(elsewhere / "big", folder / "save.sav");
             return elsewhere / "big";
         }},
        {"link to nothing outside the game folder (~/.config/autostart/…)",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             fs::create_directory(elsewhere / "autostart");
             fs::create_symlink(elsewhere / "autostart" / "barmen-save.desktop", folder / "save.sav");
             return elsewhere / "autostart" / "barmen-save.desktop";
         }},
        {"link to a save whose folder takes no new file (written in place through a link)",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             fs::create_directory(elsewhere / "locked");
             writeAll(elsewhere / "locked" / "comm", "barmen\n");
             fs::create_symlink(elsewhere / "locked" / "comm", folder / "save.sav");
             return elsewhere / "locked" / "comm";
         }},
        {"link to a save of this game whose folder takes no new file",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             fs::create_directory(elsewhere / "locked");
             writeAll(elsewhere / "locked" / "my.sav", saveBytes(oldLabel));
             fs::create_symlink(elsewhere / "locked" / "my.sav", folder / "save.sav");
             return elsewhere / "locked" / "my.sav";
         },
         false, true, "링크를 따라가 제자리에 쓰지는 않습니다"},
        {"link to one line that is no save (~/.ssh/authorized_keys)",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "authorized_keys", "ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIJ9 player@home\n");
             fs::create_symlink(elsewhere / "authorized_keys", folder / "save.sav");
             return elsewhere / "authorized_keys";
         }},
        {"link to one short line naming no scene",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "todo", "buy milk\r\n");
             fs::create_symlink(elsewhere / "todo", folder / "save.sav");
             return elsewhere / "todo";
         }},
        {"link to a save in UTF-8",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "utf8.sav", "시작 2\r\n");
             fs::create_symlink(elsewhere / "utf8.sav", folder / "save.sav");
             return elsewhere / "utf8.sav";
         }},
        {"link to a link that leads to no save",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "notes", "buy milk\n");
             fs::create_symlink(elsewhere / "notes", elsewhere / "hop");
             fs::create_symlink(elsewhere / "hop", folder / "save.sav");
             return elsewhere / "notes";
         }},
        {"link another user made to a save, in the player's own folder",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "their.sav", saveBytes(oldLabel));
             fs::create_symlink(elsewhere / "their.sav", folder / "save.sav");
             return elsewhere / "their.sav";
         },
         true, false},
        {"link planted by another user in a folder everybody may write",
         [&](const TempFolder &folder, const TempFolder &elsewhere) {
             writeAll(elsewhere / "notes.txt", "buy milk\n");
             fs::create_symlink(elsewhere / "notes.txt", folder / "save.sav");
             // Owned by daemon (1), in a sticky folder that everybody may write, as /tmp.
             lchown((folder / "save.sav").c_str(), 1, 1);
             return elsewhere / "notes.txt";
         },
         true},
    };
    for (const Case &c : cases) {
        if (c.onlyAsRoot && !isRoot())
            continue;
        TempFolder folder, elsewhere;
        ASSERT_TRUE(folder.valid() && elsewhere.valid());
        const fs::path target = c.make(folder, elsewhere);
        const bool existed = fs::exists(target);
        const std::string before = existed ? readAll(target) : std::string();
        if (isRoot()) {
            if (!c.onlyAsRoot)
                folder.giveToNobody();
            elsewhere.giveToNobody();
        }
        chmod(elsewhere.path.c_str(), 0755);
        if (fs::exists(elsewhere / "locked"))
            chmod((elsewhere / "locked").c_str(), 0555);
        if (c.onlyAsRoot && c.sharedFolder) {
            chown(folder.path.c_str(), 0, 0);
            chmod(folder.path.c_str(), 01777);
        } else if (c.onlyAsRoot) {
            // The player's own folder, with a link someone else made in it.
            folder.giveToNobody();
            lchown((folder / "save.sav").c_str(), 1, 1);
        }
        const fs::path linkTo = fs::read_symlink(folder / "save.sav");

        const Outcome o = run({program.string(), "save", newLabel}, {folder.path, isRoot(), std::nullopt, stage.environment});
        std::printf("  %s: exit %d, \"%s\"\n", c.name, o.exitCode, o.output.substr(0, o.output.find('\n')).c_str());
        EXPECT_EQ(o.exitCode, 1) << c.name << ": " << o.output;
        EXPECT_NE(o.output.find("\"save.sav\""), std::string::npos) << c.name << ": not named: " << o.output;
        if (c.says) {
            EXPECT_NE(o.output.find(c.says), std::string::npos) << c.name << ": " << o.output;
        }
        EXPECT_EQ(fs::exists(target), existed) << c.name;
        if (existed) {
            EXPECT_EQ(readAll(target), before) << c.name << ": the file the link points at was changed";
        }
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "save.sav"))) << c.name;
        EXPECT_EQ(fs::read_symlink(folder / "save.sav"), linkTo) << c.name;
    }
}

// A disk that will not flush: the new save never reached it, so it must not
// replace the old one, and the player is told.
TEST(SaveHostile, failedFlushKeepsTheOldSave)
{
    for (const char *what : {"files", "folders"}) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        writeAll(folder / "save.sav", saveBytes(oldLabel));
        std::vector<std::string> environment{"LD_PRELOAD=" + flushShim.string(), std::string("BARMEN_FAIL_FLUSH=") + what};
        // The sanitizers' runtime wants to come first; the shim comes before it here.
        environment.push_back("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0");
        const Outcome o = run({helper.string(), "save", newLabel}, {folder.path, false, std::nullopt, environment});
        std::printf("  fsync fails on %s: exit %d, \"%s\"\n", what, o.exitCode,
                    o.output.substr(0, o.output.find('\n')).c_str());
        EXPECT_EQ(o.exitCode, 1) << what << ": " << o.output;
        EXPECT_NE(o.output.find("입출력 오류"), std::string::npos) << what << ": " << o.output;
        EXPECT_EQ(readAll(folder / "save.sav"), saveBytes(oldLabel)) << what;
        EXPECT_EQ(listing(folder.path), std::set<std::string>{"save.sav"}) << what << ": files left behind";
    }
}

// The new save is in place, and only the flush of the folder after the swap
// fails: the save went through, and the player is told it may not survive a
// power cut rather than that it could not be written.
TEST(SaveHostile, failedFlushAfterTheSwapSaysTheSaveMayNotLast)
{
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    writeAll(folder / "save.sav", saveBytes(oldLabel));
    std::vector<std::string> environment{"LD_PRELOAD=" + flushShim.string(), "BARMEN_FAIL_FLUSH=folders-after-rename",
                                         "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"};
    const Outcome o = run({helper.string(), "save", newLabel}, {folder.path, false, std::nullopt, environment});
    EXPECT_EQ(o.exitCode, 0) << o.output;
    EXPECT_NE(o.output.find("전원"), std::string::npos) << o.output;
    EXPECT_EQ(o.output.find("수 없습니다"), std::string::npos) << o.output;
    EXPECT_EQ(readAll(folder / "save.sav"), saveBytes(newLabel));
    EXPECT_EQ(listing(folder.path), std::set<std::string>{"save.sav"});
}

// Another process renames a pipe over save.sav and a file back, again and
// again, while the game saves and loads: not one of them may wait for good.
TEST(SaveHostile, pipeSwappedInBetweenLookAndOpenDoesNotHang)
{
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const fs::path save = folder / "save.sav";
    writeAll(save, saveBytes(oldLabel));
    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        const fs::path pipe = folder / "pipe.tmp", file = folder / "file.tmp";
        while (!stop) {
            mkfifo(pipe.c_str(), 0644);
            rename(pipe.c_str(), save.c_str());
            writeAll(file, saveBytes(oldLabel));
            rename(file.c_str(), save.c_str());
        }
    });
    int hangs = 0, answered = 0;
    for (int i = 0; i < 60; ++i) {
        bool hung = false;
        const std::vector<std::string> args = i % 3 == 2 ? std::vector<std::string>{helper.string(), "save", newLabel}
                                                         : std::vector<std::string>{helper.string(), "load"};
        const Outcome o = runBounded(args, atFolder(folder), hung);
        hangs += hung;
        answered += !hung && (o.exitCode == 0 || o.exitCode == 1);
    }
    stop = true;
    swapper.join();
    std::printf("  60 saves and loads with a pipe swapped in: %d answered, %d hung\n", answered, hangs);
    EXPECT_EQ(hangs, 0);
    EXPECT_EQ(answered, 60);
}

// Files that never end or never answer, named save.sav: a load reads no more
// than a save can hold, under a memory limit, and ends at once.
TEST(SaveHostile, filesThatNeverEndAreReadOnlyAsFarAsASaveReaches)
{
    for (const char *endless : {"/proc/self/pagemap", "/dev/zero", "/dev/urandom"}) {
        if (access(endless, F_OK) != 0)
            continue;
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        fs::create_symlink(endless, folder / "save.sav");
        bool hung = false;
        // 256 MiB of address space is plenty for a load, and far too little for reading without end.
        const std::string limit =
#ifdef BARMEN_SANITIZED
            "";   // the sanitizers reserve terabytes of address space up front
#else
            "ulimit -v 262144; ";
#endif
        const Outcome o = runBounded({"/bin/sh", "-c", limit + "exec \"$0\" load", helper.string()}, atFolder(folder), hung);
        std::printf("  save.sav -> %s: %s, exit %d, \"%s\"\n", endless, hung ? "HUNG" : "answered", o.exitCode,
                    o.output.substr(0, o.output.find('\n')).c_str());
        EXPECT_FALSE(hung) << endless;
        EXPECT_EQ(o.signal, 0) << endless << ": " << o.output;
        EXPECT_TRUE(o.exitCode == 0 || o.exitCode == 1) << endless << ": " << o.output;
        if (o.exitCode == 1) {
            EXPECT_NE(o.output.find("저장 파일"), std::string::npos) << endless << ": " << o.output;
        }
    }
}

} // namespace
} // namespace barmen::fault
