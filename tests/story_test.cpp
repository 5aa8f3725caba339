#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "story/story.h"
#include "fakes.h"

namespace barmen {
namespace {

namespace L = label;
using story::theStory;

const std::set<std::string_view> menuLabels{L::Observe2, L::Act1, L::Branch1, L::Branch2,
                                            L::Branch3, L::Branch4, L::Showdown40, L::Golem8};
const std::set<std::string_view> endLabels{L::Ending36, L::GameOver};

struct NamedTable {
    const char *name;
    const SceneTable *table;
};

std::vector<NamedTable> tables()
{
    const Story &s = theStory();
    return {{"progress", &s.table(ActionButton::Progress)}, {"choice1", &s.table(ActionButton::Choice1)}, {"choice2", &s.table(ActionButton::Choice2)},
            {"choice3", &s.table(ActionButton::Choice3)}};
}

// Every place a row can lead: its next label, or its own label where it keeps it.
std::map<std::string_view, std::set<std::string_view>> graph()
{
    std::map<std::string_view, std::set<std::string_view>> edges;
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows())
            edges[row.label].insert(row.next.empty() ? row.label : row.next);
    return edges;
}

TEST(Story, progressTableTestsEveryLabelOnceInStoryOrder)
{
    const auto rows = theStory().table(ActionButton::Progress).rows();
    ASSERT_EQ(rows.size(), 195u);
    std::set<std::string_view> seen;
    for (const SceneRow &row : rows)
        EXPECT_TRUE(seen.insert(row.label).second) << "tested twice: " << row.label;
    EXPECT_EQ(seen, std::set<std::string_view>(L::all.begin(), L::all.end()));
    // The table's test order: prologue first, the forest's later branch points
    // after the side paths, the game-over screen last.
    EXPECT_EQ(rows.front().label, L::Start);
    EXPECT_EQ(rows[64].label, L::Branch1);
    EXPECT_EQ(rows[75].label, L::Showdown1);
    EXPECT_EQ(rows[115].label, L::Left1_1);
    EXPECT_EQ(rows[144].label, L::Branch2);
    EXPECT_EQ(rows.back().label, L::GameOver);
}

TEST(Story, choiceButtonsReactOnlyAtMenus)
{
    const Story &s = theStory();
    std::map<std::string, std::vector<std::string_view>> labelsOf;
    for (const NamedTable &t : tables()) {
        if (t.table == &s.table(ActionButton::Progress))
            continue;
        for (const SceneRow &row : t.table->rows()) {
            EXPECT_TRUE(menuLabels.count(row.label)) << t.name << " answers " << row.label;
            if (labelsOf[t.name].empty() || labelsOf[t.name].back() != row.label)
                labelsOf[t.name].push_back(row.label);
        }
    }
    using V = std::vector<std::string_view>;
    EXPECT_EQ(labelsOf["choice1"], (V{L::Observe2, L::Act1, L::Branch1, L::Branch2, L::Branch3,
                                      L::Branch4, L::Showdown40, L::Golem8}));
    EXPECT_EQ(labelsOf["choice2"], labelsOf["choice1"]);
    EXPECT_EQ(labelsOf["choice3"], (V{L::Act1, L::Branch1, L::Branch2, L::Branch3, L::Branch4, L::Golem8}));
}

TEST(Story, noTableTestsALabelTwiceButTheDuelsThreeMoves)
{
    for (const NamedTable &t : tables()) {
        std::map<std::pair<std::string_view, int>, int> count;
        for (const SceneRow &row : t.table->rows())
            EXPECT_EQ((++count[{row.label, row.roll}]), 1) << t.name << ": " << row.label;
        if (t.table != &theStory().table(ActionButton::Progress)) {
            for (int roll = 1; roll <= 3; ++roll)
                EXPECT_EQ((count[{L::Golem8, roll}]), 1) << t.name << " roll " << roll;
        }
    }
}

// A next label without a row leaves the player with four dead buttons.
TEST(Story, everyStoredLabelHasAProgressRow)
{
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows())
            if (!row.next.empty()) {
                EXPECT_TRUE(theStory().table(ActionButton::Progress).find(row.next, 0)) << t.name << " at " << row.label
                                                                    << " stores " << row.next;
            }
}

