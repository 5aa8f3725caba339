#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

// The bytes of a save file holding this label (UTF-8 in).
std::optional<std::string> encodeSave(std::string_view label, const Cp949 &codec = systemCp949());

// The label a save file holds (UTF-8 out): the bytes up to the first CR, or
// all of them, giving a label no table knows when they are not CP949.
std::optional<std::string> decodeSave(std::string_view bytes, const Cp949 &codec = systemCp949());

// Whether the bytes could be a save file: one line at most, within the limit.
bool looksLikeSave(std::string_view bytes);

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
// is refused and left exactly as it is. A link is followed to a save
// elsewhere, and a link to nothing inside the game folder makes its target;
// a link to a file that holds something else, to nothing outside the game
// folder, or planted by another player in a folder everybody may write, is
// refused, and nothing is ever written in place through a link.
SaveResult writeSave(std::string_view label, const std::string &path = saveFileName,
                     const Cp949 &codec = systemCp949());

// A missing or empty file, and anything but a plain file, is an error; any
// other content gives a label.
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
