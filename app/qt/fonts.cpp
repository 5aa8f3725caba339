#include "app/qt/fonts.h"

#include <algorithm>

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include "app/qt/qtstring.h"

namespace barmen {

QFont storedFont(const layout::Font &stored)
{
    // A face this machine lacks is asked for by the first face it is mapped
    // onto that the machine has: asked for by a name it lacks, Qt would look
    // for stand-ins through fontconfig at each size and weight, which costs
    // more at start-up than everything else about fonts. Each face is looked
    // up once.
    static QHash<QString, QString> familyFor;
    const QString face = qtString(stored.face);
    auto family = familyFor.constFind(face);
    if (family == familyFor.cend()) {
        QString asked = face;
        if (!QFontDatabase::hasFamily(face)) {
            const QStringList mapped = QFont::substitutes(face);
            const auto there = std::find_if(mapped.cbegin(), mapped.cend(), QFontDatabase::hasFamily);
            if (there != mapped.cend())
                asked = *there;
        }
        family = familyFor.insert(face, asked);
    }
    QFont font(*family);
    font.setPointSizeF(stored.points);
    font.setBold(stored.bold());
    return font;
}

void mapKoreanFonts()
{
    const QStringList nanum{QStringLiteral("NanumGothic"), QStringLiteral("나눔고딕")};
    QFont::insertSubstitutions(QStringLiteral("굴림"), nanum);
    QFont::insertSubstitutions(QStringLiteral("돋움"), nanum);
}

} // namespace barmen
