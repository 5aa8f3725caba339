#include "app/qt/fonts.h"

#include <QStringList>

#include "app/qt/qtstring.h"

namespace barmen {

QFont storedFont(const layout::Font &stored)
{
    QFont font(qtString(stored.face));
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
