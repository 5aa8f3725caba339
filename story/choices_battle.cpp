#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

// In the duel the golem's move is battleRoll: 1 attack, 2 dodge, 3 charge.
// Choice 1 attacks, choice 2 dodges, choice 3 charges; attack beats dodge,
// dodge beats charge, charge beats attack, and equal moves tie.

Segment choice1Battle()
{
    static constexpr SceneRow rows[] = {
        scene(L::Showdown40, pic::Clearing, pic::Narration,
              {"에라, 모르겠다. 될 대로 되라지.",
               "검을 꽉 움켜쥐고 잠든 듯 누운 골렘에게 달려들었다.",
               "",
               "'우오오오오!'"},
              L::Golem1),
        duelAnswer(1, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 검을 휘두르자 골렘도 주먹을 휘둘러 왔다.",
                    "검과 돌주먹이 맞부딪히며 서로 튕겨 나갔다."},
                   L::Golem8),
        duelAnswer(2, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 검을 휘두르자 골렘은 몸을 피하려 했다.",
                    "놓칠세라 따라붙어 일격을 꽂아 넣었다."},
                   L::Ending),
        duelAnswer(3, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 검을 휘두르는 순간 골렘이 돌진해 왔다.",
                    "그 거대한 몸뚱이에 그대로 들이받히고 말았다."},
                   L::End),
    };
    return rows;
}

Segment choice2Battle()
{
    static constexpr SceneRow rows[] = {
        scene(L::Showdown40, pic::Forest, pic::Meared,
              {"골렘을 노려보던 나는 결국 기가 꺾이고 말았다.",
               "슬그머니 검을 도로 땅에 꽂아 두고 메어드를 돌아보았다.",
               "아무래도 지금은 무리다.",
               "",
               "'저... 아직 마음의 준비가 안 됐어요.'",
               "메어드는 이해한다는 듯 고개를 끄덕였다."},
              L::Branch4),
        duelAnswer(1, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 몸을 빼려는 순간 골렘이 주먹을 날려 왔다.",
                    "미처 피하지 못하고 돌주먹에 정통으로 맞았다."},
                   L::End),
        duelAnswer(2, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 옆으로 피하자 골렘도 슬쩍 몸을 피했다.",
                    "우리는 어색하게 서로를 멀뚱멀뚱 쳐다보았다."},
                   L::Golem8),
        duelAnswer(3, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 옆으로 피하는 사이 골렘이 돌진해 왔다.",
                    "그 기세를 흘려보내고 녀석의 옆구리에 검을 박았다."},
                   L::Ending),
    };
    return rows;
}

Segment choice3Battle()
{
    static constexpr SceneRow rows[] = {
        duelAnswer(1, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 돌격하자 골렘이 주먹을 치켜들고 덤벼 왔다.",
                    "하지만 한발 먼저 파고든 내 검이 골렘의 가슴팍을 꿰뚫었다."},
                   L::Ending),
        duelAnswer(2, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 돌격하자 골렘은 옆으로 훌쩍 비켜섰다.",
                    "눈 깜짝할 사이에 육중한 돌덩이가 나를 내리쳤다."},
                   L::End),
        duelAnswer(3, L::Golem8, pic::AngryGolem, pic::Narration,
                   {"내가 돌격하자 골렘도 나를 향해 돌진해 왔다.",
                    "잠시 뒤엉켜 힘을 겨루다가 동시에 나가떨어졌다."},
                   L::Golem8),
    };
    return rows;
}

} // namespace barmen::story
