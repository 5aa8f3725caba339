#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "story/pictures.h"

namespace barmen::bench {

// Copies the game's 24 pictures into the folder and makes it the current
// one, as the game folder is when it plays; false, having said why, when a
// picture cannot be copied.
inline bool playIn(const QTemporaryDir &folder)
{
    const QDir assets(QStringLiteral(BARMEN_ASSETS_DIR));
    for (auto names : {std::span<const std::string_view>(pic::backgrounds),
                       std::span<const std::string_view>(pic::characters)})
        for (std::string_view name : names) {
            const QString file = QString::fromUtf8(name.data(), qsizetype(name.size()));
            if (!QFile::copy(assets.filePath(file), folder.filePath(file))) {
                std::fprintf(stderr, "cannot copy %s\n", std::string(name).c_str());
                return false;
            }
        }
    return QDir::setCurrent(folder.path());
}

} // namespace barmen::bench
