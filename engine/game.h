#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/savestore.h"
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

// What one click came to.
struct StepResult {
    enum class Kind { Missed, Performed, PictureFailed, SaveFailed, LoadFailed };
    Kind kind = Kind::Missed;
    std::string file;                    // the picture that failed
    std::string reason;                  // why, for the player
    std::optional<std::int16_t> roll;    // the golem's move, when this click drew one

    bool failed() const { return kind >= Kind::PictureFailed; }
};

// What a save before the first scene of the story says; the old save stays.
inline constexpr std::string_view nothingToSave =
    "아직 이야기의 장면을 하나도 보지 않아 저장할 것이 없습니다. 저장 파일은 그대로 두었습니다.";

// The game's rules for the seven buttons that act on the story: the four action
// buttons look the label up in their own table and perform the row they find;
// start shows the title screen; save and load keep prevLabel in the save store
// and bring it back as sceneLabel. Quitting belongs to the front end.
class Game {
public:
    Game(const Story &story, Screen &screen, PictureSource &pictures, Dice &dice, SaveStore &saves);

    StepResult press(ActionButton button);
    StepResult start();
    StepResult save();
    StepResult load();

    GameState &state() { return m_state; }
    const GameState &state() const { return m_state; }

private:
    struct Pictures;
    Pictures loadPictures(std::string_view bg, std::string_view ch);
    StepResult perform(const SceneRow &row);

    const Story &m_story;
    Screen &m_screen;
    PictureSource &m_pictures;
    Dice &m_dice;
    SaveStore &m_saves;
    GameState m_state;
};

} // namespace barmen
