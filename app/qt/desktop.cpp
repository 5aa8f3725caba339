#include "app/qt/desktop.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace barmen {

void nameForDesktop()
{
    // The class half of WM_CLASS is the application name; it must be set
    // before the first window is created.
    QCoreApplication::setApplicationName(QStringLiteral(BARMEN_WM_CLASS));
    QGuiApplication::setDesktopFileName(QStringLiteral(BARMEN_APP_ID));
}

bool loadQtKorean(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Korean, QLocale::SouthKorea), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace barmen
