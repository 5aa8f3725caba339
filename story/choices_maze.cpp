#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

namespace {

// Straight on from the first three crossroads, each time the same warning.
constexpr Lines goOnAhead = {
    "'계속 이쪽으로 가려고?'",
    "",
    "메어드가 만사 귀찮다는 얼굴로 물었다.",
    "나는 대답 대신 고개를 까딱했다.",
    "",
    "'흐응... 후회할지도 모를 텐데.'",
};

// Left from the third and the fourth crossroads.
constexpr Lines leftFineWeather = {
    "왼쪽 길로 접어들었다.",
    "그래도 날씨 하나는 끝내주게 좋다.",
    "그래, 기운 내자. 기운 내야지.",
    "메어드는 잘 버티고 있나 싶어 돌아본 순간이었다.",
};

// Right from the second and the fourth crossroads.
constexpr Lines rightEverythingBothers = {
    "오른쪽으로 꺾어 들어갔다.",
    "이제는 세상 모든 게 다 귀찮다.",
    "앵앵대는 벌레도 귀찮다.",
    "옆에서 뭔가 중얼대는 메어드도 귀찮다.",
};

} // namespace

// "1. 가던 방향으로 간다."
Segment choice1Maze()
{
    static constexpr SceneRow rows[] = {
        scene(L::Branch1, pic::Forest, pic::Meared, goOnAhead, L::Ahead1_1),
        scene(L::Branch2, pic::Forest, pic::Meared, goOnAhead, L::Ahead1_1),
        scene(L::Branch3, pic::Forest, pic::Meared, goOnAhead, L::Ahead1_1),
        scene(L::Branch4, pic::Forest, pic::Meared,
              {"'...잠깐. 여긴 공기가 좀 다른데.'",
               "",
               "메어드가 사뭇 진지한 얼굴로 중얼거렸다.",
               "글쎄, 내 눈에는 아까랑 똑같은 숲인데."},
              L::Ahead4_1),
    };
    return rows;
}

// "2. 왼쪽으로 꺾는다."
Segment choice2Maze()
{
    static constexpr SceneRow rows[] = {
        scene(L::Branch1, pic::Forest, pic::Narration,
              {"왼쪽으로 방향을 틀었다.",
               "한참 동안 둘 다 말 한마디 없이 걷기만 했다.",
               "이렇게 조용하니 괜히 쓸쓸해진다.",
               "말이라도 걸어 볼까 하고 옆을 본 게 실수였다."},
              L::Left1_1),
        scene(L::Branch2, pic::Forest, pic::Narration,
              {"이번에도 왼쪽으로 꺾어 보았다.",
               "어째 풍경이 아까랑 하나도 다르지 않다.",
               "결계 때문에 제자리만 뱅뱅 도는 기분이다.",
               "투덜대며 메어드를 돌아보았다. 한마디 해 줘야겠다."},
              L::Left2_1),
        scene(L::Branch3, pic::Forest, pic::Narration, leftFineWeather, L::Left3_1),
        scene(L::Branch4, pic::Forest, pic::Narration, leftFineWeather, L::Left3_1),
    };
    return rows;
}

// "3. 오른쪽으로 꺾는다."
Segment choice3Maze()
{
    static constexpr SceneRow rows[] = {
        scene(L::Branch1, pic::Forest, pic::Meared,
              {"오른쪽으로 발걸음을 옮겼다.",
               "후우, 나도 모르게 작은 한숨이 새어 나왔다.",
               "그런데 힐끗 보니 메어드는 어느새 태평하기만 하다.",
               "세상 근심 하나 없는 얼굴로 하품까지 한다."},
              L::Right1_1),
        scene(L::Branch2, pic::Forest, pic::Narration, rightEverythingBothers, L::Right2_1),
        scene(L::Branch3, pic::Forest, pic::Narration,
              {"오른쪽 길을 골랐다.",
               "걷고 또 걸으니 심심해서 죽을 지경이다.",
               "기억은 없어도 노래 하나는 용케 떠오른다.",
               "작게 흥얼거리며 걸으니 그나마 좀 낫다."},
              L::Right3_1),
        scene(L::Branch4, pic::Forest, pic::Narration, rightEverythingBothers, L::Right2_1),
    };
    return rows;
}

} // namespace barmen::story
