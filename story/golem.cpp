#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

Segment golem()
{
    static constexpr SceneRow rows[] = {
        scene(L::Golem1, pic::Clearing, pic::Narration,
              {"질끈 눈을 감고 있는 힘껏 검을 내리쳤다.",
               "",
               "감은 눈꺼풀 너머로 검날이 번쩍 빛나는 것 같았다.",
               "",
               "제발, 이 한 방으로 끝나라."},
              L::Golem2),
        scene(L::Golem2, pic::Thud, pic::Narration,
              {"콰광!"},
              L::Golem3),
        scene(L::Golem3, pic::Thud, pic::Narration,
              {"콰광!",
               "......"},
              L::Golem4),
        scene(L::Golem4, pic::Thud, pic::Narration,
              {"콰과광!",
               "...",
               ".........."},
              L::Golem5),
        scene(L::Golem5, pic::Thud, pic::Narration,
              {"조심스레 한쪽 눈을 떠 보았다."},
              L::Golem6),
        scene(L::Golem6, pic::AngryGolem, pic::Narration,
              {"헉!",
               "골렘이 눈에서 시뻘건 빛을 뿜으며 길길이 날뛰고 있었다."},
              L::Golem7),
        scene(L::Golem7, pic::AngryGolem, pic::Narration,
              {"한 방이면 된다더니! 하지만 이제 와서 물러설 길은 없다.",
               "검을 겨누고 골렘과 정면으로 마주 섰다."},
              L::Golem8),
        // Every press here draws the golem's next move; the choice buttons answer it.
        duelMenu(L::Golem8, pic::AngryGolem, pic::Narration,
                 {"1. 공격",
                  "",
                  "2. 회피",
                  "",
                  "3. 돌격"}),
    };
    return rows;
}

} // namespace barmen::story
