#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

namespace {

// Every crossroads offers the same three ways; only the answers differ.
constexpr Lines branchMenu = {
    "1. 가던 방향으로 간다.",
    "",
    "2. 왼쪽으로 꺾는다.",
    "",
    "3. 오른쪽으로 꺾는다.",
};

} // namespace

Segment firstBranch()
{
    static constexpr SceneRow rows[] = {
        menu(L::Branch1, pic::Forest, pic::Narration, branchMenu),
    };
    return rows;
}

Segment laterBranches()
{
    static constexpr SceneRow rows[] = {
        menu(L::Branch2, pic::Forest, pic::Narration, branchMenu),
        menu(L::Branch3, pic::Forest, pic::Narration, branchMenu),
        menu(L::Branch4, pic::Forest, pic::Narration, branchMenu),
    };
    return rows;
}

} // namespace barmen::story
