#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/command.h"
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

// What one click came to. A front end turns it into words with
// system::messageFor: a failure, or a note on a click that went through.
struct StepResult {
    enum class Kind { Missed, Performed, PictureFailed, SaveFailed, LoadFailed };
    Kind kind = Kind::Missed;
    std::string file;                    // the picture or the save file concerned
    Problem problem;                     // why it failed; for a performed click, what the player should know
    Doing doing = Doing::Showing;        // what failed
    PictureDetail picture;               // what the decoder knew of a refused picture
    std::optional<std::int16_t> roll;    // the golem's move, when this click drew one

    bool failed() const
    {
        switch (kind) {
        case Kind::Missed:
        case Kind::Performed:
            return false;
        case Kind::PictureFailed:
        case Kind::SaveFailed:
        case Kind::LoadFailed:
            break;
        }
        return true;
    }
};

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
    // What a click on the button of that command does: a press of its table,
    // start, save or load. Quitting is the window's alone and changes nothing
    // here, so Quit comes back as a miss.
    StepResult run(Command command);

    GameState &state() { return m_state; }
    const GameState &state() const { return m_state; }

private:
    struct Pictures;
    Pictures loadPictures(std::string_view bg, std::string_view ch);
    StepResult perform(const SceneRow &row);
    // Whether some action button has a row for the label, whatever the roll.
    bool anyButtonAnswers(std::string_view label) const;

    const Story &m_story;
    Screen &m_screen;
    PictureSource &m_pictures;
    Dice &m_dice;
    SaveStore &m_saves;
    GameState m_state;
};

} // namespace barmen
