#pragma once

#include <string>

#include "engine/game.h"
#include "engine/scene.h"

namespace barmen::system {

// The title text: shown at window creation (with a trailing CR LF) and by the
// start button (without one).
inline constexpr Lines startText{
    "<바르멘>",
    "",
    "시작하기를 누르면 시작합니다.",
    "그리고 진행시에는 독백, 이야기 진행을 눌러주시기 바랍니다.",
    "시작하기를 누르면 다시 처음부터 시작합니다.",
};

// What Text1 holds before the first click.
std::string initialText();

// The start button: the story begins again at "시작" with the title screen.
// prevLabel and battleRoll keep whatever the last game left in them.
StepResult start(GameState &state, Screen &screen, PictureSource &pictures);

} // namespace barmen::system
