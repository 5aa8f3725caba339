#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

// The choice buttons' answers at the first two menus: 관찰 2 (look around or
// talk) and 행동 1 (road, bushes or 메어드's magic).

Segment choice1Explore()
{
    static constexpr SceneRow rows[] = {
        scene(L::Observe2, pic::Forest, pic::Narration,
              {"나무, 풀, 하늘, 그리고 길이 보인다.",
               "길이 났다면 사람이 다닌다는 뜻이다.",
               "분명 근처에 마을이 있을 것이다.",
               "그제야 조금 마음이 놓였다."},
              L::Observe3),
        scene(L::Act1, pic::Forest, pic::MearedAwkward,
              {"'길을 따라가 보죠. 그러면 어디든 나오겠죠.'",
               "",
               "그런데 메어드의 표정이 묘하다.",
               "왜 저런 얼굴을 하는 거지?"},
              L::Road1),
    };
    return rows;
}

Segment choice2Explore()
{
    static constexpr SceneRow rows[] = {
        // A side talk: the menu stays, so the player can still look around.
        menu(L::Observe2, pic::Forest, pic::Meared,
             {"조금 진정이 되었는지 메어드가 내 쪽을 보았다.",
              "그러고는 멋쩍게 웃으며 입을 열었다.",
              "",
              "'헤헤, 사실 나 길을 잃어버렸어.'",
              "",
              "알고 있다. 한 대 쥐어박고 싶다."}),
        scene(L::Act1, pic::Forest, pic::Meared,
              {"'수풀을 헤치고 아무 데로나 가 봐요.'"},
              L::Bush1),
    };
    return rows;
}

Segment choice3Explore()
{
    static constexpr SceneRow rows[] = {
        scene(L::Act1, pic::Forest, pic::Meared,
              {"그러고 보니 이 사람, 결계까지 치는 마법사다.",
               "기대에 찬 눈으로 메어드를 빤히 바라보았다."},
              L::Magic1),
    };
    return rows;
}

} // namespace barmen::story
