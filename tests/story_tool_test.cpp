#include <algorithm>
#include <functional>
#include <sstream>
#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "app/qt/qtstring.h"
#include "app/qt/storybox.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/savefile.h"
#include "tools/story/export.h"
#include "tools/story/graph.h"
#include "tools/story/lint.h"
#include "tools/story/play.h"
#include "tools/story/tables.h"

namespace barmen {
namespace {

using namespace storytool;
namespace L = label;
using story::theStory;

const QString assetsDir = QStringLiteral(BARMEN_ASSETS_DIR);

std::string allLines(const std::vector<Fault> &faults)
{
    std::string text;
    for (const Fault &fault : faults)
        text += fault.line() + "\n";
    return text;
}

// --- Planting faults in a copy of the tables --------------------------------

using Rows = std::vector<SceneRow>;

void edit(SceneTable &table, const std::function<void(Rows &)> &change)
{
    Rows rows(table.rows().begin(), table.rows().end());
    change(rows);
    table = SceneTable{std::span<const SceneRow>(rows)};
}

Rows::iterator findRow(Rows &rows, std::string_view label, int roll = 0)
{
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const SceneRow &row) { return row.label == label && row.roll == roll; });
    if (it == rows.end())
        throw std::logic_error("no row at " + std::string(label));
    return it;
}

SceneRow &rowAt(Rows &rows, std::string_view label, int roll = 0)
{
    return *findRow(rows, label, roll);
}

// One planted fault and the line lint must give for it.
struct Plant {
    const char *name;
    std::function<void(Story &)> plant;
    const char *button;
    std::string_view label;
    const char *says;                               // a piece of the problem text
    std::function<void(const QString &)> spoil = {};   // a fault in a copy of the picture folder instead
};

void PrintTo(const Plant &p, std::ostream *out) { *out << p.name; }

const Lines wideLine{"나는 메어드가 가리킨 쪽으로 한 걸음 한 걸음 조심스럽게 발을 옮기며 "
                     "주위를 살피고 또 살피면서 숲 속 깊은 곳까지 천천히 걸어 들어갔다."};