TEST(Story, onlyTheDuelsTiesStoreTheirOwnLabel)
{
    int ties = 0;
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows())
            if (row.next == row.label) {
                EXPECT_EQ(row.label, L::Golem8) << t.name;
                EXPECT_NE(row.roll, 0);
                ++ties;
            }
    EXPECT_EQ(ties, 3);
}

// Text1 shows six rows and wraps nothing the story writes; a block that breaks
// these rules shows stray blank lines or pushes its end out of view.
TEST(Story, everyTextBlockKeepsTheBlockRules)
{
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows()) {
            if (row.text.empty())
                continue;
            const std::string where = std::string(t.name) + " at " + std::string(row.label);
            EXPECT_LE(row.text.count, maxLines) << where;
            EXPECT_FALSE(row.text[0].empty()) << where;
            EXPECT_FALSE(row.text[row.text.count - 1].empty()) << where;
            for (std::string_view line : row.text)
                EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << where;
        }
}

TEST(Story, everyPictureIsOneOfTheGamesFilesInItsControl)
{
    const std::set<std::string_view> backgrounds(pic::backgrounds.begin(), pic::backgrounds.end());
    const std::set<std::string_view> characters(pic::characters.begin(), pic::characters.end());
    std::set<std::string_view> used;
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows()) {
            if (!row.bg.empty()) {
                EXPECT_TRUE(backgrounds.count(row.bg)) << row.label << ": " << row.bg;
            }
            if (!row.ch.empty()) {
                EXPECT_TRUE(characters.count(row.ch)) << row.label << ": " << row.ch;
            }
            used.insert(row.bg);
            used.insert(row.ch);
        }
    used.erase("");
    used.insert(pic::Title);   // shown by the start button
    EXPECT_EQ(used.size(), 24u);
}

// How many rows load each picture, counting each duel outcome once: a check
// that every scene kept the pictures it was drawn for.
TEST(Story, picturesAreUsedWhereTheStoryNeedsThem)
{
    std::map<std::string_view, int> places;
    for (const NamedTable &t : tables())
        for (const SceneRow &row : t.table->rows()) {
            ++places[row.bg];
            ++places[row.ch];
        }
    EXPECT_EQ(places[pic::Forest], 123);   // and the start button
    EXPECT_EQ(places[pic::Clearing], 43);
    EXPECT_EQ(places[pic::Thud], 13);
    EXPECT_EQ(places[pic::AngryGolem], 12);
    EXPECT_EQ(places[pic::EndingScenery], 30);
    EXPECT_EQ(places[pic::TheEnd], 2);
    EXPECT_EQ(places[pic::Narration], 67);
    EXPECT_EQ(places[pic::Meared], 56);
    EXPECT_EQ(places[pic::MearedAwkward], 24);
    EXPECT_EQ(places[pic::MearedGrumbling], 15);
    EXPECT_EQ(places[pic::MearedAnnoyed], 11);
    EXPECT_EQ(places[pic::MearedSobbing], 10);
    EXPECT_EQ(places[pic::MearedWailing], 9);
    EXPECT_EQ(places[pic::MearedMagic], 5);
    EXPECT_EQ(places[pic::MearedCasting1], 5);
    EXPECT_EQ(places[pic::MearedShy], 5);
    EXPECT_EQ(places[pic::MearedStartled], 4);
    EXPECT_EQ(places[pic::MearedTrembling], 4);
    EXPECT_EQ(places[pic::MySword], 3);
    EXPECT_EQ(places[pic::MearedCasting2], 1);
    EXPECT_EQ(places[pic::MearedBack], 1);
    EXPECT_EQ(places[pic::MearedBackAwkward], 1);
    EXPECT_EQ(places[pic::MearedSniffling], 1);
}

