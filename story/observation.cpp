#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

// The hero takes stock of the forest and learns that 메어드's own barrier holds
// them in; the first menu waits at 관찰 2.
Segment observation()
{
    static constexpr SceneRow rows[] = {
        scene(L::Observe1, pic::Forest, pic::Narration,
              {"이럴 때일수록 침착하게 상황을 파악해야 한다.",
               "숨을 한 번 고르고 고개를 들었다."},
              L::Observe2),
        menu(L::Observe2, pic::Forest, pic::Narration,
             {"1. 주위를 살핀다.",
              "",
              "2. 메어드와 대화한다"}),
        scene(L::Observe3, pic::Forest, pic::Meared,
              {"'이 근처에 마을이 있죠? 그렇죠?'",
               "",
               "돌아온 건 어색한 웃음뿐이었다."},
              L::Observe4),
        scene(L::Observe4, pic::Forest, pic::MearedAwkward,
              {"'응, 있긴 있는데...'",
               "",
               "'갈 수가 없어. 결계가 쳐져 있거든.'",
               "'이 결계 밖으로는 한 발짝도 못 나가.'",
               "",
               "결계라니, 갈수록 태산이다."},
              L::Observe5),
        scene(L::Observe5, pic::Forest, pic::MearedAwkward,
              {"'골렘이 마법을 쓸 리는 없고, 그럼 결계는 누가 친 거죠?'",
               "",
               "'그게... 사실 내가 쳤어.'",
               "",
               "메어드가 시선을 피하며 작게 중얼거렸다."},
              L::Observe6),
        scene(L::Observe6, pic::Forest, pic::MearedAwkward,
              {"결계를 친 장본인이 바로 내 눈앞에 있는 셈이다.",
               "그렇다면 답은 간단하다.",
               "",
               "'그럼 그냥 풀면 되지 않아요?'"},
              L::Observe7),
        scene(L::Observe7, pic::Forest, pic::MearedAwkward,
              {"'결계의 중심이 골렘 있는 곳이라, 여기선 나도 어쩔 수가 없어.'",
               "",
               "결국 골렘한테 가야 한다는 소리다.",
               "한숨부터 나왔다. 돌고 돌아 원점이다."},
              L::Observe8),
        scene(L::Observe8, pic::Forest, pic::MearedAwkward,
              {"정작 만든 본인이 길을 모른다니.",
               "이래서야 머리를 싸매 봤자 소용없다.",
               "그렇다고 가만히 있을 수도 없는 노릇이다."},
              L::Observe9),
        scene(L::Observe9, pic::Forest, pic::Meared,
              {"'하하, 어쨌든 가 볼까요?'",
               "",
               "억지로 짜낸 웃음이었다.",
               "메어드도 순순히 고개를 끄덕였다."},
              L::Observe10),
        scene(L::Observe10, pic::Forest, pic::Meared,
              {"'근데 어디로 갈 건데?'",
               "",
               "그걸 알면 내가 이러고 있겠는가.",
               "'일단 움직이고 보는 거죠, 뭐.'"},
              L::Act1),
    };
    return rows;
}

} // namespace barmen::story
