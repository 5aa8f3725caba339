#pragma once

// The game's pictures in a throw-away folder, as a player has them beside the
// program, for the tests that run the real window.

#include <string_view>
#include <vector>

#include <QDir>
#include <QFile>
#include <QString>

#include "story/pictures.h"

namespace barmen::test {

inline QString qtString(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The 24 picture files of the story, backgrounds first.
inline std::vector<std::string_view> gamePictures()
{
    std::vector<std::string_view> all(pic::backgrounds.begin(), pic::backgrounds.end());
    all.insert(all.end(), pic::characters.begin(), pic::characters.end());
    return all;
}

// Copies every picture from `from` into `to`; the first name that could not be
// copied, or an empty string.
inline QString copyGamePictures(const QDir &from, const QDir &to)
{
    for (std::string_view name : gamePictures()) {
        const QString file = qtString(name);
        if (!QFile::copy(from.filePath(file), to.filePath(file)))
            return file;
    }
    return {};
}

} // namespace barmen::test
