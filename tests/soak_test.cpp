// Random presses against the real story, by the million through the engine and
// by the ten thousand through the real window, with the game's invariants
// checked after every one of them.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QApplication>

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "engine/duel.h"
#include "engine/game.h"
#include "fakes.h"
#include "gamefolder.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"

namespace barmen {
namespace {

using B = ActionButton;

constexpr long fullEnginePresses = 1'000'000;
constexpr long fullWindowPresses = 10'000;

// The sanitizer tree runs the window's soak with half the presses (each
// picture costs it fresh pages there), so that the suite stays bounded;
// BARMEN_SOAK_DIVISOR divides both counts either way.
long soakDivisor(bool window)
{
    if (const char *v = std::getenv("BARMEN_SOAK_DIVISOR"))
        return std::max(1L, std::atol(v));
#ifdef BARMEN_SANITIZED
    return window ? 2 : 1;
#else
    (void)window;
    return 1;
#endif
}


// The game reads its pictures and save from the current folder: a test runs
// in its own, and the folder it came from is back when the test ends.
struct CurrentFolder {
    explicit CurrentFolder(const QString &folder) : m_back(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(m_back); }
    CurrentFolder(const CurrentFolder &) = delete;
    CurrentFolder &operator=(const CurrentFolder &) = delete;

private:
    QString m_back;
};

// What the soak knows about the story: every label, the labels a choice
// button answers (the menus), and the 24 picture files.
struct StoryFacts {
    std::unordered_map<std::string_view, std::size_t> index;
    std::set<std::string_view> menus;
    std::set<std::string_view> backgrounds{pic::backgrounds.begin(), pic::backgrounds.end()};
    std::set<std::string_view> characters{pic::characters.begin(), pic::characters.end()};

    StoryFacts()
    {
        for (std::size_t i = 0; i < label::all.size(); ++i)
            index.emplace(label::all[i], i);
        const Story &s = story::theStory();
        for (const SceneTable *t : {&s.table(ActionButton::Choice1), &s.table(ActionButton::Choice2), &s.table(ActionButton::Choice3)})
            for (const SceneRow &row : t->rows())
                menus.insert(row.label);
    }
    bool known(std::string_view l) const { return index.count(l) > 0; }
    bool picture(std::string_view f) const { return backgrounds.count(f) || characters.count(f); }
};

const StoryFacts &facts()
{
    static const StoryFacts f;
    return f;
}

// The text-block rule: one to six lines joined by CR LF, no empty first or last
// line, no CR or LF inside a line. Returns what is wrong, or nothing.
std::string textBlockFault(std::string_view block)
{
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = block.find("\r\n", from);
        lines.push_back(block.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos)
            break;
        from = at + 2;
    }
    if (lines.size() > 6)
        return std::to_string(lines.size()) + " lines";
    if (lines.front().empty())
        return "empty first line";
    if (lines.back().empty())
        return "empty last line";
    for (std::string_view l : lines)
        if (l.find_first_of("\r\n") != std::string_view::npos)
            return "a stray CR or LF";
    return {};
}

// The same rule as the text box holds it: line feeds between lines.
std::string textBoxFault(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 6)
        return std::to_string(lines.size()) + " lines";
    if (lines.front().isEmpty())
        return "empty first line";
    if (lines.back().isEmpty())
        return "empty last line";
    if (text.contains(QLatin1Char('\r')))
        return "a stray CR";
    return {};
}

// Where the soak is, what it saw and what went wrong.
struct Tally {
    explicit Tally(const char *name) : part(name) {}

    const char *part;
    long presses = 0;
    long performed = 0;
    long faultsInjected = 0;
    long loads = 0;
    long violations = 0;
    std::vector<bool> visited = std::vector<bool>(label::all.size());
    std::vector<std::string> firstViolations;

    void violation(long press, const std::string &what)
    {
        ++violations;
        if (firstViolations.size() < 10)
            firstViolations.push_back("press " + std::to_string(press) + ": " + what);
    }
    void visit(const std::string &at)
    {
        ++performed;
        const auto i = facts().index.find(at);
        if (i == facts().index.end())
            violation(presses, "a scene was performed at \"" + at + "\", no label of the story");
        else
            visited[i->second] = true;
    }
    std::size_t visitedCount() const { return std::size_t(std::count(visited.begin(), visited.end(), true)); }
    void report(double seconds) const
    {
        const std::string faults =
            faultsInjected ? ", " + std::to_string(faultsInjected) + " picture faults injected" : "";
        std::printf("%s soak: %ld presses (%ld scenes performed, %ld loads%s) in %.1f s; "
                    "%zu of %zu labels visited; %ld violations\n",
                    part, presses, performed, loads, faults.c_str(), seconds, visitedCount(),
                    label::all.size(), violations);
        for (const std::string &v : firstViolations)
            std::printf("  %s\n", v.c_str());
        std::fflush(stdout);
    }
};

