#include "system/quit.h"

#include <QCoreApplication>

namespace barmen::system {

void quit()
{
    QCoreApplication::exit(0);
}

} // namespace barmen::system