const Plant plants[] = {
    {"nextThatNoTableTests",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start2).next = "시작 3 "; }); },
     "progress", L::Start2, "stores \"시작 3 \", which no table tests"},
    {"startThatNoTableTests",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { r.erase(findRow(r, L::Start)); }); },
     "start", L::Start, "no table tests it"},
    {"labelTestedTwice",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { r.push_back(rowAt(r, L::Start5)); }); },
     "progress", L::Start5, "tested twice"},
    {"duelRollTestedTwice",
     [](Story &s) { edit(s.table(ActionButton::Choice1), [](Rows &r) { r.push_back(rowAt(r, L::Golem8, 2)); }); },
     "choice1", L::Golem8, "tested twice for roll 2"},
    {"labelCutOffFromTheStart",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start7).next = L::Start9; }); },
     "progress", L::Start8, "cannot be reached from \"시작\""},
    {"loopWithoutAnEnd",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::End).next = L::Ahead1_1; }); },
     "progress", L::Ahead1_2, "neither \"엔딩 36\" nor \"게임오버\" can be reached"},
    {"labelThatLeadsNowhere",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start5).next = {}; }); },
     "progress", L::Start5, "leads nowhere"},
    {"rowStoringItsOwnLabel",
     [](Story &s) { edit(s.table(ActionButton::Choice2), [](Rows &r) { rowAt(r, L::Observe2).next = L::Observe2; }); },
     "choice2", L::Observe2, "stores its own label"},
    {"duelWinStoringItsOwnLabel",
     [](Story &s) { edit(s.table(ActionButton::Choice1), [](Rows &r) { rowAt(r, L::Golem8, 2).next = L::Golem8; }); },
     "choice1", L::Golem8, "stores its own label"},
    {"choiceAtALabelThatIsNoMenu",
     [](Story &s) {
         edit(s.table(ActionButton::Choice3), [](Rows &r) { r.push_back(scene(L::Start5, pic::Forest, pic::Meared, {"…"}, L::Start6)); });
     },
     "choice3", L::Start5, "not a menu"},
    {"choiceRowWithoutItsMenuLine",
     [](Story &s) {
         edit(s.table(ActionButton::Choice3), [](Rows &r) { r.push_back(scene(L::Observe2, pic::Forest, pic::Meared, {"…"}, L::Observe3)); });
     },
     "choice3", L::Observe2, "the menu shows no line \"3. \""},
    {"menuLineWithoutItsChoiceRow",
     [](Story &s) { edit(s.table(ActionButton::Choice3), [](Rows &r) { r.erase(findRow(r, L::Act1)); }); },
     "choice3", L::Act1, "the menu offers \"3. 메어드에게 맡긴다.\", but choice3 has no row here"},
    {"menuLineWithoutAButton",
     [](Story &s) {
         edit(s.table(ActionButton::Progress), [](Rows &r) {
             Lines &text = rowAt(r, L::Branch1).text;
             text.line[text.count++] = "4. 뒤로 돌아간다.";
         });
     },
     "progress", L::Branch1, "menu line \"4. 뒤로 돌아간다.\" has no choice button"},
    {"duelMoveWithoutAnAnswer",
     [](Story &s) { edit(s.table(ActionButton::Choice2), [](Rows &r) { r.erase(findRow(r, L::Golem8, 3)); }); },
     "choice2", L::Golem8, "no row for roll 3"},
    {"duelAnswerWithoutADraw",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Golem8).draw = false; }); },
     "choice1", L::Golem8, "answers the golem's moves, but the progress row here draws none"},
    {"duelAnswerToAMoveNeverDrawn",
     [](Story &s) { edit(s.table(ActionButton::Choice3), [](Rows &r) { rowAt(r, L::Golem8, 3).roll = 4; }); },
     "choice3", L::Golem8, "tests roll 4, which the golem never draws"},
    {"textOfSevenLines",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Showdown3).text.count = 7; }); },
     "progress", L::Showdown3, "text has 7 lines"},
    {"textStartingEmpty",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start2).text = {"", "'여긴... 어디지?'"}; }); },
     "progress", L::Start2, "starts with an empty line"},
    {"textEndingEmpty",
     [](Story &s) { edit(s.table(ActionButton::Choice2), [](Rows &r) { rowAt(r, L::Observe2).text = {"'음...'", ""}; }); },
     "choice2", L::Observe2, "ends with an empty line"},
    {"lineHoldingACarriageReturn",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Ending5).text = {"하나\r둘"}; }); },
     "progress", L::Ending5, "text line 1 holds a line break"},
    {"lineHoldingALineFeed",
     [](Story &s) { edit(s.table(ActionButton::Choice1), [](Rows &r) { rowAt(r, L::Act1).text = {"하나", "둘\n셋"}; }); },
     "choice1", L::Act1, "text line 2 holds a line break"},
    {"lineTooWideForTheTextBox",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start3).text = wideLine; }); },
     "progress", L::Start3, "text line 1 is"},
    {"pictureThatIsNoFile",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start2).bg = "배경9.jpg"; }); },
     "progress", L::Start2, "bg \"배경9.jpg\" is not a file in"},
    {"gifShownAsBackground",
     [](Story &s) { edit(s.table(ActionButton::Choice1), [](Rows &r) { rowAt(r, L::Golem8, 1).bg = pic::Meared; }); },
     "choice1", L::Golem8, "bg \"메어드.gif\" is not a JPEG file"},
    {"jpegShownAsCharacter",
     [](Story &s) { edit(s.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Magic4).ch = pic::Clearing; }); },
     "progress", L::Magic4, "ch \"배경2.jpg\" is not a GIF file"},
    {"pictureCutOff",
     [](Story &) {},
     "progress", L::Ending36, "bg \"끝.jpg\" does not decode",
     [](const QString &dir) {
         QFile file(QDir(dir).filePath(qtString(pic::TheEnd)));
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         ASSERT_TRUE(file.resize(file.size() / 2));
     }},
    {"startPictureMissing",
     [](Story &) {},
     "start", L::Start, "ch \"시작.gif\" is not a file in",
     [](const QString &dir) {
         ASSERT_TRUE(QFile::remove(QDir(dir).filePath(qtString(pic::Title))));
     }},
};

