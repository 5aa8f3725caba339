#pragma once

#include <array>
#include <map>
#include <set>
#include <string_view>

#include "engine/scenetable.h"

// How the author's tool reads the four scene tables: which button owns which
// table, and the story graph the rows make together.
namespace barmen::storytool {

struct Button {
    std::string_view name;   // progress, choice1, choice2, choice3
    int choice;              // 1 to 3 for a choice button, 0 for progress
    const SceneTable *table;
};

// The four action buttons in the order the tool reports and exports them.
std::array<Button, 4> buttonsOf(const Story &story);

// Where each tested label leads: the next label of each of its rows, or the
// label itself for a row that keeps it (a menu, an end, a tied round).
using Edges = std::map<std::string_view, std::set<std::string_view>>;
Edges edgesOf(const Story &story);

// Every label reachable from this one, itself included.
std::set<std::string_view> reachableFrom(const Edges &edges, std::string_view from);

// The progress row at a label, whatever roll it tests; null when there is none.
const SceneRow *progressRowAt(const Story &story, std::string_view label);

// A menu keeps its label and writes the text that the choice buttons answer.
bool isMenuRow(const SceneRow &row);

// The duel's moves are numbered alike on both sides: 1 attack, 2 dodge,
// 3 charge. Attack beats dodge, dodge beats charge, charge beats attack.
enum class Outcome { Tie, Win, Loss };
Outcome duelOutcome(int choice, int roll);

// The word a label starts with: "결전" for "결전 12", "앞" for "앞 4-1".
std::string_view familyOf(std::string_view label);

} // namespace barmen::storytool
