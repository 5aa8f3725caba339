#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "engine/scene.h"

namespace barmen {

// One button's scene table: its segments joined in test order.
class SceneTable {
public:
    SceneTable() = default;
    SceneTable(std::initializer_list<std::span<const SceneRow>> segments);

    // The first row whose label equals the given one exactly and, for a duel
    // answer, whose roll equals battleRoll; null when the button has nothing to do.
    const SceneRow *find(std::string_view label, std::int16_t battleRoll) const;

    std::span<const SceneRow> rows() const { return m_rows; }

private:
    std::vector<SceneRow> m_rows;
};

// The four buttons that move the story. Each owns one scene table.
enum class ActionButton { Choice1, Choice2, Choice3, Progress };

inline constexpr std::array<ActionButton, 4> actionButtons{
    ActionButton::Progress, ActionButton::Choice1, ActionButton::Choice2, ActionButton::Choice3,
};

// What the start button shows: the title text and pictures, and the label the
// story then begins at.
struct TitleScreen {
    std::string_view label;
    std::string_view bg;
    std::string_view ch;
    Lines text;
};

// The whole story: one scene table per action button, and the title screen.
struct Story {
    std::array<SceneTable, 4> tables;   // indexed by ActionButton
    TitleScreen title;

    const SceneTable &table(ActionButton button) const { return tables[std::size_t(button)]; }
    SceneTable &table(ActionButton button) { return tables[std::size_t(button)]; }
};

} // namespace barmen