enum class Act { Choice1, Choice2, Choice3, Progress, Start, Save, Load, LoadLabel, LoadJunk, LoadMissing };

// The player: mostly the progress button, the choice buttons at menus, and now
// and then a fresh start or a jump to any label of the story through a save file.
struct Player {
    std::mt19937 rng;
    bool window;   // save, load and a missing save only exist with the real window

    explicit Player(std::uint32_t seed, bool withWindow) : rng(seed), window(withWindow) {}

    int percentMille() { return int(rng() % 1000); }
    B anyChoice() { return B(rng() % 3); }

    Act next(std::string_view at)
    {
        const int r = percentMille();
        if (r < 2)
            return Act::Start;
        if (r < 7)
            return Act::LoadLabel;
        if (r < 8)
            return Act::LoadJunk;
        if (window) {
            if (r < 18)
                return Act::Save;
            if (r < 28)
                return Act::Load;
            if (r < 30)
                return Act::LoadMissing;
        }
        const int s = percentMille();
        if (facts().menus.count(at))
            return s < 600 ? Act(anyChoice()) : Act::Progress;
        return s < 920 ? Act::Progress : Act(anyChoice());
    }

    // Any label, or the empty one; every other time one not visited yet, so
    // that the deep ends of the story come up in a short run too.
    std::string anyLabel(const std::vector<bool> &visited)
    {
        if (rng() % 100 == 0)
            return {};
        std::vector<std::size_t> unvisited;
        for (std::size_t i = 0; i < visited.size(); ++i)
            if (!visited[i])
                unvisited.push_back(i);
        if (!unvisited.empty() && rng() % 2 == 0)
            return std::string(label::all[unvisited[rng() % unvisited.size()]]);
        return std::string(label::all[rng() % label::all.size()]);
    }
    std::string junk()
    {
        std::string bytes;
        const int n = int(rng() % 16);
        for (int i = 0; i < n; ++i)
            bytes += char(rng() % 8 == 0 ? '\r' : rng() % 256);
        return bytes;
    }
    std::string_view anyPicture()
    {
        const std::size_t i = rng() % (pic::backgrounds.size() + pic::characters.size());
        return i < pic::backgrounds.size() ? pic::backgrounds[i] : pic::characters[i - pic::backgrounds.size()];
    }
};

bool sameState(const GameState &a, const GameState &b)
{
    return a.sceneLabel == b.sceneLabel && a.prevLabel == b.prevLabel && a.battleRoll == b.battleRoll;
}

// The invariants of the state that every press must keep.
void checkState(Tally &t, const GameState &s, const std::string &lastLoaded)
{
    if (!s.sceneLabel.empty() && !facts().known(s.sceneLabel) && s.sceneLabel != lastLoaded)
        t.violation(t.presses, "sceneLabel \"" + s.sceneLabel + "\" is no label of the story");
    if (!s.prevLabel.empty() && !facts().known(s.prevLabel))
        t.violation(t.presses, "prevLabel \"" + s.prevLabel + "\" is no label of the story");
    if (s.battleRoll < 0 || s.battleRoll > 3)
        t.violation(t.presses, "battleRoll " + std::to_string(s.battleRoll));
}

