#include "story/labels.h"
#include "story/maze.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

Segment right()
{
    static constexpr SceneRow rows[] = {
        // From the first crossroads: 메어드 has had enough of walking.
        scene(L::Right1_1, pic::Forest, pic::MearedGrumbling,
              {"'아, 다리 아파! 이제 그만 걸을래!'",
               "",
               "메어드가 어린애처럼 내 소매를 붙잡고 졸라 댔다.",
               "나라고 안 힘든 줄 아나.",
               "",
               "'골렘 있는 데가 그렇게 멀어요?'"},
              L::Right1_2),
        scene(L::Right1_2, pic::Forest, pic::MearedGrumbling,
              {"'멀진 않아. 근데 결계 때문에 한참 걸을지도 몰라.'",
               "",
               "...그 결계를 친 게 누구였더라?",
               "억울한 마음을 꾹 누르고 다시 걸었다."},
              L::Right1_3),
        scene(L::Right1_3, pic::Forest, pic::MearedGrumbling,
              {"'넌 또 왜 그렇게 울상이야? 응?'",
               "",
               "'기억을 되찾고 싶어서요. 그게 다예요.'",
               "",
               "내 목소리가 생각보다 힘이 없었다."},
              L::Right1_4),
        scene(L::Right1_4, pic::Forest, pic::Meared, {"......"}, L::Right1_5),
        scene(L::Right1_5, pic::Forest, pic::Meared, {"..................."}, L::Right1_6),
        scene(L::Right1_6, pic::Forest, pic::Meared,
              {"'...왜 그렇게 빤히 쳐다봐요?'",
               "",
               "'음~ 난 지금의 네가 더 재밌는 것 같아서.'",
               "",
               "'히익?! 그게 무슨 무서운 소리예요!'"},
              L::Right1_7),
        scene(L::Right1_7, pic::Forest, pic::Narration, whereNext, L::Branch3),

        // From the second and fourth crossroads: the insect spell.
        scene(L::Right2_1, pic::Forest, pic::MearedCasting1,
              {"메어드가 아까부터 쉴 새 없이 주문을 외우고 있다.",
               "지친 눈으로 그 모습을 물끄러미 바라보았다.",
               "그제야 주문 소리가 뚝 그쳤다."},
              L::Right2_2),
        scene(L::Right2_2, pic::Forest, pic::Meared,
              {"'왜, 할 말 있어?'",
               "",
               "'대체 무슨 주문을 그렇게 외우는 거예요?'",
               "",
               "메어드가 에헤헤, 하고 웃었다."},
              L::Right2_3),
        scene(L::Right2_3, pic::Forest, pic::Meared,
              {"'벌레 쫓는 마법! 이거 없으면 난 못 살아.'",
               "",
               "대꾸할 기운도 없다.",
               "그저 깊은 한숨만 나올 뿐이다."},
              L::Right2_4),
        scene(L::Right2_4, pic::Forest, pic::Narration, whereNext, L::Branch1),

        // From the third crossroads: the song.
        scene(L::Right3_1, pic::Forest, pic::Narration,
              {"그런데 뒤에서 똑같은 가락이 들려오는 것 같다.",
               "아니, 분명히 들린다.",
               "애써 못 들은 척했다."},
              L::Right3_2),
        scene(L::Right3_2, pic::Forest, pic::Meared,
              {"참다못해 돌아보니, 메어드가 나보다 훨씬 크게 흥얼대고 있다.",
               "노래라기보다는 거의 소음에 가깝다.",
               "눈이 마주치자 그녀는 어깨를 으쓱했다."},
              L::Right3_3),
        scene(L::Right3_3, pic::Forest, pic::Meared,
              {"'이 노래, 나도 알거든? 아하하!'",
               "",
               "하아, 말을 말자.",
               "다시 앞만 보고 걷기로 했다."},
              L::Right3_4),
        scene(L::Right3_4, pic::Forest, pic::Narration, whereNext, L::Branch4),
    };
    return rows;
}

} // namespace barmen::story
