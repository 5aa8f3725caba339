#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

Segment ahead()
{
    static constexpr SceneRow rows[] = {
        // Straight on from the first three crossroads: 메어드's forgotten trap.
        scene(L::Ahead1_1, pic::Forest, pic::Meared,
              {"'후회라니, 그게 무슨 말이에요?'",
               "",
               "메어드가 해맑게 웃더니 입을 열었다.",
               "",
               "'그러니까, 분명 이 근처 어딘가에...'"},
              L::Ahead1_2),
        scene(L::Ahead1_2, pic::Forest, pic::MearedAwkward,
              {"'내가 함정을 하나 만들어 뒀던 것 같거든.'",
               "",
               "함정? 지금 이 근처에 함정이라고?",
               "등줄기로 식은땀이 주르륵 흘러내렸다."},
              L::Ahead1_3),
        scene(L::Ahead1_3, pic::Forest, pic::MearedCasting1,
              {"'근데 보호막 마법은 딱 한 명만 지킬 수 있어.'",
               "",
               "나는 눈물을 글썽이며 애원의 눈길을 보냈다.",
               "메어드는 단호하게 고개를 저었다.",
               "",
               "'...그러니까 뛰어! 죽어라 뛰어!'"},
              L::End),

        // Straight on from the last crossroads: the way out.
        scene(L::Ahead4_1, pic::Forest, pic::Meared,
              {"'원래 둔한 사람은 이런 걸 못 느끼는 법이야.'",
               "",
               "'그거야 마법사니까 느끼는 거겠죠.'",
               "",
               "어깨를 으쓱해 보였다."},
              L::Ahead4_2),
        scene(L::Ahead4_2, pic::Forest, pic::MearedAwkward,
              {"'오, 그래도 눈치는 빠르네?'",
               "",
               "'됐으니까 얼른 가기나 하죠.'",
               "",
               "'칫, 재미없기는.'"},
              L::Ahead4_3),
        scene(L::Ahead4_3, pic::Forest, pic::Narration,
              {"우리는 다시 걷기 시작했다.",
               "그런데 조금씩, 정말 조금씩 풍경이 바뀌고 있었다!",
               "신이 나서 메어드를 돌아보았다."},
              L::Ahead4_4),
        scene(L::Ahead4_4, pic::Forest, pic::MearedAnnoyed,
              {"'남은 기뻐 죽겠는데 인상 좀 쓰지 마세요.'",
               "",
               "'모기한테 물렸단 말이야! 가려워 죽겠어!'",
               "",
               "나는 머리를 긁적이며 다시 걸음을 옮겼다."},
              L::Ahead4_5),
        scene(L::Ahead4_5, pic::Forest, pic::Narration,
              {"그런데 바로 그때였다..."},
              L::Ahead4_6),
        // The fall itself: only the picture changes, the line above stays.
        picturesOnly(L::Ahead4_6, pic::Thud, pic::Narration, L::Ahead4_7),
        scene(L::Ahead4_7, pic::Clearing, pic::Narration,
              {"정신을 차려 보니, 우리는 드디어 숲을 벗어나 있었다."},
              L::Showdown1),
    };
    return rows;
}

} // namespace barmen::story
