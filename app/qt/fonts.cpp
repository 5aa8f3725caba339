#include "app/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "app/qt/qtstring.h"

namespace barmen {

QFont storedFont(const layout::Font &stored)
{
    // A face this machine lacks is asked for by what it is mapped onto: Qt
    // would otherwise look for it in vain, then ask fontconfig for stand-ins,
    // at each size and weight, before it tried the mapping.
    const QString face = qtString(stored.face);
    QFont font(face);
    if (const QStringList mapped = QFont::substitutes(face); !mapped.isEmpty() && !QFontDatabase::hasFamily(face))
        font.setFamilies(mapped);
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
