#include "tools/story/lint.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QString>

#include "story/labels.h"
#include "tools/story/tables.h"

namespace barmen::storytool {

namespace {

std::string quoted(std::string_view s)
{
    return "\"" + std::string(s) + "\"";
}

void add(std::vector<Fault> &faults, std::string_view button, std::string_view label, std::string problem)
{
    faults.push_back({std::string(button), std::string(label), std::move(problem)});
}

bool isEnd(std::string_view label)
{
    return label == label::Ending36 || label == label::GameOver;
}

// Every label some table tests, in the order the tables list them (progress
// first), so reports follow the story.
std::vector<std::string_view> testedInOrder(const Story &story)
{
    std::vector<std::string_view> order;
    std::set<std::string_view> seen;
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            if (seen.insert(row.label).second)
                order.push_back(row.label);
    return order;
}

// The button to name for a fault of a whole label: progress when it tests
// the label, which it does for every label of a sound story.
std::string_view ownerOf(const Story &story, std::string_view label)
{
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            if (row.label == label)
                return button.name;
    return "progress";
}

// A label stored by a row, or by the start button, that no table tests leaves
// every button dead.
void checkStoredLabels(const Story &story, const std::set<std::string_view> &tested,
                       std::vector<Fault> &faults)
{
    if (!tested.count(label::Start))
        add(faults, "start", label::Start, "the start button stores it, but no table tests it");
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            if (!row.next.empty() && !tested.count(row.next))
                add(faults, button.name, row.label, "stores " + quoted(row.next) + ", which no table tests");
}

// The lookup takes the first matching row, so a second row for the same label
// (and, in the duel, the same roll) is never played.
void checkDuplicates(const Story &story, std::vector<Fault> &faults)
{
    for (const Button &button : buttonsOf(story)) {
        std::map<std::string_view, std::vector<std::int16_t>> rollsSeen;
        for (const SceneRow &row : button.table->rows()) {
            std::vector<std::int16_t> &seen = rollsSeen[row.label];
            const bool clash = std::any_of(seen.begin(), seen.end(), [&](std::int16_t roll) {
                return roll == 0 || row.roll == 0 || roll == row.roll;
            });
            if (clash) {
                add(faults, button.name, row.label,
                    row.roll == 0 ? "tested twice; only the first row is ever played"
                                  : "tested twice for roll " + std::to_string(row.roll)
                                        + "; only the first row is ever played");
            }
            seen.push_back(row.roll);
        }
    }
}

// Labels where every row keeps the label: the player can press forever and
// nothing moves on. Only the two ends are meant to be like that.
std::set<std::string_view> checkDeadEnds(const Story &story, const Edges &edges,
                                         const std::vector<std::string_view> &order,
                                         std::vector<Fault> &faults)
{
    std::set<std::string_view> stuck;
    for (std::string_view label : order) {
        if (isEnd(label) || edges.at(label) != std::set<std::string_view>{label})
            continue;
        stuck.insert(label);
        add(faults, ownerOf(story, label), label, "leads nowhere: no row here stores another label");
    }
    return stuck;
}

// A cut in the story hides everything behind it, so each unreachable stretch
// is reported once, at its first label, with the count of labels behind it.
void checkReachable(const Story &story, const Edges &edges, const std::set<std::string_view> &tested,
                    const std::vector<std::string_view> &order, std::vector<Fault> &faults)
{
    const std::set<std::string_view> fromStart = reachableFrom(edges, label::Start);
    std::set<std::string_view> reported;
    for (std::string_view label : order) {
        if (fromStart.count(label) || reported.count(label))
            continue;
        std::size_t behind = 0;
        for (std::string_view other : reachableFrom(edges, label))
            if (other != label && tested.count(other) && !fromStart.count(other) && reported.insert(other).second)
                ++behind;
        std::string problem = "cannot be reached from " + quoted(label::Start);
        if (behind > 0)
            problem += " (nor can the " + std::to_string(behind) + " labels it leads to)";
        add(faults, ownerOf(story, label), label, std::move(problem));
    }
}

// From every label the player must be able to finish the story one way or the
// other. Labels that only get stuck at a dead end or an untested label are left
// out: that fault is reported where it lies.
void checkEndsReachable(const Story &story, const Edges &edges, const std::set<std::string_view> &tested,
                        const std::set<std::string_view> &stuck, const std::vector<std::string_view> &order,
                        std::vector<Fault> &faults)
{
    for (std::string_view label : order) {
        if (isEnd(label) || stuck.count(label))
            continue;
        const std::set<std::string_view> reach = reachableFrom(edges, label);
        const bool ends = reach.count(label::Ending36) || reach.count(label::GameOver);
        const bool explained = std::any_of(reach.begin(), reach.end(), [&](std::string_view to) {
            return stuck.count(to) || !tested.count(to);
        });
        if (!ends && !explained) {
            add(faults, ownerOf(story, label), label,
                "neither " + quoted(label::Ending36) + " nor " + quoted(label::GameOver)
                    + " can be reached from here");
        }
    }
}

// A row that waits keeps its label by storing none; storing it is meant only
// for the duel's ties, where choice N meets the golem's move N.
void checkSelfStores(const Story &story, std::vector<Fault> &faults)
{
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows()) {
            const bool tie = button.choice != 0 && row.roll == button.choice;
            if (row.next == row.label && !tie)
                add(faults, button.name, row.label, "stores its own label; only a tied duel round does that");
        }
}

// "2. 왼쪽으로 꺾는다." is the line for choice 2; any other line is not a menu line.
std::optional<int> choiceNumber(std::string_view line)
{
    const std::size_t dot = line.find(". ");
    if (dot == 0 || dot == std::string_view::npos || dot > 2)
        return std::nullopt;
    int n = 0;
    for (char c : line.substr(0, dot)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool answersAt(const Button &button, std::string_view label)
{
    const auto rows = button.table->rows();
    return std::any_of(rows.begin(), rows.end(), [&](const SceneRow &row) { return row.label == label; });
}

// The choice buttons react to the label alone, so a choice row anywhere but at
// a menu fires behind the player's back.
void checkChoicesAtMenus(const Story &story, std::vector<Fault> &faults)
{
    for (const Button &button : buttonsOf(story)) {
        if (button.choice == 0)
            continue;
        std::set<std::string_view> reported;
        for (const SceneRow &row : button.table->rows()) {
            const SceneRow *progress = progressRowAt(story, row.label);
            if ((progress && isMenuRow(*progress)) || !reported.insert(row.label).second)
                continue;
            add(faults, button.name, row.label,
                progress ? "answers at a label that is not a menu (its progress row moves on or writes no text)"
                         : "answers at a label that is not a menu (the progress button has no row here)");
        }
    }
}

// What the menu shows and what the buttons do must be the same choices.
void checkMenu(const Story &story, const SceneRow &menu, std::vector<Fault> &faults)
{
    std::map<int, std::string_view> offered;
    const std::size_t count = std::min<std::size_t>(menu.text.count, maxLines);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = menu.text[i];
        const std::optional<int> n = choiceNumber(line);
        if (!n)
            continue;
        if (*n < 1 || *n > 3)
            add(faults, "progress", menu.label, "menu line " + quoted(line) + " has no choice button");
        else if (!offered.emplace(*n, line).second)
            add(faults, "progress", menu.label, "menu shows choice " + std::to_string(*n) + " twice");
    }
    for (const Button &button : buttonsOf(story)) {
        if (button.choice == 0)
            continue;
        const auto line = offered.find(button.choice);
        const bool answers = answersAt(button, menu.label);
        if (line != offered.end() && !answers)
            add(faults, button.name, menu.label,
                "the menu offers " + quoted(line->second) + ", but " + std::string(button.name) + " has no row here");
        if (line == offered.end() && answers)
            add(faults, button.name, menu.label,
                "has a row here, but the menu shows no line \"" + std::to_string(button.choice) + ". \"");
    }
}

// A choice row answers one roll of the golem; the progress row at that label
// must draw it, and every answering button must have a row for each move.
void checkDuel(const Story &story, std::vector<Fault> &faults)
{
    for (const Button &button : buttonsOf(story)) {
        std::set<std::string_view> undrawn;   // one line for all of a button's answers at a label
        for (const SceneRow &row : button.table->rows()) {
            if (row.roll == 0)
                continue;
            const SceneRow *progress = progressRowAt(story, row.label);
            if (row.roll < 1 || row.roll > 3)
                add(faults, button.name, row.label,
                    "tests roll " + std::to_string(row.roll) + ", which the golem never draws");
            else if ((!progress || !progress->draw) && undrawn.insert(row.label).second)
                add(faults, button.name, row.label, "answers the golem's moves, but the progress row here draws none");
        }
    }

    for (const SceneRow &menu : story.table(ActionButton::Progress).rows()) {
        if (!menu.draw || progressRowAt(story, menu.label) != &menu)
            continue;
        for (const Button &button : buttonsOf(story)) {
            if (button.choice == 0 || !answersAt(button, menu.label))
                continue;
            for (std::int16_t roll = 1; roll <= 3; ++roll)
                if (!button.table->find(menu.label, roll))
                    add(faults, button.name, menu.label,
                        "has no row for roll " + std::to_string(roll)
                            + ": the button does nothing when the golem draws it");
        }
    }
}

// Text1 shows six rows; a stray empty line at either end or a line break
// inside a line shows as a blank row the author did not write.
void checkTextBlock(std::string_view button, std::string_view label, const Lines &text,
                    std::vector<Fault> &faults)
{
    if (text.empty())
        return;
    if (text.count > maxLines) {
        add(faults, button, label,
            "text has " + std::to_string(text.count) + " lines; Text1 shows " + std::to_string(maxLines));
        return;
    }
    if (text[0].empty())
        add(faults, button, label, "text starts with an empty line");
    if (text.count > 1 && text[text.count - 1].empty())
        add(faults, button, label, "text ends with an empty line");
    for (std::size_t i = 0; i < text.count; ++i)
        if (text[i].find_first_of("\r\n") != std::string_view::npos)
            add(faults, button, label,
                "text line " + std::to_string(i + 1) + " holds a line break; write it as two lines");
}

} // namespace

std::vector<Fault> lintTables(const Story &story)
{
    std::vector<Fault> faults;
    const std::vector<std::string_view> order = testedInOrder(story);
    const std::set<std::string_view> tested(order.begin(), order.end());
    const Edges edges = edgesOf(story);

    checkStoredLabels(story, tested, faults);
    checkDuplicates(story, faults);
    const std::set<std::string_view> stuck = checkDeadEnds(story, edges, order, faults);
    checkReachable(story, edges, tested, order, faults);
    checkEndsReachable(story, edges, tested, stuck, order, faults);
    checkSelfStores(story, faults);
    checkChoicesAtMenus(story, faults);
    for (const SceneRow &row : story.table(ActionButton::Progress).rows())
        if (isMenuRow(row) && progressRowAt(story, row.label) == &row)
            checkMenu(story, row, faults);
    checkDuel(story, faults);
    checkTextBlock("start", story.title.label, story.title.text, faults);
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            checkTextBlock(button.name, row.label, row.text, faults);
    const std::vector<Fault> speech = lintRepeatedSpeech(story);
    faults.insert(faults.end(), speech.begin(), speech.end());
    const std::vector<Fault> echoes = lintEchoes(story);
    faults.insert(faults.end(), echoes.begin(), echoes.end());
    return faults;
}

// A spoken line the reader has already heard reads as a slip, not an echo.
// Rows that show the very same text block (the maze's shared scenes) are one
// scene and count once; a line of dots is a pause, not something said twice.
std::vector<Fault> lintRepeatedSpeech(const Story &story)
{
    // Hangul syllables (U+AC00 to U+D7A3) start with the bytes 0xEA to 0xED.
    const auto hasWords = [](std::string_view line) {
        return std::any_of(line.begin(), line.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            const auto lower = static_cast<unsigned char>(byte | 0x20);
            return (byte >= 0xEA && byte <= 0xED) || (byte >= '0' && byte <= '9') || (lower >= 'a' && lower <= 'z');
        });
    };
    struct Said {
        std::string_view line, button, label;
    };
    std::vector<Said> said;
    std::vector<const Lines *> blocks;
    std::vector<Fault> faults;
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows()) {
            // A block too long to read is reported as such; its lines are not to be trusted.
            if (row.text.count > maxLines)
                continue;
            if (std::any_of(blocks.begin(), blocks.end(), [&](const Lines *block) { return *block == row.text; }))
                continue;
            blocks.push_back(&row.text);
            for (std::string_view line : row.text) {
                if (!line.starts_with('\'') || !hasWords(line))
                    continue;
                const auto first = std::find_if(said.begin(), said.end(), [&](const Said &s) { return s.line == line; });
                if (first == said.end())
                    said.push_back({line, button.name, row.label});
                else
                    add(faults, button.name, row.label,
                        "says " + std::string(line) + " again, as " + std::string(first->button) + " at "
                            + quoted(first->label) + " already does");
            }
        }
    return faults;
}