class LintPlanted : public ::testing::TestWithParam<Plant> {};

// Each planted fault shows as a line naming its button and label.
TEST_P(LintPlanted, namesTheButtonAndTheLabel)
{
    const Plant &p = GetParam();
    Story story = theStory();
    p.plant(story);

    QString folder = assetsDir;
    QTemporaryDir copy;
    if (p.spoil) {
        ASSERT_TRUE(copy.isValid());
        for (const QString &name : QDir(assetsDir).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(QDir(assetsDir).filePath(name), copy.filePath(name)));
        p.spoil(copy.path());
        folder = copy.path();
    }

    const std::vector<Fault> faults = lint(story, folder.toStdString());
    const std::string prefix = std::string(p.button) + " at \"" + std::string(p.label) + "\": ";
    const bool found = std::any_of(faults.begin(), faults.end(), [&](const Fault &fault) {
        const std::string line = fault.line();
        return line.rfind(prefix, 0) == 0 && line.find(p.says) != std::string::npos;
    });
    EXPECT_TRUE(found) << "wanted: " << prefix << "..." << p.says << "\ngot:\n" << allLines(faults);
}

INSTANTIATE_TEST_SUITE_P(StoryTool, LintPlanted, ::testing::ValuesIn(plants),
                         [](const ::testing::TestParamInfo<Plant> &info) { return std::string(info.param.name); });

TEST(StoryToolLint, passesTheRealStoryWithItsPictures)
{
    const std::vector<Fault> faults = lint(theStory(), assetsDir.toStdString());
    EXPECT_TRUE(faults.empty()) << allLines(faults);
}

// A cut in the story is one fault, not one per label behind it.
TEST(StoryToolLint, reportsAnUnreachableStretchOnce)
{
    Story story = theStory();
    edit(story.table(ActionButton::Choice1), [](Rows &r) { rowAt(r, L::Showdown40).next = L::Ending; });
    const std::vector<Fault> faults = lintTables(story);
    ASSERT_EQ(faults.size(), 1u) << allLines(faults);
    EXPECT_EQ(faults[0].line(), "progress at \"골렘 1\": cannot be reached from \"시작\" (nor can the 7 labels it leads to)");
}

TEST(StoryToolLint, measuresWithTheGamesFontAndIgnoresTrailingSpaces)
{
    const StoryBoxMeasure ruler;
    EXPECT_EQ(ruler.family(), QStringLiteral("NanumGothic"));
    const std::string_view line = "메어드가 가리킨 곳에 볼품없는 검 한 자루가 꽂혀 있었다.";
    EXPECT_GT(ruler.fit(line).width, 300);
    EXPECT_FALSE(ruler.fit(line).wraps);
    EXPECT_FALSE(ruler.fit(std::string(line) + std::string(60, ' ')).wraps);
    EXPECT_EQ(ruler.fit(std::string(line) + std::string(60, ' ')).width, ruler.fit(line).width);
    EXPECT_TRUE(ruler.fit(wideLine[0]).wraps);
}

