// The window at a scale factor of 2, as on a HiDPI desktop: twice the size,
// and the pictures enlarged with filtering rather than as 2 x 2 blocks (Qt
// filters a picture drawn at a device pixel ratio above its own; painting the
// image controls by hand must keep that).
#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/qt/fonts.h"
#include "app/qt/form1.h"
#include "app/qt/qtpictures.h"
#include "story/story.h"
#include "system/savefile.h"
#include "fakes.h"

namespace barmen {
namespace {

// Of the 2 x 2 device-pixel blocks in `area` (device pixels, even corner),
// how many are not of one colour. Enlarged without filtering, none is.
int mixedBlocks(const QImage &shot, const QRect &area)
{
    int mixed = 0;
    for (int y = area.top(); y < area.bottom(); y += 2)
        for (int x = area.left(); x < area.right(); x += 2) {
            const QRgb a = shot.pixel(x, y);
            if (shot.pixel(x + 1, y) != a || shot.pixel(x, y + 1) != a || shot.pixel(x + 1, y + 1) != a)
                ++mixed;
        }
    return mixed;
}

TEST(ScaledWindow, isTwiceTheSizeWithFilteredPictures)
{
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    QtPictureSource pictures;
    test::ScriptedDice dice;
    system::SaveFile saves;
    Form1 window(story::theStory(), pictures, dice, saves);
    window.show();

    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(2 * 727, 2 * 510));
    // The default background left of the character picture, and the
    // character picture (its opaque middle), both inside their controls.
    const QRect background(20, 40, 240, 700);
    const QRect character(2 * 144 + 100, 2 * 100, 360, 500);
    const int blocks = (background.width() / 2) * (background.height() / 2);
    EXPECT_GT(mixedBlocks(shot, background), blocks / 4);
    EXPECT_GT(mixedBlocks(shot, character), (character.width() / 2) * (character.height() / 2) / 10);
}

} // namespace
} // namespace barmen

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    barmen::mapKoreanFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
