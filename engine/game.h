#pragma once

#include <cstdint>
#include <string>

#include "engine/scenetable.h"
#include "engine/screen.h"

namespace barmen {

class Dice;

// Everything the game remembers between clicks. Start and load never reset
// prevLabel or battleRoll.
struct GameState {
    std::string sceneLabel;          // the row to perform next
    std::string prevLabel;           // the row whose scene is on screen; what a save writes
    std::int16_t battleRoll = 0;     // the golem's move in the current duel round, 0 before any draw
};

enum class ActionButton { Choice1, Choice2, Choice3, Progress };

// What one click came to.
struct StepResult {
    enum class Kind { Missed, Performed, PictureFailed };
    Kind kind = Kind::Missed;
    std::string file;     // the picture that failed
    std::string reason;

    bool failed() const { return kind == Kind::PictureFailed; }
};

// Loads a row's pictures before anything changes, so a missing file leaves
// both the screen and the state as they were.
struct ScenePictures {
    std::unique_ptr<Picture> bg;
    std::unique_ptr<Picture> ch;
    StepResult failure;
};
ScenePictures loadScenePictures(PictureSource &pictures, std::string_view bg, std::string_view ch);

// The scene engine: looks the label up in the pressed button's table and
// performs the row it finds.
class Game {
public:
    Game(const Story &story, Screen &screen, PictureSource &pictures, Dice &dice);

    StepResult press(ActionButton button);

    GameState &state() { return m_state; }
    const GameState &state() const { return m_state; }

private:
    const SceneTable &tableOf(ActionButton button) const;
    StepResult perform(const SceneRow &row);

    const Story &m_story;
    Screen &m_screen;
    PictureSource &m_pictures;
    Dice &m_dice;
    GameState m_state;
};

} // namespace barmen
