#pragma once

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

// The four action buttons' tables.
struct Story {
    SceneTable progress;
    SceneTable choice1;
    SceneTable choice2;
    SceneTable choice3;
};

} // namespace barmen
