// Every one of the 24 picture files, broken in every way a player's folder can
// break it, at a scene that shows it: the window reports the file and the
// reason, and the state and the screen stay as they were. Put back, the same
// click shows the scene.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <span>
#include <thread>

#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "engine/duel.h"
#include "faultkit.h"
#include "../gamefolder.h"
#include "../picturebombs.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"

namespace barmen {
namespace {


// Where the pictures are copied from: the assets, or a staged copy of them for
// the run as the unprivileged user.
QString assetsDir()
{
    const QByteArray staged = qgetenv("BARMEN_FAULT_ASSETS");
    return staged.isEmpty() ? QStringLiteral(BARMEN_ASSETS_DIR) : QString::fromLocal8Bit(staged);
}

// A click that loads the picture: the button (0 to 3 the action buttons, 4
// start), the label and golem move it needs.
struct Trigger {
    int button = -1;
    std::string label;
    std::int16_t roll = 0;
};

Trigger triggerFor(std::string_view file)
{
    if (file == pic::Title)
        return {4, {}, 0};
    const Story &s = story::theStory();
    const SceneTable *tables[] = {&s.table(ActionButton::Choice1), &s.table(ActionButton::Choice2), &s.table(ActionButton::Choice3), &s.table(ActionButton::Progress)};
    for (int b : {3, 0, 1, 2})
        for (const SceneRow &row : tables[b]->rows())
            if (row.bg == file || row.ch == file)
                return {b, std::string(row.label), row.roll};
    return {};
}

enum class Breakage { Missing, Empty, NotAPicture, CutOff, Damaged, Folder, Unreadable, Pipe, DanglingLink, LoopingLink };

struct Kind {
    Breakage breakage;
    const char *name;
    const char *reason;   // what the message must say
};

const Kind kinds[] = {
    {Breakage::Missing, "missing", "파일이 없습니다"},
    {Breakage::Empty, "empty", "빈 파일"},
    {Breakage::NotAPicture, "a text file", "그림으로 읽을 수 없습니다"},
    {Breakage::CutOff, "cut off", "중간에 잘려 있습니다"},
    {Breakage::Damaged, "zeroed in the middle", "손상"},
    {Breakage::Folder, "a folder", "폴더"},
    {Breakage::Unreadable, "unreadable", "읽기 권한이 없습니다"},
    {Breakage::Pipe, "a named pipe", "보통 파일이 아닙니다"},
    {Breakage::DanglingLink, "a link to nothing", "링크가 가리키는 파일이 없습니다"},
    {Breakage::LoopingLink, "a link to itself", "링크가 돌고 돌아"},
};

const Kind &kind(Breakage b)
{
    return *std::find_if(std::begin(kinds), std::end(kinds), [b](const Kind &k) { return k.breakage == b; });
}

struct PictureFaults : ::testing::Test {
    QTemporaryDir folder;
    QString oldFolder = QDir::currentPath();
    QtPictureSource pictures;
    ClockDice dice{99u};
    system::SaveFile saves;
    QStringList reports;
    std::unique_ptr<Form1> window;
    int cases = 0;
    int losses = 0;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_EQ(test::copyGamePictures(QDir(assetsDir()), QDir(folder.path())), QString());
        QDir::setCurrent(folder.path());
        window = std::make_unique<Form1>(story::theStory(), pictures, dice, saves);
        window->setReporter([this](const QString &m) { reports << m; });
        window->show();
    }
    void TearDown() override { QDir::setCurrent(oldFolder); }

    QPushButton *button(int b) const
    {
        const char *names[] = {"Command2", "Command3", "Command4", "Command6", "Command7"};
        return window->findChild<QPushButton *>(QLatin1String(names[b]));
    }
    template <typename T>
    T *control(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }

    // Breaks the file in place; false when this kind does not apply to it.
    bool breakFile(std::string_view name, Breakage how)
    {
        const QString file = test::qtString(name);
        QFile f(file);
        switch (how) {
        case Breakage::Missing:
            return f.remove();
        case Breakage::Empty:
            return f.resize(0);
        case Breakage::NotAPicture:
            return f.open(QIODevice::WriteOnly | QIODevice::Truncate)
                   && f.write("이것은 그림이 아니라 글입니다.\r\n") > 0;
        case Breakage::CutOff:
            // Half the file, whatever byte that ends on.
            return f.resize(f.size() / 2);
        case Breakage::Damaged: {
            // The middle third zeroed; the end marker stays.
            if (!f.open(QIODevice::ReadWrite))
                return false;
            const qint64 third = f.size() / 3;
            return f.seek(third) && f.write(QByteArray(third, '\0')) == third;
        }
        case Breakage::Folder:
            return f.remove() && QDir().mkdir(file);
        case Breakage::Unreadable:
            return f.setPermissions(QFileDevice::WriteOwner);
        case Breakage::Pipe:
            return f.remove() && ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0;
        case Breakage::DanglingLink:
            return f.remove() && QFile::link(QStringLiteral("이미 지운 그림"), file);
        case Breakage::LoopingLink:
            return f.remove() && QFile::link(file, file);
        }
        return false;
    }
    void restore(std::string_view name)
    {
        const QString file = test::qtString(name);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(file);
        QDir().rmdir(file);
        ASSERT_TRUE(QFile::copy(QDir(assetsDir()).filePath(file), file));
    }

    // Puts the state where the click that loads the picture shows its scene,
    // clicks, and gives what was reported; the click may take no longer than
    // `seconds` (a click that blocks ends the test by SIGALRM).
    QStringList clickShowing(std::string_view name, unsigned seconds = 10)
    {
        const Trigger t = triggerFor(name);
        EXPECT_GE(t.button, 0) << name << " is shown nowhere";
        GameState &state = window->state();
        state.sceneLabel = t.label;
        state.prevLabel = std::string(label::Start2);
        state.battleRoll = t.roll;
        reports.clear();
        alarm(seconds);
        button(t.button)->click();
        alarm(0);
        return reports;
    }

    // Whether the screen and the state are as they were when the snapshot
    // was taken.
    struct Snapshot {
        std::string scene, prev;
        QString text;
        qint64 bg = 0, ch = 0;
    };
    Snapshot snapshot() const
    {
        return {window->state().sceneLabel, window->state().prevLabel, control<QTextEdit>("Text1")->toPlainText(),
                control<QLabel>("bg")->pixmap().cacheKey(), control<QLabel>("ch")->pixmap().cacheKey()};
    }
    bool unchanged(const Snapshot &s, std::string_view label) const
    {
        const Snapshot now = snapshot();
        return now.scene == label && now.prev == std::string(label::Start2) && now.text == s.text && now.bg == s.bg
               && now.ch == s.ch;
    }