namespace {

// A row the player reads as part of the story: it has text, and it is neither
// a progress menu (its lines are the menu's numbers) nor a round of the duel,
// whose answers keep one two-line pattern on purpose. A block too long to read
// is reported as such; its lines are not to be trusted.
bool isReadRow(std::string_view button, const SceneRow &row)
{
    return !row.text.empty() && row.text.count <= maxLines && row.roll == 0 && !row.draw
           && (button != "progress" || !isMenuRow(row));
}

struct Shown {
    std::string_view button;
    const SceneRow *row;
};

// The rows a player can read right after this one: the progress row at its
// next label, or, where that label is a menu, every choice that answers it. A
// choice's side talk keeps the menu, so the other choices follow it.
std::vector<Shown> readAfter(const Story &story, std::string_view button, const SceneRow &row)
{
    std::string_view at = row.next;
    if (at.empty() && button != "progress" && isMenuRow(row))
        at = row.label;
    std::vector<Shown> after;
    if (at.empty())
        return after;
    const SceneRow *progress = progressRowAt(story, at);
    if (progress && !isMenuRow(*progress)) {
        if (isReadRow("progress", *progress))
            after.push_back({"progress", progress});
        return after;
    }
    for (const Button &choice : buttonsOf(story)) {
        if (choice.choice == 0)
            continue;
        for (const SceneRow &answer : choice.table->rows())
            if (answer.label == at && &answer != &row && isReadRow(choice.name, answer))
                after.push_back({choice.name, &answer});
    }
    return after;
}

// The words of a block that can echo: runs of Hangul syllables with one
// particle taken off the end ("제자리를", "제자리만" and "제자리야" are one
// word), at least two syllables long.
std::set<QString> echoWordsOf(const Lines &text)
{
    static const QString particles[] = {
        QStringLiteral("이야말로"), QStringLiteral("야말로"),
        QStringLiteral("이라고"), QStringLiteral("이랑"), QStringLiteral("라고"), QStringLiteral("에서"),
        QStringLiteral("에게"), QStringLiteral("한테"), QStringLiteral("까지"), QStringLiteral("부터"),
        QStringLiteral("조차"), QStringLiteral("마저"), QStringLiteral("밖에"), QStringLiteral("처럼"),
        QStringLiteral("으로"), QStringLiteral("로"), QStringLiteral("을"), QStringLiteral("를"),
        QStringLiteral("이"), QStringLiteral("가"), QStringLiteral("은"), QStringLiteral("는"),
        QStringLiteral("도"), QStringLiteral("만"), QStringLiteral("에"), QStringLiteral("의"),
        QStringLiteral("와"), QStringLiteral("과"), QStringLiteral("랑"), QStringLiteral("야"),
        QStringLiteral("요"),
    };
    // Her name, the golem and the barrier are what the story is about, and
    // 우리 stands for the two of them: they come back on every other row by
    // right. 그녀 does not: a narrator who says it row after row instead of
    // leaving the subject out reads as a translation.
    static const std::set<QString> cast = {
        QStringLiteral("메어드"), QStringLiteral("골렘"), QStringLiteral("결계"), QStringLiteral("우리"),
    };
    const auto isSyllable = [](QChar c) { return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3; };
    std::set<QString> words;
    const auto keep = [&](QString word) {
        for (const QString &particle : particles)
            if (word.size() > particle.size() && word.endsWith(particle)) {
                word.chop(particle.size());
                break;
            }
        if (word.size() >= 2 && !cast.count(word))
            words.insert(word);
    };
    for (std::string_view line : text) {
        const QString shown = QString::fromUtf8(line.data(), qsizetype(line.size()));
        QString word;
        for (QChar c : shown) {
            if (isSyllable(c)) {
                word += c;
            } else if (!word.isEmpty()) {
                keep(word);
                word.clear();
            }
        }
        if (!word.isEmpty())
            keep(word);
    }
    return words;
}

} // namespace

