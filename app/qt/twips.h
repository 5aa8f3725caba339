#pragma once

#include <QRect>

#include "layout/form1.h"

namespace barmen {

// A control's place from the window's layout, in pixels, relative to its parent.
constexpr QRect qtRect(const layout::Twips &place)
{
    const layout::Rect r = place.pixels();
    return {r.left, r.top, r.width, r.height};
}

} // namespace barmen
