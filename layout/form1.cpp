#include "layout/form1.h"

#include <algorithm>
#include <cstdlib>

namespace barmen::layout {

const Control &control(std::string_view name)
{
    for (const Control &c : controls)
        if (c.name == name)
            return c;
    std::abort();   // a name the window does not have is a fault of the caller's code
}

Rect inWindow(const Control &c)
{
    Rect r = c.place.pixels();
    if (c.parent != windowName) {
        const Rect frame = control(c.parent).place.pixels();
        r.left += frame.left;
        r.top += frame.top;
    }
    return r;
}

Rect inWindow(std::string_view name)
{
    return inWindow(control(name));
}

const Control &buttonFor(ActionButton action)
{
    for (const Control &c : controls)
        if (c.action == action)
            return c;
    std::abort();
}

std::array<const Control *, 9> tabOrder()
{
    std::array<const Control *, 9> order{};
    std::size_t n = 0;
    for (const Control &c : controls)
        if (c.kind == Kind::Button || c.kind == Kind::TextBox)
            order[n++] = &c;
    std::sort(order.begin(), order.end(), [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
    return order;
}

} // namespace barmen::layout