// Lint and the window agree on the last syllable that still fits on a row:
// the tool measures in the same story box the window shows.
TEST(StoryToolLint, wrapsExactlyWhereTheWindowsStoryBoxWraps)
{
    const StoryBoxMeasure ruler;
    StoryBox shown;
    shown.resize(StoryBox::geometry.size());
    shown.show();
    int fitting = 0;
    for (int n = 20; n < 80; ++n) {
        const QString line = QString(n, QChar(0xAC00));   // 가가가…
        shown.showText(line);
        shown.document()->documentLayout()->blockBoundingRect(shown.document()->firstBlock());
        const bool wrapsInWindow = shown.document()->firstBlock().layout()->lineCount() > 1;
        EXPECT_EQ(ruler.fit(line.toStdString()).wraps, wrapsInWindow) << n << " syllables";
        fitting += wrapsInWindow ? 0 : 1;
    }
    EXPECT_GT(fitting, 0);
    EXPECT_LT(fitting, 60);
    EXPECT_GT(ruler.usableWidth(), 570);
    EXPECT_LT(ruler.usableWidth(), 585);
}

// A box in made-up metrics, as a front end's measure hands it to lint: every
// byte of a line 4 px wide.
class FakeBox final : public layout::TextMeasure {
public:
    FakeBox(double width, int rows) : m_width(width), m_rows(rows) {}
    double usableWidth() const override { return m_width; }
    double rowHeight() const override { return 17; }
    int rowsShown() const override { return m_rows; }
    double lineWidth(std::string_view line) const override { return 4.0 * double(line.size()); }
    std::string fontName() const override { return "나눔고딕 15 px"; }

private:
    double m_width;
    int m_rows;
};

// Whatever front end measures it, lint says when the box shows fewer than six
// rows, and names each line that wraps at its button and label.
TEST(StoryToolLint, reportsABoxOfFiveRowsAndEachLineThatWraps)
{
    const double widest = layout::widestLine(theStory(), FakeBox(1000, 6));
    EXPECT_TRUE(lintStoryBox(theStory(), FakeBox(widest, 6)).empty()) << allLines(lintStoryBox(theStory(), FakeBox(widest, 6)));

    const std::vector<Fault> rows = lintStoryBox(theStory(), FakeBox(widest, 5));
    ASSERT_EQ(rows.size(), 1u) << allLines(rows);
    EXPECT_EQ(rows[0].line(), "Text1 shows 5 rows of 17 px in 나눔고딕 15 px; a block of 6 lines loses its last");

    Story story = theStory();
    edit(story.table(ActionButton::Progress), [](Rows &r) { rowAt(r, L::Start2).text = {wideLine[0]}; });
    const std::vector<Fault> wide = lintStoryBox(story, FakeBox(widest, 6));
    ASSERT_EQ(wide.size(), 1u) << allLines(wide);
    EXPECT_EQ(wide[0].line().rfind("progress at \"시작 2\": text line 1 is ", 0), 0u) << wide[0].line();
    EXPECT_NE(wide[0].line().find(" px wide and wraps in the " + std::to_string(int(widest)) + " px of Text1"),
              std::string::npos)
        << wide[0].line();
}

// --- Export ------------------------------------------------------------------

