#include "system/start.h"

#include "engine/textblock.h"
#include "story/labels.h"
#include "story/pictures.h"

namespace barmen::system {

std::string initialText()
{
    return joinLines(startText) + "\r\n";
}

StepResult start(GameState &state, Screen &screen, PictureSource &pictures)
{
    // Both pictures first: a missing title picture must not leave a half-started game.
    ScenePictures loaded = loadScenePictures(pictures, pic::Forest, pic::Title);
    if (loaded.failure.failed())
        return std::move(loaded.failure);

    state.sceneLabel = label::Start;
    screen.setText(joinLines(startText));
    screen.showBackground(std::move(loaded.bg));
    screen.showCharacter(std::move(loaded.ch));
    return loaded.failure;
}

} // namespace barmen::system
