#include "story/labels.h"
#include "story/maze.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

Segment left()
{
    static constexpr SceneRow rows[] = {
        // From the first crossroads: the spider.
        scene(L::Left1_1, pic::Forest, pic::MearedAnnoyed,
              {"세상에, 사람 얼굴이 어쩜 저렇게 뚱할 수 있을까.",
               "좀 익숙해지면 좋으련만, 볼 때마다 새롭다.",
               "내 시선을 느꼈는지 메어드가 힐끔 나를 보았다."},
              L::Left1_2),
        scene(L::Left1_2, pic::Forest, pic::MearedAnnoyed,
              {"'이제 그만 좀 삐쳐요. 달리 갈 길도 없잖아요.'",
               "",
               "메어드가 고개를 끄덕였다.",
               "...끄덕이기만 했다. 표정은 그대로다."},
              L::Left1_3),
        scene(L::Left1_3, pic::Forest, pic::MearedAnnoyed,
              {"'좋아, 기분 풀어 줄게. 조건이 하나 있지만.'",
               "",
               "'지금 네 등을 기어 다니는 커다란 거미 말이야.'",
               "'그것만 치워 주면 당장 웃어 줄게.'",
               "거미? 등에? ...내 등에?",
               "그 말이 머릿속에 아주 서서히 스며들었다."},
              L::Left1_4),
        scene(L::Left1_4, pic::Forest, pic::MearedAnnoyed,
              {"'으아아아아악!!'",
               "",
               "로브를 마구 펄럭이며 냅다 뛰었다."},
              L::Left1_5),
        scene(L::Left1_5, pic::Forest, pic::Narration,
              {"헉... 헉...",
               "헉... 헉... 헉...",
               "허억... 허억..."},
              L::Left1_6),
        scene(L::Left1_6, pic::Forest, pic::Meared,
              {"한참이 지나서야 메어드가 느긋하게 나타났다.",
               "아까와는 딴판으로 기분이 좋아 보인다.",
               "과연 거미가 있기는 했던 걸까?"},
              L::Left1_7),
        scene(L::Left1_7, pic::Forest, pic::Narration, whereNext, L::Branch2),

        // From the second crossroads: the barrier works all too well.
        scene(L::Left2_1, pic::Forest, pic::Meared,
              {"메어드가 갑자기 생글생글 웃기 시작했다.",
               "길을 잃고 헤매는 판에 뭐가 저렇게 신났지?",
               "하려던 말도 잊고 눈만 끔벅였다."},
              L::Left2_2),
        scene(L::Left2_2, pic::Forest, pic::Meared,
              {"'또 제자리야! 내 결계, 진짜 끝내주게 만들었나 봐!'",
               "",
               "손뼉까지 짝짝 치며 좋아한다.",
               "",
               "기가 막혀서 그냥 외면해 버렸다."},
              L::Left2_3),
        scene(L::Left2_3, pic::Forest, pic::Narration, whereNext, L::Branch1),

        // From the third and fourth crossroads: the staff.
        scene(L::Left3_1, pic::Forest, pic::MearedMagic, {"......"}, L::Left3_2),
        scene(L::Left3_2, pic::Forest, pic::MearedStartled,
              {"방금 메어드가 내게 지팡이를 겨눈 것 같은데?",
               "미간에 주름이 잡혔다.",
               "메어드가 화들짝 놀라 부랴부랴 자세를 고쳤다."},
              L::Left3_3),
        scene(L::Left3_3, pic::Forest, pic::MearedAwkward,
              {"'기, 기억을 되찾는 마법이 없나 생각하던 중이야!'",
               "",
               "그 말을 들으니 오히려 더 수상하다.",
               "아하하하, 웃음소리가 지나치게 크다."},
              L::Left3_4),
        scene(L::Left3_4, pic::Forest, pic::MearedAwkward,
              {"'따지기도 지쳤어요. 아무튼 전 못 믿겠어요.'",
               "",
               "'뭐? 좋아, 그럼 마법이 뭔지부터 가르쳐 주지!'",
               "",
               "그 뒤로 한참 동안 꼼짝없이 마법 강의를 들어야 했다."},
              L::Branch2),
    };
    return rows;
}

} // namespace barmen::story