    void tryEveryPicture(const Kind &kind)
    {
        for (std::string_view name : test::gamePictures()) {
            const Trigger t = triggerFor(name);
            ASSERT_GE(t.button, 0) << name << " is shown nowhere";
            SCOPED_TRACE(std::string(name) + " " + kind.name);

            // A scene on screen first, so there is something to keep.
            GameState &state = window->state();
            state.sceneLabel = std::string(label::Start2);
            button(3)->click();
            state.sceneLabel = t.label;
            state.prevLabel = std::string(label::Start2);
            state.battleRoll = t.roll;
            const GameState before = state;
            const QString textBefore = control<QTextEdit>("Text1")->toPlainText();
            const qint64 bgBefore = control<QLabel>("bg")->pixmap().cacheKey();
            const qint64 chBefore = control<QLabel>("ch")->pixmap().cacheKey();
            const QRect bgRect = control<QLabel>("bg")->geometry(), chRect = control<QLabel>("ch")->geometry();
            reports.clear();

            ASSERT_TRUE(breakFile(name, kind.breakage));
            button(t.button)->click();
            ++cases;
            const bool kept = state.sceneLabel == before.sceneLabel && state.prevLabel == before.prevLabel
                              && state.battleRoll == before.battleRoll
                              && control<QTextEdit>("Text1")->toPlainText() == textBefore
                              && control<QLabel>("bg")->pixmap().cacheKey() == bgBefore
                              && control<QLabel>("ch")->pixmap().cacheKey() == chBefore
                              && control<QLabel>("bg")->geometry() == bgRect
                              && control<QLabel>("ch")->geometry() == chRect;
            losses += !kept;
            EXPECT_TRUE(kept) << "the failed click changed the state or the screen";
            EXPECT_EQ(reports.size(), 1);
            QString message = reports.value(0);
            EXPECT_TRUE(message.contains(test::qtString(name))) << message.toStdString();
            EXPECT_TRUE(message.contains(QString::fromUtf8(kind.reason))) << message.toStdString();
            EXPECT_GE(message.split(QLatin1Char('\n')).size(), 2) << "no reason: " << message.toStdString();
            if (name == pic::Forest || name == pic::Title)
                std::printf("  %s, %s: \"%s\"\n", std::string(name).c_str(), kind.name,
                            message.replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString().c_str());

            // Put back, the same click shows the scene.
            restore(name);
            reports.clear();
            button(t.button)->click();
            EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(state.sceneLabel != before.sceneLabel || state.prevLabel != before.prevLabel
                        || control<QLabel>("bg")->pixmap().cacheKey() != bgBefore)
                << "the click does nothing even with the file back";
        }
        std::printf("pictures %s: %d cases, %d losses\n", kind.name, cases, losses);
        EXPECT_EQ(losses, 0);
    }
};

TEST_F(PictureFaults, missing) { tryEveryPicture(kind(Breakage::Missing)); }
TEST_F(PictureFaults, empty) { tryEveryPicture(kind(Breakage::Empty)); }
TEST_F(PictureFaults, textFileInsteadOfAPicture) { tryEveryPicture(kind(Breakage::NotAPicture)); }
TEST_F(PictureFaults, cutOff) { tryEveryPicture(kind(Breakage::CutOff)); }
TEST_F(PictureFaults, zeroedInTheMiddle) { tryEveryPicture(kind(Breakage::Damaged)); }
TEST_F(PictureFaults, folderInsteadOfAFile) { tryEveryPicture(kind(Breakage::Folder)); }
TEST_F(PictureFaults, namedPipeInsteadOfAFile) { tryEveryPicture(kind(Breakage::Pipe)); }
TEST_F(PictureFaults, linkToNothing) { tryEveryPicture(kind(Breakage::DanglingLink)); }
TEST_F(PictureFaults, linkToItself) { tryEveryPicture(kind(Breakage::LoopingLink)); }

// Editing tools leave a newline or zero bytes behind a picture: every picture
// so padded still shows, without a word.
TEST_F(PictureFaults, paddingAfterTheEndIsIgnored)
{
    for (std::string_view name : test::gamePictures()) {
        const Trigger t = triggerFor(name);
        ASSERT_GE(t.button, 0) << name << " is shown nowhere";
        SCOPED_TRACE(std::string(name));
        for (const QByteArray &padding : {QByteArray("\n"), QByteArray(512, '\0')}) {
            QFile f(test::qtString(name));
            ASSERT_TRUE(f.open(QIODevice::Append));
            ASSERT_EQ(f.write(padding), padding.size());
            f.close();
            GameState &state = window->state();
            state.sceneLabel = t.label;
            state.prevLabel = std::string(label::Start2);
            state.battleRoll = t.roll;
            const qint64 bgBefore = control<QLabel>("bg")->pixmap().cacheKey();
            const qint64 chBefore = control<QLabel>("ch")->pixmap().cacheKey();
            reports.clear();
            button(t.button)->click();
            EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(control<QLabel>("bg")->pixmap().cacheKey() != bgBefore
                        || control<QLabel>("ch")->pixmap().cacheKey() != chBefore)
                << "the padded picture was not shown";
            ++cases;
        }
        restore(name);
    }
    std::printf("pictures padded: %d cases shown\n", cases);
}

// Root reads any file, so the unreadable case runs as the unprivileged user:
// as root, this test runs itself again through setpriv.
TEST_F(PictureFaults, unreadable)
{
    using namespace fault;
    if (!isRoot()) {
        tryEveryPicture(kind(Breakage::Unreadable));
        return;
    }
    if (setprivPath().empty())
        GTEST_SKIP() << "setpriv is missing: as root every file is readable, so the unreadable case "
                        "cannot be tried (install util-linux)";
    Stage stage;
    const fs::path self = stage.add(fs::read_symlink("/proc/self/exe"));
    const fs::path assets = stage.folder / "assets";
    fs::create_directory(assets);
    chmod(assets.c_str(), 0755);
    for (std::string_view name : test::gamePictures()) {
        const fs::path to = assets / std::string(name);
        fs::copy_file(fs::path(assetsDir().toStdString()) / std::string(name), to);
        chmod(to.c_str(), 0644);
    }
    std::vector<std::string> environment = stage.environment;
    environment.push_back("BARMEN_FAULT_ASSETS=" + assets.string());
    environment.push_back("QT_QPA_PLATFORM=offscreen");
    const Outcome o = run({self.string(), "--gtest_filter=PictureFaults.unreadable"},
                          {fs::temp_directory_path(), true, std::nullopt, environment});
    std::printf("%s", o.output.c_str());
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_NE(o.output.find("[  PASSED  ] 1 test"), std::string::npos) << "the run as nobody did not pass";
    EXPECT_NE(o.output.find("pictures unreadable: 24 cases, 0 losses"), std::string::npos);
}

// Kilobytes of the process's address space now.
long vmSizeKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            return std::atol(line.c_str() + 7);
    return -1;
}

