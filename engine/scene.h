#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace barmen {

inline constexpr std::size_t maxLines = 6;

// The lines of one text block, as written in a story table. A block has one to
// six lines; an empty line is an empty string_view. A count of 0 means the row
// leaves Text1 as it is.
struct Lines {
    std::array<std::string_view, maxLines> line{};
    std::uint8_t count = 0;

    constexpr Lines() = default;
    constexpr Lines(std::initializer_list<std::string_view> lines)
    {
        // In a constexpr table this throw turns a seventh line into a compile error.
        if (lines.size() > maxLines)
            throw std::length_error("a text block has at most six lines");
        for (std::string_view l : lines)
            line[count++] = l;
    }

    constexpr bool empty() const { return count == 0; }
    constexpr const std::string_view *begin() const { return line.data(); }
    constexpr const std::string_view *end() const { return line.data() + count; }
    constexpr std::string_view operator[](std::size_t i) const { return line[i]; }

    friend constexpr bool operator==(const Lines &a, const Lines &b)
    {
        if (a.count != b.count)
            return false;
        for (std::size_t i = 0; i < a.count; ++i)
            if (a.line[i] != b.line[i])
                return false;
        return true;
    }
};

// One row of a button's scene table. Each part is optional; the scene step
// performs the parts that are present, always in the order bg, ch, draw, text,
// copy, next. Empty strings mean "not set by this row".
struct SceneRow {
    std::string_view label;   // exact key, compared code unit by code unit
    std::string_view bg;      // picture file for bg
    std::string_view ch;      // picture file for ch
    Lines text;               // the new content of Text1
    bool copy = false;        // prevLabel takes the old sceneLabel
    std::string_view next;    // stored into sceneLabel
    std::int16_t roll = 0;    // duel answers: the battleRoll this row answers, 0 = any
    bool draw = false;        // the duel menu: draw a new battleRoll after the pictures
};

// The row shapes the story uses, so a table reads like a script and a row
// cannot set an odd combination of parts by accident.

// bg, ch, text, copy, next.
constexpr SceneRow scene(std::string_view label, std::string_view bg, std::string_view ch,
                         Lines text, std::string_view next)
{
    return {label, bg, ch, text, true, next};
}

// bg, ch, text, copy; the label stays so the choice buttons can answer (also a
// choice's side talk that returns to the same menu).
constexpr SceneRow menu(std::string_view label, std::string_view bg, std::string_view ch, Lines text)
{
    return {label, bg, ch, text, true, {}};
}

// bg, ch, next: the old text and prevLabel stay.
constexpr SceneRow picturesOnly(std::string_view label, std::string_view bg, std::string_view ch,
                                std::string_view next)
{
    return {label, bg, ch, {}, false, next};
}

// bg, ch, copy: the old text stays and the label rests.
constexpr SceneRow picturesAndCopy(std::string_view label, std::string_view bg, std::string_view ch)
{
    return {label, bg, ch, {}, true, {}};
}

// bg and text only: ch, prevLabel and the label stay.
constexpr SceneRow backgroundAndText(std::string_view label, std::string_view bg, Lines text)
{
    return {label, bg, {}, text, false, {}};
}

// The duel's round menu: bg, ch, a new battleRoll, text, copy; the label stays.
constexpr SceneRow duelMenu(std::string_view label, std::string_view bg, std::string_view ch, Lines text)
{
    return {label, bg, ch, text, true, {}, 0, true};
}

// A choice button's answer to one golem move: a plain row that only matches
// while battleRoll holds that move.
constexpr SceneRow duelAnswer(std::int16_t roll, std::string_view label, std::string_view bg,
                              std::string_view ch, Lines text, std::string_view next)
{
    return {label, bg, ch, text, true, next, roll};
}

} // namespace barmen