QJsonObject exported(const Story &story, std::string *raw = nullptr)
{
    std::ostringstream out;
    writeJson(story, out);
    if (raw)
        *raw = out.str();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QJsonValue stringOrNull(std::string_view text)
{
    return text.empty() ? QJsonValue() : QJsonValue(qtString(text));
}

TEST(StoryToolExport, holdsEveryRowOfEveryTableInTestOrder)
{
    std::string raw;
    const QJsonObject json = exported(theStory(), &raw);
    EXPECT_EQ(json.keys().size(), 4);
    EXPECT_LT(raw.find("\"progress\""), raw.find("\"choice1\""));
    EXPECT_LT(raw.find("\"choice1\""), raw.find("\"choice2\""));
    EXPECT_LT(raw.find("\"choice2\""), raw.find("\"choice3\""));
    EXPECT_NE(raw.find("\"label\": \"시작 2\""), std::string::npos) << "Hangul must stand as it is";
    EXPECT_EQ(raw.find("\\u"), std::string::npos);

    for (const Button &button : buttonsOf(theStory())) {
        const QJsonArray rows = json.value(qtString(button.name)).toArray();
        const auto table = button.table->rows();
        ASSERT_EQ(std::size_t(rows.size()), table.size()) << button.name;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const SceneRow &row = table[i];
            const QJsonObject got = rows[qsizetype(i)].toObject();
            const std::string where = std::string(button.name) + " row " + std::to_string(i);
            EXPECT_EQ(got.keys().size(), 8) << where;
            EXPECT_EQ(got["label"], stringOrNull(row.label)) << where;
            EXPECT_EQ(got["roll"], row.roll ? QJsonValue(row.roll) : QJsonValue()) << where;
            EXPECT_EQ(got["draw"], QJsonValue(row.draw)) << where;
            EXPECT_EQ(got["bg"], stringOrNull(row.bg)) << where;
            EXPECT_EQ(got["ch"], stringOrNull(row.ch)) << where;
            EXPECT_EQ(got["copy"], QJsonValue(row.copy)) << where;
            EXPECT_EQ(got["next"], stringOrNull(row.next)) << where;
            if (row.text.empty()) {
                EXPECT_TRUE(got["text"].isNull()) << where;
                continue;
            }
            const QJsonArray text = got["text"].toArray();
            ASSERT_EQ(std::size_t(text.size()), row.text.count) << where;
            for (std::size_t k = 0; k < row.text.count; ++k)
                EXPECT_EQ(text[qsizetype(k)], QJsonValue(qtString(row.text[k]))) << where;   // empty lines too
        }
    }
    // The duel's answers carry the move they answer; the round menu draws.
    EXPECT_EQ(json["choice3"].toArray().last().toObject()["roll"].toInt(), 3);
}

TEST(StoryToolExport, escapesQuotesBackslashesAndControlCharacters)
{
    const std::string_view odd = "그가 \"왜?\" 하고 C:\\숲\t에서\x01 물었다";
    const SceneRow row = scene("가", "나.jpg", "다.gif", {odd}, "라");
    Story story;
    story.table(ActionButton::Progress) = SceneTable{std::span<const SceneRow>(&row, 1)};
    const QJsonObject json = exported(story);
    const QJsonObject got = json["progress"].toArray().first().toObject();
    EXPECT_EQ(got["text"].toArray().first().toString().toStdString(), odd);
    EXPECT_EQ(jsonString("\"\\\n\x1f"), "\"\\\"\\\\\\n\\u001f\"");
}

// --- Graph -------------------------------------------------------------------

std::string dotOf(const Story &story)
{
    std::ostringstream out;
    writeDot(story, out);
    return out.str();
}

bool has(const std::string &text, const std::string &piece)
{
    return text.find(piece) != std::string::npos;
}

TEST(StoryToolGraph, drawsEveryLabelAndEveryWayOn)
{
    const std::string dot = dotOf(theStory());
    for (std::string_view label : L::all)
        EXPECT_TRUE(has(dot, "\n    \"" + std::string(label) + "\"")) << label;
    for (const Button &button : buttonsOf(theStory()))
        for (const SceneRow &row : button.table->rows())
            if (!row.next.empty()) {
                EXPECT_TRUE(has(dot, "\"" + std::string(row.label) + "\" -> \"" + std::string(row.next) + "\""))
                    << button.name << " at " << row.label;
            }
    EXPECT_TRUE(has(dot, "\"관찰 2\" -> \"관찰 3\" [label=\"1\""));
    EXPECT_TRUE(has(dot, "\"분기 4\" -> \"앞 4-1\" [label=\"1\""));
    EXPECT_TRUE(has(dot, "\"결전 40\" -> \"분기 4\" [label=\"2\""));
    EXPECT_TRUE(has(dot, "\"골렘 8\" -> \"골렘 8\" [label=\"tie\\n1 vs 1\\n2 vs 2\\n3 vs 3\""));
    EXPECT_TRUE(has(dot, "\"골렘 8\" -> \"엔딩\" [label=\"win\\n1 vs 2\\n2 vs 3\\n3 vs 1\""));
    EXPECT_TRUE(has(dot, "\"골렘 8\" -> \"끝\" [label=\"loss\\n1 vs 3\\n2 vs 1\\n3 vs 2\""));
    for (std::string_view menu : {L::Observe2, L::Act1, L::Branch1, L::Branch2, L::Branch3, L::Branch4,
                                  L::Showdown40, L::Golem8})
        EXPECT_TRUE(has(dot, "\"" + std::string(menu) + "\" [shape=hexagon")) << menu;
    EXPECT_TRUE(has(dot, "\"엔딩 36\" [shape=doubleoctagon"));
    EXPECT_TRUE(has(dot, "\"게임오버\" [shape=doubleoctagon"));
}

