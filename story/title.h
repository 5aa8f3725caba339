#pragma once

#include "engine/scenetable.h"
#include "story/labels.h"
#include "story/pictures.h"

namespace barmen::story {

// The title screen: shown when the window opens (with a trailing line break)
// and by the start button, after which the story begins at "시작".
inline constexpr TitleScreen title{
    label::Start,
    pic::Forest,
    pic::Title,
    {
        "<바르멘>",
        "",
        "시작하기를 누르면 시작합니다.",
        "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.",
        "시작하기를 누르면 다시 처음부터 시작합니다.",
    },
};

} // namespace barmen::story