TEST(Story, menusShowTheirChoicesWordForWord)
{
    const SceneTable &p = theStory().table(ActionButton::Progress);
    auto textAt = [&](std::string_view label) {
        const SceneRow *row = p.find(label, 0);
        return row ? std::vector<std::string_view>(row->text.begin(), row->text.end())
                   : std::vector<std::string_view>{};
    };
    using V = std::vector<std::string_view>;
    EXPECT_EQ(textAt(L::Observe2), (V{"1. 주위를 살핀다.", "", "2. 메어드와 대화한다"}));
    EXPECT_EQ(textAt(L::Act1), (V{"1. 길을 따라간다.", "", "2. 수풀을 지나서 간다.", "", "3. 메어드에게 맡긴다."}));
    for (std::string_view branch : {L::Branch1, L::Branch2, L::Branch3, L::Branch4})
        EXPECT_EQ(textAt(branch), (V{"1. 가던 방향으로 간다.", "", "2. 왼쪽으로 꺾는다.", "", "3. 오른쪽으로 꺾는다."}));
    EXPECT_EQ(textAt(L::Showdown40), (V{"1. 골렘을 향해 달려든다.", "", "2. 아직 마음의 준비가..."}));
    EXPECT_EQ(textAt(L::Golem8), (V{"1. 공격", "", "2. 회피", "", "3. 돌격"}));
    EXPECT_EQ(textAt(L::GameOver), (V{"<게임 오버>", "", "시작하기 및 불러오기를 누르시고", "진행해 주세요."}));
    for (std::string_view menu : menuLabels) {
        const SceneRow *row = p.find(menu, 0);
        ASSERT_TRUE(row);
        EXPECT_TRUE(row->copy && row->next.empty()) << menu;
        EXPECT_EQ(row->draw, menu == L::Golem8) << menu;
    }
}

TEST(Story, rowsThatTheStoryCallsTheSameSceneAreTheSame)
{
    const Story &s = theStory();
    auto same = [](const SceneTable &t, std::string_view a, std::string_view b) {
        const SceneRow *x = t.find(a, 0);
        const SceneRow *y = t.find(b, 0);
        ASSERT_TRUE(x && y);
        EXPECT_EQ(x->bg, y->bg);
        EXPECT_EQ(x->ch, y->ch);
        EXPECT_EQ(x->text, y->text) << a << " / " << b;
        EXPECT_EQ(x->next, y->next);
    };
    same(s.table(ActionButton::Choice1), L::Branch1, L::Branch2);
    same(s.table(ActionButton::Choice1), L::Branch1, L::Branch3);
    same(s.table(ActionButton::Choice2), L::Branch3, L::Branch4);
    same(s.table(ActionButton::Choice3), L::Branch2, L::Branch4);
    // Five of the six side paths end on the same line.
    const SceneRow *left1 = s.table(ActionButton::Progress).find(L::Left1_7, 0);
    for (std::string_view end : {L::Left2_3, L::Right1_7, L::Right2_4, L::Right3_4})
        EXPECT_EQ(s.table(ActionButton::Progress).find(end, 0)->text, left1->text) << end;
    EXPECT_EQ(left1->text.count, 1);
}

// Breadth-first over the whole graph: every label reachable from the start,
// an end reachable from every label, and only the two ends stuck.
TEST(Story, graphHasNoDeadEndsOrIslands)
{
    const auto edges = graph();
    auto reachableFrom = [&](std::string_view from) {
        std::set<std::string_view> seen{from};
        std::deque<std::string_view> queue{from};
        while (!queue.empty()) {
            const auto here = queue.front();
            queue.pop_front();
            if (auto it = edges.find(here); it != edges.end())
                for (std::string_view to : it->second)
                    if (seen.insert(to).second)
                        queue.push_back(to);
        }
        return seen;
    };
    EXPECT_EQ(reachableFrom(L::Start).size(), 195u);
    for (std::string_view label : L::all) {
        const auto reach = reachableFrom(label);
        EXPECT_TRUE(reach.count(L::Ending36) || reach.count(L::GameOver)) << label;
        const auto &out = edges.at(label);
        const bool stuck = out == std::set<std::string_view>{label};
        EXPECT_EQ(stuck, endLabels.count(label) == 1) << label;
    }
}

TEST(Story, shortestWalkToTheGoodEndTakes149Steps)
{
    const auto edges = graph();
    std::map<std::string_view, int> distance{{L::Start, 0}};
    std::deque<std::string_view> queue{L::Start};
    while (!queue.empty()) {
        const auto here = queue.front();
        queue.pop_front();
        for (std::string_view to : edges.at(here))
            if (distance.emplace(to, distance[here] + 1).second)
                queue.push_back(to);
    }
    EXPECT_EQ(distance[L::Ending36], 149);
}

} // namespace
} // namespace barmen
