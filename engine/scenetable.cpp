#include "engine/scenetable.h"

namespace barmen {

SceneTable::SceneTable(std::initializer_list<std::span<const SceneRow>> segments)
{
    for (std::span<const SceneRow> segment : segments)
        m_rows.insert(m_rows.end(), segment.begin(), segment.end());
}

const SceneRow *SceneTable::find(std::string_view label, std::int16_t battleRoll) const
{
    for (const SceneRow &row : m_rows) {
        if (row.label == label && (row.roll == 0 || row.roll == battleRoll))
            return &row;
    }
    return nullptr;
}

} // namespace barmen