// --- Play --------------------------------------------------------------------

std::vector<PlayStep> playKeys(const std::vector<std::string> &words, std::uint32_t seed, const std::string &from = {})
{
    const std::optional<std::vector<Key>> keys = parseKeys(words);
    if (!keys)
        throw std::invalid_argument("bad keys");
    NamedPictures pictures;
    ClockDice dice(seed);
    system::SaveFile saves;   // save.sav in the current folder, as the tool has it
    return play(theStory(), pictures, dice, saves, from, *keys);
}

// The shortest way to the good ending, through the bushes, right, right,
// straight on and the charge; with seed 2 the golem first attacks (a tie with
// our attack) and then dodges (our attack wins).
TEST(StoryToolPlay, reproducesTheShortestRouteToTheGoodEnding)
{
    const std::vector<std::string> route = {
        "start", "p*28", "1",      // prologue, the first menu: look around
        "p*9", "2",                // the second menu: through the bushes
        "p*7", "3",                // 분기 1: right
        "p*8", "3",                // 분기 3: right
        "p*5", "1",                // 분기 4: straight on
        "p*47", "1",               // the showdown: charge
        "p*8", "1", "p", "1",      // the duel: attack, attack
        "p*38",                    // the ending and its closing card
    };
    const std::vector<PlayStep> steps = playKeys(route, 2);
    ASSERT_EQ(steps.size(), 160u);
    EXPECT_EQ(steps.front().label, L::Start);
    EXPECT_EQ(steps.front().ch, pic::Title);

    std::vector<std::string> labels;
    for (const PlayStep &step : steps) {
        EXPECT_FALSE(step.failed) << step.note;
        EXPECT_TRUE(step.note.empty()) << "step " << labels.size() + 1 << ": " << step.note;
        if (labels.empty() || labels.back() != step.label)
            labels.push_back(step.label);
    }
    // Every label changes once: 149 of them after "시작", as the graph promises.
    EXPECT_EQ(labels.size(), 150u);
    EXPECT_EQ(labels.back(), L::Ending36);

    // The duel: the round menu draws 1, attack ties; it draws 2, attack wins.
    EXPECT_EQ(steps[118].roll, std::optional<int>(1));
    EXPECT_EQ(steps[119].label, L::Golem8);
    EXPECT_EQ(steps[120].roll, std::optional<int>(2));
    EXPECT_EQ(steps[121].label, L::Ending);

    // The last press shows the closing card and keeps the label.
    EXPECT_EQ(steps.back().bg, pic::TheEnd);
    EXPECT_FALSE(steps.back().text.has_value());
    EXPECT_EQ(steps.back().label, L::Ending36);
}

TEST(StoryToolPlay, startsFromALabelAndSavesAndLoadsInTheCurrentFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const std::vector<PlayStep> steps = playKeys({"p", "save", "p*3", "load", "p", "2"}, 1, std::string(L::Start5));
    const bool saved = QFile::exists(QStringLiteral("save.sav"));
    QDir::setCurrent(before);

    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].label, L::Start6);
    EXPECT_TRUE(saved);
    EXPECT_EQ(steps[1].note, "saved \"시작 5\"");   // the scene on screen, not the label ahead
    EXPECT_TRUE(steps[1].bg.empty() && steps[1].ch.empty() && !steps[1].text);
    EXPECT_EQ(steps[4].label, L::Start9);
    EXPECT_EQ(steps[5].note, "loaded \"시작 5\"");
    EXPECT_EQ(steps[5].label, L::Start5);
    EXPECT_FALSE(steps[5].text) << "loading redraws nothing";
    EXPECT_EQ(steps[6].label, L::Start6);
    EXPECT_EQ(steps[7].note, "nothing happens") << "choice 2 does nothing outside a menu";
    EXPECT_EQ(steps[7].label, L::Start6);
}