// Lowers the process's address-space limit to so much more than it has, and
// puts the old limit back when it goes.
struct MemoryLimit {
    rlimit old{};
    explicit MemoryLimit(long moreKb)
    {
        getrlimit(RLIMIT_AS, &old);
        // What the heap keeps free would be room beyond the limit.
        malloc_trim(0);
        rlimit tight = old;
        tight.rlim_cur = rlim_t(vmSizeKb() + moreKb) * 1024;
        setrlimit(RLIMIT_AS, &tight);
    }
    ~MemoryLimit() { setrlimit(RLIMIT_AS, &old); }
};

// A picture's name as a link to a file of /proc that never ends, to one that
// waits for the kernel's next message, or to a device: each click is refused
// at once, by name and reason, within 512 MB more than the game has. Before,
// /proc/self/pagemap was read at a gigabyte a second until memory ran out,
// and /proc/kmsg kept the game waiting in read() for good. (Reading
// /proc/kmsg takes the kernel messages waiting there; it is tried only where
// this user may read it.)
TEST_F(PictureFaults, linksToProcFilesAndDevices)
{
    struct Target {
        const char *path;
        const char *reason;
    };
    std::vector<Target> targets = {
        {"/proc/self/pagemap", "그림 파일로 보기에는 너무 큽니다."},
        {"/dev/zero", "보통 파일이 아닙니다."},
        {"/dev/urandom", "보통 파일이 아닙니다."},
    };
    if (access("/proc/kmsg", R_OK) == 0)
        targets.push_back({"/proc/kmsg", "보통 파일이 아닙니다."});
    else
        std::printf("  /proc/kmsg is not readable here: not tried\n");
#ifdef BARMEN_SANITIZED
    std::printf("  under the sanitizers without a memory limit: they reserve more address space than any limit leaves\n");
#endif
    for (std::string_view name : {pic::Forest, pic::Narration}) {
        for (const Target &target : targets) {
            SCOPED_TRACE(std::string(name) + " -> " + target.path);
            const QString file = test::qtString(name);
            ASSERT_TRUE(QFile::remove(file));
            ASSERT_TRUE(QFile::link(QString::fromLatin1(target.path), file));
            const Snapshot before = snapshot();
            const Trigger t = triggerFor(name);
            QStringList got;
            {
#ifndef BARMEN_SANITIZED
                const MemoryLimit limit(512 * 1024);
#endif
                got = clickShowing(name);
            }
            ASSERT_EQ(got.size(), 1) << got.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(got[0].contains(file)) << got[0].toStdString();
            EXPECT_TRUE(got[0].contains(QString::fromUtf8(target.reason))) << got[0].toStdString();
            EXPECT_TRUE(unchanged(before, t.label)) << "the refused click changed the state or the screen";
            restore(name);
            ++cases;
        }
    }
    std::printf("pictures linked into /proc and /dev: %d cases refused\n", cases);
}

