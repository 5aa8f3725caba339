#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/failure.h"
#include "engine/savestore.h"

namespace barmen::system {

// The save file lies in the current folder and holds one line: the label of
// the scene on screen, in CP949, ending in CR LF.
inline constexpr char saveFileName[] = "save.sav";

// Nothing longer than this is read from a save file; every label of the story
// is far shorter, and a huge or endless file must not stall the game.
inline constexpr std::size_t saveReadLimit = 4096;

// Converts labels between UTF-8 and the save file's code page, by default
// through the platform's converter (system/cp949.h). Tests hand in one that
// fails; either call gives nothing when the converter cannot be used.
class Cp949 {
public:
    virtual ~Cp949() = default;
    // A character CP949 cannot hold becomes '?'.
    virtual std::optional<std::string> fromUtf8(std::string_view text) const;
    // Bytes that are not CP949 become U+FFFD.
    virtual std::optional<std::string> toUtf8(std::string_view bytes) const;
};
const Cp949 &systemCp949();

// The save's rules on bytes alone, with no file in sight, so any store of
// saves (a file here, a browser's storage elsewhere) keeps the same format.

// The bytes of a save file holding this label (UTF-8 in): its CP949, then
// CR LF. Nothing when the converter cannot be used.
std::optional<std::string> encodeSave(std::string_view label, const Cp949 &codec = systemCp949());

// What a save's bytes hold: the label (UTF-8), or why they are no save.
struct SavedLine {
    std::string label;
    Failure refusal = Failure::None;   // NotASave, or Cp949Decode when the converter cannot be used

    bool ok() const { return refusal == Failure::None; }
};

// The first line, up to its CR or LF (a file edited on Linux ends in LF
// alone), or all the bytes when there is no line end. Anything that is no
// CP949 text is refused as no save of this game: a byte-order mark, UTF-16,
// a NUL, bytes that are not CP949, UTF-8 text that is not also plain CP949
// Hangul, a first line longer than saveReadLimit. A well-formed line that
// names no scene is a label all the same.
SavedLine decodeSave(std::string_view bytes, const Cp949 &codec = systemCp949());

// Whether the label names a scene of this release: one of the labels a save
// may hold (story/saved-labels.txt).
bool isSavedLabel(std::string_view label);

// Whether the bytes are a save of this game: one line naming a scene of
// this release, as the save button writes it.
bool isSaveOfThisGame(std::string_view bytes, const Cp949 &codec = systemCp949());

// What a save or a load came to: the label read, or what failed and why,
// by kind; system::messageFor gives the words.
using SaveResult = SaveStore::Result;
using LoadResult = SaveStore::Result;

// Writes a new file beside the old one, flushes it to the disk and swaps it
// in, so a failed save leaves the previous one byte for byte. Only where the
// folder refuses new files but the save itself may be written is the line
// written into the old file in place, and flushed to the disk.
//
// Anything but a plain file in the save's place (a folder, a pipe, a device)
// is refused and left exactly as it is. A link made by the player is
// followed to a save of this game elsewhere, and a link to nothing inside the
// game folder makes its target; a link to a file that holds anything else, to
// nothing outside the game folder, or made by anyone but the player, is
// refused, and nothing is ever written in place through a link. A good save
// sweeps away the temporary files a save ended half-way left behind. When
// the new save is in place but the disk did not confirm it, the save went
// through with the note NotFlushed.
SaveResult writeSave(std::string_view label, const std::string &path = saveFileName,
                     const Cp949 &codec = systemCp949());

// A missing or empty file, anything but a plain file, and a file that is no
// save (decodeSave) is an error; a save gives its label.
LoadResult readSave(const std::string &path = saveFileName, const Cp949 &codec = systemCp949());

// The game's save store: the one-line file, by default "save.sav" in the
// current folder, looked up anew at every save and load.
class SaveFile final : public SaveStore {
public:
    explicit SaveFile(std::string path = saveFileName, const Cp949 &codec = systemCp949())
        : m_path(std::move(path))
        , m_codec(codec)
    {
    }

    Result write(std::string_view label) override { return writeSave(label, m_path, m_codec); }
    Result read() override { return readSave(m_path, m_codec); }

private:
    std::string m_path;
    const Cp949 &m_codec;
};

} // namespace barmen::system