TEST(StoryToolPlay, missingPicturesFailTheStepAsInTheGame)
{
    QTemporaryDir empty;
    NamedPictures pictures(empty.path());
    ClockDice dice(1);
    system::SaveFile saves(QDir(empty.path()).filePath(QStringLiteral("save.sav")).toStdString());
    const std::vector<PlayStep> steps = play(theStory(), pictures, dice, saves, std::string(L::Start), {Key::Progress});
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_TRUE(steps[0].failed);
    EXPECT_EQ(steps[0].label, L::Start);
    EXPECT_NE(steps[0].note.find("배경1.jpg"), std::string::npos) << steps[0].note;
}

TEST(StoryToolPlay, readsKeysAndRepeats)
{
    EXPECT_EQ(parseKeys({"p*3", "1", "save"}),
              (std::vector<Key>{Key::Progress, Key::Progress, Key::Progress, Key::Choice1, Key::Save}));
    EXPECT_FALSE(parseKeys({"p", "4"}));
    EXPECT_FALSE(parseKeys({"p*"}));
    EXPECT_FALSE(parseKeys({"p*x"}));
    EXPECT_FALSE(parseKeys({"quit"}));
}

TEST(StoryToolPlay, printsPicturesOrADashAndTheTextIndented)
{
    const std::vector<PlayStep> steps = playKeys({"p", "1"}, 1, std::string(L::Start));
    std::ostringstream out;
    printSteps(steps, out);
    EXPECT_EQ(out.str(),
              "[1] p -> \"시작 2\" | bg 배경1.jpg | ch 시작 2.gif\n"
              "    '여긴... 어디지?'\n"
              "[2] 1 -> \"시작 2\" | bg - | ch - | nothing happens\n");
}

// --- Spoken lines said twice ---------------------------------------------------

// The real story passes although three crossroads share one scene with speech
// in it; a line said again in another scene is caught where it comes again,
// and pauses of dots may repeat freely.
TEST(StoryToolLint, findsASpokenLineSaidTwiceButNotASharedSceneOrAPause)
{
    EXPECT_TRUE(lintRepeatedSpeech(theStory()).empty()) << allLines(lintRepeatedSpeech(theStory()));

    Story story = theStory();
    edit(story.table(ActionButton::Progress), [](Rows &r) {
        rowAt(r, L::Showdown10).text.line[0] = rowAt(r, L::Magic1).text[0];
        rowAt(r, L::Showdown7).text = {"'......'"};
        rowAt(r, L::Ending26_1).text = {"'......'"};
    });
    const std::vector<Fault> faults = lintRepeatedSpeech(story);
    ASSERT_EQ(faults.size(), 1u) << allLines(faults);
    EXPECT_EQ(faults[0].line(), "progress at \"결전 10\": says '왜 그렇게 봐? 무섭게.' again, "
                                "as progress at \"마법행동 1\" already does");
    EXPECT_EQ(lintTables(story).size(), 1u) << allLines(lintTables(story));

    Story choices = theStory();
    edit(choices.table(ActionButton::Choice2), [](Rows &r) { rowAt(r, L::Act1).text = {"'계속 이쪽으로 가려고?'"}; });
    const std::vector<Fault> acrossButtons = lintRepeatedSpeech(choices);
    ASSERT_EQ(acrossButtons.size(), 1u) << allLines(acrossButtons);
    EXPECT_EQ(acrossButtons[0].button, "choice2");
    EXPECT_EQ(acrossButtons[0].label, L::Act1);
}

