#include "story/labels.h"
#include "story/pictures.h"
#include "story/segments.h"

namespace barmen::story {

namespace L = label;

Segment fall()
{
    static constexpr SceneRow rows[] = {
        scene(L::End, pic::Thud, pic::Narration,
              {"쿵!",
               "어라? 갑자기 눈앞이 빙글빙글 돈다.",
               "뭐가 어떻게 된 건지 따져 볼 겨를도 없이, 몸이 말을 듣지 않는다.",
               "제길, 운도 지지리 없지.",
               "메어드가 뭐라고 외치는 것 같지만 들리지 않는다.",
               "이내 스르르 눈이 감겼다..."},
              L::GameOver),
        backgroundAndText(L::GameOver, pic::TheEnd,
                          {"<게임 오버>",
                           "",
                           "시작하기 및 불러오기를 누르시고",
                           "진행해 주세요."}),
    };
    return rows;
}

} // namespace barmen::story