TEST(Soak, aMillionPressesThroughTheEngine)
{
    const long presses = fullEnginePresses / soakDivisor(false);
    test::RecordingScreen screen;
    test::FakePictures pictures;
    ClockDice dice(20240611u);
    // Saves round-trip through the save file's bytes, in memory.
    struct EncodedSaves final : SaveStore {
        std::string bytes;
        bool have = false;
        Result write(std::string_view label) override
        {
            bytes = system::encodeSave(label).value_or(std::string());
            have = true;
            return {true, {}, {}, {}, {}};
        }
        Result read() override
        {
            if (!have)
                return {false, {}, {}, Doing::Opening, {Failure::NoSave}};
            system::SavedLine line = system::decodeSave(bytes);
            return {line.ok(), std::move(line.label), {}, Doing::Reading, {line.refusal}};
        }
    } saves;
    Game game(story::theStory(), screen, pictures, dice, saves);
    Player player(7u, false);
    Tally t("engine");
    std::string lastLoaded;
    const auto began = std::chrono::steady_clock::now();

    for (t.presses = 1; t.presses <= presses; ++t.presses) {
        GameState &state = game.state();
        const GameState before = state;
        const Act act = player.next(state.sceneLabel);
        std::string broken;
        if (act <= Act::Start && player.percentMille() < 10) {
            broken = std::string(player.anyPicture());
            pictures.broken.insert(broken);
            ++t.faultsInjected;
        }

        StepResult result;
        switch (act) {
        case Act::Choice1:
        case Act::Choice2:
        case Act::Choice3:
        case Act::Progress:
            result = game.press(B(int(act)));
            break;
        case Act::Start:
            result = game.start();
            break;
        case Act::LoadLabel: {
            // A save of any label, then a load: the label must come back as it went.
            const std::string saved = player.anyLabel(t.visited);
            const std::string shown = std::exchange(state.prevLabel, saved);
            if (saved.empty()) {
                // Before any scene nothing is saved, and the save that was there stays.
                const std::string kept = saves.bytes;
                if (!game.save().failed() || saves.bytes != kept)
                    t.violation(t.presses, "a save before any scene replaced the old one");
                state.prevLabel = shown;
                break;
            }
            if (game.save().failed() || game.load().failed())
                t.violation(t.presses, "a save and load in memory failed");
            state.prevLabel = shown;
            if (state.sceneLabel != saved)
                t.violation(t.presses, "\"" + saved + "\" came back from its save as \"" + state.sceneLabel + "\"");
            lastLoaded = state.sceneLabel;
            ++t.loads;
            break;
        }
        case Act::LoadJunk:
            saves.bytes = player.junk();
            saves.have = true;
            result = game.load();
            lastLoaded = state.sceneLabel;
            ++t.loads;
            break;
        default:
            break;
        }

        if (result.kind == StepResult::Kind::Performed && act < Act::Start)
            t.visit(before.sceneLabel);
        if (result.kind == StepResult::Kind::Missed && act <= Act::Start
            && (!screen.ops.empty() || !sameState(state, before)))
            t.violation(t.presses, "a press that found no row changed something");
        if (result.kind == StepResult::Kind::LoadFailed) {
            // Only junk is refused, and a refused load changes nothing.
            if (act != Act::LoadJunk || system::decodeSave(saves.bytes).ok())
                t.violation(t.presses, "a load failed that was a save");
            if (!screen.ops.empty() || !sameState(state, before))
                t.violation(t.presses, "a refused load still changed the screen or the state");
        } else if (result.failed()) {
            if (broken.empty() || result.file != broken)
                t.violation(t.presses, "a picture failed that was not broken: " + result.file);
            if (!screen.ops.empty() || !sameState(state, before))
                t.violation(t.presses, "a failed picture load still changed the screen or the state");
        } else if (!broken.empty()) {
            for (const std::string &shown : screen.ops)
                if (shown == "bg:" + broken || shown == "ch:" + broken)
                    t.violation(t.presses, "the broken picture " + broken + " was shown");
        }

        checkState(t, state, lastLoaded);
        for (const std::string &op : screen.ops) {
            if (op.rfind("text:", 0) == 0) {
                if (const std::string fault = textBlockFault(std::string_view(op).substr(5)); !fault.empty())
                    t.violation(t.presses, "text at \"" + before.sceneLabel + "\": " + fault);
            } else if (op.rfind("bg:", 0) == 0) {
                if (!facts().backgrounds.count(std::string_view(op).substr(3)))
                    t.violation(t.presses, "background " + op.substr(3));
            } else if (!facts().characters.count(std::string_view(op).substr(3))) {
                t.violation(t.presses, "character picture " + op.substr(3));
            }
        }
        for (const std::string &file : pictures.loads)
            if (!facts().picture(file))
                t.violation(t.presses, "asked for the picture \"" + file + "\"");
        screen.ops.clear();
        pictures.loads.clear();
        pictures.broken.clear();
    }
    --t.presses;

    t.report(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    EXPECT_EQ(t.presses, presses);
    EXPECT_GE(t.presses * soakDivisor(false), fullEnginePresses);
    EXPECT_EQ(t.visitedCount(), label::all.size());
    EXPECT_EQ(t.violations, 0);
    EXPECT_GT(t.faultsInjected, 0);
}

TEST(Soak, tenThousandPressesThroughTheWindow)
{
    const long presses = fullWindowPresses / soakDivisor(true);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_EQ(test::copyGamePictures(QDir(QStringLiteral(BARMEN_ASSETS_DIR)), QDir(folder.path())), QString());
    const CurrentFolder inFolder(folder.path());

    QtPictureSource pictures;
    ClockDice dice(20240611u);
    system::SaveFile saves;
    Form1 window(story::theStory(), pictures, dice, saves);
    QStringList reports;
    window.setReporter([&](const QString &m) { reports << m; });
    window.show();
    auto button = [&](const char *name) { return window.findChild<QPushButton *>(QLatin1String(name)); };
    QPushButton *const buttons[] = {button("Command2"), button("Command3"), button("Command4"),
                                    button("Command6"), button("Command7"), button("Command8"),
                                    button("Command9")};
    for (QPushButton *b : buttons)
        ASSERT_TRUE(b);
    auto *text1 = window.findChild<QTextEdit *>(QStringLiteral("Text1"));
    auto *bg = window.findChild<QLabel *>(QStringLiteral("bg"));
    auto *ch = window.findChild<QLabel *>(QStringLiteral("ch"));
    ASSERT_TRUE(text1 && bg && ch);

    Player player(11u, true);
    Tally t("window");
    std::string lastLoaded;
    std::string saved;          // what save.sav holds, when it exists
    bool haveSave = false;
    QString lastText = text1->toPlainText();
    const QString save = QString::fromLatin1(system::saveFileName);
    auto readFile = [&] {
        QFile f(save);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    };
    const auto began = std::chrono::steady_clock::now();

    for (t.presses = 1; t.presses <= presses; ++t.presses) {
        GameState &state = window.state();
        const GameState before = state;
        const qint64 bgBefore = bg->pixmap().cacheKey();
        const qint64 chBefore = ch->pixmap().cacheKey();
        const Act act = player.next(state.sceneLabel);
        int reportsExpected = 0;   // failures, after which nothing may have changed
        int notesExpected = 0;     // notes on a load that went through

        switch (act) {
        case Act::Choice1:
        case Act::Choice2:
        case Act::Choice3:
        case Act::Progress:
        case Act::Start:
            buttons[int(act)]->click();
            break;
        case Act::Save:
            buttons[5]->click();
            // Before the first scene nothing is saved, and the old save stays.
            if (state.prevLabel.empty())
                reportsExpected = 1;
            else {
                saved = state.prevLabel;
                haveSave = true;
            }
            if (haveSave && readFile() != system::encodeSave(saved).value_or(std::string()))
                t.violation(t.presses, "save.sav does not hold \"" + saved + "\"");
            break;
        case Act::LoadLabel: {
            saved = player.anyLabel(t.visited);
            ASSERT_TRUE(system::writeSave(saved).ok);
            haveSave = true;
            [[fallthrough]];
        }
        case Act::Load:
            buttons[6]->click();
            if (!haveSave) {
                reportsExpected = 1;
            } else {
                if (state.sceneLabel != saved)
                    t.violation(t.presses, "loaded \"" + state.sceneLabel + "\" from a save of \"" + saved + "\"");
                // A label no button answers is told of.
                notesExpected = facts().known(saved) ? 0 : 1;
                lastLoaded = state.sceneLabel;
                ++t.loads;
            }
            break;
        case Act::LoadJunk: {
            std::string junk = player.junk();
            junk += 'x';   // an empty file is the missing save's case
            QFile f(save);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(junk.data(), qint64(junk.size()));
            f.close();
            buttons[6]->click();
            const system::SavedLine line = system::decodeSave(junk);
            haveSave = line.ok();
            if (!line.ok()) {
                // No save of this game: refused, and nothing changes, now and at the next load.
                reportsExpected = 1;
                break;
            }
            saved = line.label;
            if (state.sceneLabel != saved)
                t.violation(t.presses, "a load of junk gave \"" + state.sceneLabel + "\", not \"" + saved + "\"");
            notesExpected = facts().known(saved) ? 0 : 1;
            lastLoaded = state.sceneLabel;
            ++t.loads;
            break;
        }
        case Act::LoadMissing:
            QFile::remove(save);
            haveSave = false;
            buttons[6]->click();
            reportsExpected = 1;
            break;
        }

        // Every row shows at least one picture, and only a row shows one. A
        // picture the game asked for that is not in the folder is reported.
        if (act < Act::Start && (bg->pixmap().cacheKey() != bgBefore || ch->pixmap().cacheKey() != chBefore))
            t.visit(before.sceneLabel);
        if (reports.size() != reportsExpected + notesExpected)
            t.violation(t.presses, std::to_string(reports.size()) + " reports, " + std::to_string(reportsExpected + notesExpected)
                                       + " expected: " + reports.join(QLatin1Char('|')).toStdString());
        if (reportsExpected && (!sameState(state, before) || text1->toPlainText() != lastText
                                || bg->pixmap().cacheKey() != bgBefore || ch->pixmap().cacheKey() != chBefore))
            t.violation(t.presses, "a failed load changed the state or the screen");
        if (act == Act::Save && !sameState(state, before))
            t.violation(t.presses, "save changed the state");
        reports.clear();

        checkState(t, state, lastLoaded);
        const QString text = text1->toPlainText();
        if (text != lastText) {
            if (const std::string fault = textBoxFault(text); !fault.empty())
                t.violation(t.presses, "text at \"" + before.sceneLabel + "\": " + fault);
            lastText = text;
        }
        if (bg->pixmap().isNull() || ch->pixmap().isNull())
            t.violation(t.presses, "a picture control is empty");
    }
    --t.presses;

    t.report(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    EXPECT_EQ(t.presses, presses);
    EXPECT_GE(t.presses * soakDivisor(true), fullWindowPresses);
    EXPECT_EQ(t.visitedCount(), label::all.size());
    EXPECT_EQ(t.violations, 0);
}

// Message boxes by the ten thousand, through the window's own reporter (a
// QMessageBox over the window), each closed as soon as it shows, as a player
// pressing Enter does; the character pictures missing, so that the boxes
// name each of the 18 in turn. The testers saw 39.0 MB become 45.0 MB over
// 2,000 boxes, about 2 KB a box. Measured: the heap grows by about a megabyte
// over the first thousand boxes (Qt's caches of the glyphs and text layouts
// of sentences not shown before), then not at all; a box that kept anything
// of its own would go on growing. Printed: the heap in use along the way.
TEST(Soak, messageBoxesLevelOffOverTenThousand)
{
    const long boxes = fullWindowPresses / soakDivisor(true);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_EQ(test::copyGamePictures(QDir(QStringLiteral(BARMEN_ASSETS_DIR)), QDir(folder.path())), QString());
    for (std::string_view name : pic::characters)
        ASSERT_TRUE(QFile::remove(QDir(folder.path()).filePath(test::qtString(name))));
    const CurrentFolder inFolder(folder.path());

    QtPictureSource pictures;
    ClockDice dice(20240611u);
    system::SaveFile saves;
    Form1 window(story::theStory(), pictures, dice, saves);
    window.show();
    long shown = 0;
    auto heapKb = [] { return long(mallinfo2().uordblks / 1024); };
    long settled = 0;
    for (long i = 1; i <= boxes; ++i) {
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                shown += box->inherits("QMessageBox");
                box->close();
            }
        });
        window.state().sceneLabel = std::string(label::all[std::size_t(i) % label::all.size()]);
        window.run(layout::Command::Progress);
        QCoreApplication::processEvents();
        if (i == boxes / 5) {
            malloc_trim(0);
            settled = heapKb();
        }
        if (i % (boxes / 5) == 0)
            std::printf("  after %ld message boxes: %ld KB of heap in use\n", i, heapKb());
    }
    malloc_trim(0);
    const long grown = heapKb() - settled;
    std::printf("  from box %ld to box %ld: %ld KB more, %.0f bytes a box\n", boxes / 5, boxes, grown,
                double(grown) * 1024 / double(boxes - boxes / 5));
    // Most presses fail on a missing character picture; presses at labels
    // without a progress row do nothing.
    EXPECT_GT(shown, boxes / 2);
    // Less than 64 bytes a box once the caches hold the sentences' glyphs:
    // the 2 KB a box the testers saw would be 15 MB here.
    EXPECT_LT(grown * 1024, 64 * (boxes - boxes / 5));
}

} // namespace
} // namespace barmen