// A word in three rows read one after the other is an echo, whatever particle
// it carries; two rows are not, nor are the cast's names, but the pronoun 그녀
// is a word like any other.
TEST(StoryToolLint, findsAWordInThreeRowsRunning)
{
    EXPECT_TRUE(lintEchoes(theStory()).empty()) << allLines(lintEchoes(theStory()));

    const auto threeRows = [](std::string_view word) {
        const std::string w(word);
        return std::vector<std::string>{w + "가 보인다.", w + "를 쫓았다.", "놓친 " + w + "만 생각난다."};
    };
    const std::vector<std::string> squirrel = threeRows("다람쥐");
    Story story = theStory();
    edit(story.table(ActionButton::Progress), [&](Rows &r) {
        rowAt(r, L::Start2).text = {squirrel[0]};
        rowAt(r, L::Start3).text = {squirrel[1]};
        rowAt(r, L::Start4).text = {squirrel[2]};
    });
    const std::vector<Fault> faults = lintEchoes(story);
    ASSERT_EQ(faults.size(), 1u) << allLines(faults);
    EXPECT_EQ(faults[0].line(), "progress at \"시작 4\": has \"다람쥐\" for the third row running, "
                                "after progress at \"시작 2\" and progress at \"시작 3\"");
    EXPECT_EQ(lintTables(story).size(), 1u) << allLines(lintTables(story));

    Story twice = theStory();
    edit(twice.table(ActionButton::Progress), [&](Rows &r) {
        rowAt(r, L::Start2).text = {squirrel[0]};
        rowAt(r, L::Start3).text = {squirrel[1]};
    });
    EXPECT_TRUE(lintEchoes(twice).empty()) << allLines(lintEchoes(twice));

    const std::vector<std::string> barrier = threeRows("결계");
    Story cast = theStory();
    edit(cast.table(ActionButton::Progress), [&](Rows &r) {
        rowAt(r, L::Start2).text = {barrier[0]};
        rowAt(r, L::Start3).text = {barrier[1]};
        rowAt(r, L::Start4).text = {barrier[2]};
    });
    EXPECT_TRUE(lintEchoes(cast).empty()) << allLines(lintEchoes(cast));

    Story pronoun = theStory();
    edit(pronoun.table(ActionButton::Progress), [&](Rows &r) {
        rowAt(r, L::Start2).text = {"그녀의 어깨가 들썩였다."};
        rowAt(r, L::Start3).text = {"그녀야말로 내 꿈이었다."};
        rowAt(r, L::Start4).text = {"그녀 앞에 고개를 숙였다."};
    });
    const std::vector<Fault> pronounFaults = lintEchoes(pronoun);
    ASSERT_EQ(pronounFaults.size(), 1u) << allLines(pronounFaults);
    EXPECT_EQ(pronounFaults[0].line(), "progress at \"시작 4\": has \"그녀\" for the third row running, "
                                       "after progress at \"시작 2\" and progress at \"시작 3\"");

    // Across a menu: the row before it, the choice taken, the row after.
    Story menu = theStory();
    edit(menu.table(ActionButton::Progress), [&](Rows &r) {
        rowAt(r, L::Observe1).text = {squirrel[0]};
        rowAt(r, L::Observe3).text = {squirrel[2]};
    });
    edit(menu.table(ActionButton::Choice1), [&](Rows &r) { rowAt(r, L::Observe2).text = {squirrel[1]}; });
    const std::vector<Fault> acrossMenu = lintEchoes(menu);
    ASSERT_EQ(acrossMenu.size(), 1u) << allLines(acrossMenu);
    EXPECT_EQ(acrossMenu[0].line(), "progress at \"관찰 3\": has \"다람쥐\" for the third row running, "
                                    "after progress at \"관찰 1\" and choice1 at \"관찰 2\"");
}

} // namespace
} // namespace barmen

int main(int argc, char **argv)
{
    // Text is measured in the game's font, which needs a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
