#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QString>

#include "engine/duel.h"
#include "engine/savestore.h"
#include "engine/scenetable.h"
#include "engine/screen.h"

// Plays the story headless through the game's own engine, one key a step.
namespace barmen::storytool {

enum class Key { Progress, Choice1, Choice2, Choice3, Start, Save, Load };

// p, 1, 2, 3, start, save and load; "p*26" stands for 26 presses. Null when
// a word is none of these.
std::optional<std::vector<Key>> parseKeys(const std::vector<std::string> &words);

std::string keyName(Key key);

// What one key did.
struct PlayStep {
    Key key;
    std::string label;          // sceneLabel afterwards
    std::string bg, ch;         // the pictures shown, empty when unchanged
    std::optional<std::string> text;   // the new text block, lines joined by CR LF
    std::optional<int> roll;    // the golem's move, when the step drew one
    std::string note;           // a miss, a save, a load, or why the step failed
    bool failed = false;
};

// Hands out pictures by name. With a folder, a file missing there fails the
// step as it would in the game; without one, any name will do.
class NamedPictures final : public PictureSource {
public:
    explicit NamedPictures(std::optional<QString> folder = std::nullopt) : m_folder(std::move(folder)) {}
    PictureLoad load(std::string_view file) override;

private:
    std::optional<QString> m_folder;
};

// Presses the keys in order from the given label (empty: the window just
// opened), through the game's own rules; save and load go to the store.
std::vector<PlayStep> play(const Story &story, PictureSource &pictures, Dice &dice, SaveStore &saves,
                           const std::string &from, const std::vector<Key> &keys);

// One heading line a step (number, key, label afterwards, the two pictures or
// "-", and what else happened), then the new text indented.
void printSteps(const std::vector<PlayStep> &steps, std::ostream &out);

} // namespace barmen::storytool