// A word in one row may come back in the next; when it comes a third time
// running, the reader hears the writing repeat itself ("제자리" at 분기 2, 왼쪽
// 2-1 and 왼쪽 2-2). Reported once per word at the third row, on every way the
// player can read the three in a row.
std::vector<Fault> lintEchoes(const Story &story)
{
    std::map<const SceneRow *, std::set<QString>> wordsOf;
    const auto words = [&](const SceneRow *row) -> const std::set<QString> & {
        auto it = wordsOf.find(row);
        if (it == wordsOf.end())
            it = wordsOf.emplace(row, echoWordsOf(row->text)).first;
        return it->second;
    };
    std::vector<Fault> faults;
    std::set<std::pair<const SceneRow *, QString>> reported;
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &first : button.table->rows()) {
            if (!isReadRow(button.name, first))
                continue;
            for (const Shown &second : readAfter(story, button.name, first))
                for (const Shown &third : readAfter(story, second.button, *second.row)) {
                    if (third.row == &first)
                        continue;
                    for (const QString &word : words(&first)) {
                        if (!words(second.row).count(word) || !words(third.row).count(word)
                            || !reported.insert({third.row, word}).second)
                            continue;
                        add(faults, third.button, third.row->label,
                            "has \"" + word.toStdString() + "\" for the third row running, after "
                                + std::string(button.name) + " at " + quoted(first.label) + " and "
                                + std::string(second.button) + " at " + quoted(second.row->label));
                    }
                }
        }
    return faults;
}

} // namespace barmen::storytool
