#include "app/qt/fonts.h"

#include <QFont>
#include <QStringList>

namespace barmen {

void mapKoreanFonts()
{
    const QStringList nanum{QStringLiteral("NanumGothic"), QStringLiteral("나눔고딕")};
    QFont::insertSubstitutions(QStringLiteral("굴림"), nanum);
    QFont::insertSubstitutions(QStringLiteral("돋움"), nanum);
}

} // namespace barmen
