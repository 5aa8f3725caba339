#pragma once

#include <string>
#include <string_view>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "engine/savestore.h"

namespace barmen::system {

// The save file lies in the current folder and holds one line: the label of
// the scene on screen, in CP949, ending in CR LF.
inline constexpr char saveFileName[] = "save.sav";

// Nothing longer than this is read from a save file; every label of the story
// is far shorter, and a huge or endless file must not stall the game.
inline constexpr qsizetype saveReadLimit = 4096;

// The bytes of a save file holding this label (UTF-8 in). A character that
// CP949 cannot hold is written as '?'.
QByteArray encodeSave(std::string_view label);

// The label a save file holds (UTF-8 out): the bytes up to the first CR, or all
// of them. Bytes that are not CP949 become U+FFFD, giving a label no table knows.
std::string decodeSave(QByteArrayView bytes);

struct SaveResult {
    bool ok = false;
    QString error;   // for the player, when not ok
};

struct LoadResult {
    bool ok = false;
    std::string label;
    QString error;
};

// Writes beside the old file and replaces it in one step, so a failed save
// leaves the previous one byte for byte.
SaveResult writeSave(std::string_view label, const QString &path = QString::fromLatin1(saveFileName));

// A missing or empty file is an error; any other content gives a label.
LoadResult readSave(const QString &path = QString::fromLatin1(saveFileName));

// The game's save store: the one-line file, by default "save.sav" in the
// current folder, looked up anew at every save and load.
class SaveFile final : public SaveStore {
public:
    explicit SaveFile(QString path = QString::fromLatin1(saveFileName)) : m_path(std::move(path)) {}

    Result write(std::string_view label) override;
    Result read() override;

private:
    QString m_path;
};

} // namespace barmen::system
