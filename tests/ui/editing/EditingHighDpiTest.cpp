#include "EditingSheetFixture.h"

#include <QPixmap>

namespace {

// Two device pixels to each pixel of layout, set before the test main makes the application.
const bool kScaledScreen = qputenv("QT_SCALE_FACTOR", "2");

// Whether the page shows the picture one device pixel to one picture pixel at the
// given place of layout.
::testing::AssertionResult DrawnOneToOne(QWidget& page, const Picture& picture, QPoint at)
{
    const QImage drawn = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = picture.ToBitmap().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = drawn.devicePixelRatio();
    if (ratio != 2.0) return ::testing::AssertionFailure() << "the page was drawn at " << ratio;
    const QPoint origin = at * 2;
    for (int y = 0; y < expected.height(); y += 5) {
        for (int x = 0; x < expected.width(); ++x) {
            if (drawn.pixel(origin.x() + x, origin.y() + y) != expected.pixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "differs at picture pixel " << x << ", " << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(EditingSheetTest, PagesDrawTheirPicturesAtTheScreensPixels)
{
    ASSERT_TRUE(kScaledScreen);
    PhotoEditingPropertySheet& sheet = Open();
    EXPECT_EQ(sheet.Rotate().Preview().GetSize(), QSize(666, 500));
    EXPECT_EQ(sheet.Rotate().PreviewRect(), (PageRect{30, 40, 363, 290}))
        << "laid out in logical pixels";
    EXPECT_TRUE(DrawnOneToOne(sheet.Rotate(), sheet.Rotate().Preview(), {30, 40}));

    GoTo(kBrightness);
    EXPECT_EQ(sheet.Brightness().Preview().GetSize(), QSize(600, 450));
    EXPECT_TRUE(DrawnOneToOne(sheet.Brightness(), sheet.Brightness().Preview(), {20, 40}));
    GalleryButton& button = sheet.Brightness().Button(0);
    EXPECT_EQ(button.GetPicture().GetSize(), QSize(168, 126));
    EXPECT_TRUE(DrawnOneToOne(button, button.GetPicture(), {(88 - 84) / 2, (88 - 63) / 2}));

    GoTo(kClip);
    EXPECT_EQ(sheet.Clip().Preview().GetSize(), QSize(666, 500));
}

} // namespace
