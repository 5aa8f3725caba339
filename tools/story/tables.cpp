#include "tools/story/tables.h"

#include <deque>

namespace barmen::storytool {

std::array<Button, 4> buttonsOf(const Story &story)
{
    return {{{"progress", 0, &story.table(ActionButton::Progress)},
             {"choice1", 1, &story.table(ActionButton::Choice1)},
             {"choice2", 2, &story.table(ActionButton::Choice2)},
             {"choice3", 3, &story.table(ActionButton::Choice3)}}};
}

Edges edgesOf(const Story &story)
{
    Edges edges;
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            edges[row.label].insert(row.next.empty() ? row.label : row.next);
    return edges;
}

std::set<std::string_view> reachableFrom(const Edges &edges, std::string_view from)
{
    std::set<std::string_view> seen{from};
    std::deque<std::string_view> queue{from};
    while (!queue.empty()) {
        const std::string_view here = queue.front();
        queue.pop_front();
        const auto out = edges.find(here);
        if (out == edges.end())
            continue;
        for (std::string_view to : out->second)
            if (seen.insert(to).second)
                queue.push_back(to);
    }
    return seen;
}

const SceneRow *progressRowAt(const Story &story, std::string_view label)
{
    for (const SceneRow &row : story.table(ActionButton::Progress).rows())
        if (row.label == label)
            return &row;
    return nullptr;
}

bool isMenuRow(const SceneRow &row)
{
    return row.next.empty() && !row.text.empty();
}

Outcome duelOutcome(int choice, int roll)
{
    if (choice == roll)
        return Outcome::Tie;
    return roll == choice % 3 + 1 ? Outcome::Win : Outcome::Loss;
}

std::string_view familyOf(std::string_view label)
{
    return label.substr(0, label.find(' '));
}

} // namespace barmen::storytool