// Another program renames a named pipe over 배경1.jpg and the real picture
// back, thousands of times, while the game clicks: no click may wait (each
// is given 10 s before SIGALRM ends the test), and each either shows its
// scene or says the file is not a plain file. Before, a pipe that came between the
// look at the file and its opening kept the game waiting in open() for good.
TEST_F(PictureFaults, aPipeSwappedInAndOutNeverBlocks)
{
    const std::string name(pic::Forest);
    const std::string pipe = ".swap-pipe", copy = ".swap-copy", master = ".swap-master";
    fault::writeAll(master, fault::readAll(fault::fs::path(assetsDir().toStdString()) / name));
    std::atomic<bool> stop = false;
    std::atomic<int> swaps = 0;
    // As fast as renames go: the pipe in the picture's place, then the
    // picture (a new link to the same file) in the pipe's.
    std::thread swapper([&] {
        while (!stop) {
            ::unlink(pipe.c_str());
            if (::mkfifo(pipe.c_str(), 0600) == 0)
                ::rename(pipe.c_str(), name.c_str());
            ::unlink(copy.c_str());
            if (::link(master.c_str(), copy.c_str()) == 0)
                ::rename(copy.c_str(), name.c_str());
            ++swaps;
        }
    });
    int clicks = 0, shown = 0, pipes = 0, other = 0;
    while (clicks < 5000 && (clicks < 300 || swaps < 3000)) {
        const QStringList got = clickShowing(name);
        ++clicks;
        if (got.isEmpty())
            ++shown;
        else if (got.size() == 1 && got[0].contains(QStringLiteral("보통 파일이 아닙니다")))
            ++pipes;
        else {
            ++other;
            ADD_FAILURE() << got.join(QLatin1Char('\n')).toStdString();
        }
    }
    stop = true;
    swapper.join();
    restore(pic::Forest);
    std::printf("a pipe swapped over %s %d times: %d clicks, %d shown, %d refused as not a plain file, %d else\n",
                name.c_str(), swaps.load(), clicks, shown, pipes, other);
    EXPECT_EQ(other, 0);
    EXPECT_GT(shown, 0);
    EXPECT_GT(pipes, 0);
}

// A transparent character picture of 2048 x 1024 under memory pressure, as
// a player's machine may be. With room for its file and its decoded pixels
// and a few megabytes, not for a second copy of them, it is shown: Qt draws
// it from the pixels decoded, premultiplied in place. Before, Qt made a
// premultiplied copy, the pixmap came out null, and the label silently
// showed nothing. With no room for the decoded pixels either, the click is
// refused as too large before anything changes.
TEST_F(PictureFaults, aLargeTransparentPictureUnderMemoryPressure)
{
#ifdef BARMEN_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit would leave";
#else
    const std::string name(pic::Narration);
    const std::string big = test::gifOnScreen(2048, 1024, 2048, 1024, true);
    const long fileKb = long(big.size() / 1024) + 1;
    const long pixelsKb = 2048L * 1024 * 4 / 1024;
    const auto offScreen = [&] {
        restore(name);
        EXPECT_TRUE(clickShowing(name).isEmpty());
        fault::writeAll(name, big);
    };
    // Warm: the click that shows it with memory to spare.
    fault::writeAll(name, big);
    EXPECT_TRUE(clickShowing(name).isEmpty());
    EXPECT_EQ(control<QLabel>("ch")->pixmap().size(), QSize(2048, 1024));
    offScreen();

    QStringList got;
    {
        const MemoryLimit limit(fileKb + pixelsKb + 4 * 1024);
        got = clickShowing(name);
    }
    EXPECT_TRUE(got.isEmpty()) << got.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(control<QLabel>("ch")->pixmap().size(), QSize(2048, 1024));
    offScreen();

    const Snapshot before = snapshot();
    const Trigger t = triggerFor(name);
    {
        const MemoryLimit limit(fileKb + pixelsKb / 2);
        got = clickShowing(name);
    }
    ASSERT_EQ(got.size(), 1) << "the picture was shown, or not reported";
    EXPECT_TRUE(got[0].contains(QStringLiteral("그림이 너무 큽니다 (2048 × 1024 화소)."))) << got[0].toStdString();
    EXPECT_TRUE(unchanged(before, t.label)) << "the refused click changed the state or the screen";
    EXPECT_FALSE(control<QLabel>("ch")->pixmap().isNull());
    restore(name);
#endif
}

} // namespace
} // namespace barmen
