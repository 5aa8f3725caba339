// The entry point of the test programs that open the game's window: a
// QApplication on the offscreen platform, with the game's Korean fonts mapped.
#include <QApplication>

#include <gtest/gtest.h>

#include "app/qt/fonts.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    barmen::mapKoreanFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
