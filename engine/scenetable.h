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

// The whole story: one scene table per action button, each named by its
// button, and the title screen.
struct Story {
    struct Tables {
        SceneTable choice1, choice2, choice3, progress;
    } tables;
    TitleScreen title;

    const SceneTable &table(ActionButton button) const { return const_cast<Story *>(this)->table(button); }
    SceneTable &table(ActionButton button)
    {
        switch (button) {
        case ActionButton::Choice1: return tables.choice1;
        case ActionButton::Choice2: return tables.choice2;
        case ActionButton::Choice3: return tables.choice3;
        case ActionButton::Progress: break;
        }
        return tables.progress;
    }
};

} // namespace barmen
