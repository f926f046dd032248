#include "DrawnPixels.h"
#include "EditingSheetFixture.h"

#include <QPixmap>

namespace {

// Two device pixels to each pixel of layout, set before the test main makes the application.
const bool kScaledScreen = qputenv("QT_SCALE_FACTOR", "2");

// Whether the page shows the picture one device pixel to one picture pixel at the
// given place of layout.
::testing::AssertionResult PageDrawnOneToOne(QWidget& page, const Picture& picture, QPoint at)
{
    const QImage drawn = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (drawn.devicePixelRatio() != 2.0)
        return ::testing::AssertionFailure() << "the page was drawn at " << drawn.devicePixelRatio();
    return DrawnOneToOne(drawn, picture.ToBitmap().convertToFormat(QImage::Format_RGB32), at * 2);
}

TEST_F(EditingSheetTest, PagesDrawTheirPicturesAtTheScreensPixels)
{
    ASSERT_TRUE(kScaledScreen);
    PhotoEditingPropertySheet& sheet = Open();
    EXPECT_EQ(sheet.Rotate().Preview().GetSize(), QSize(666, 500));
    EXPECT_EQ(sheet.Rotate().PreviewRect(), (PageRect{30, 40, 363, 290}))
        << "laid out in logical pixels";
    EXPECT_TRUE(PageDrawnOneToOne(sheet.Rotate(), sheet.Rotate().Preview(), {30, 40}));

    GoTo(kBrightness);
    EXPECT_EQ(sheet.Brightness().Preview().GetSize(), QSize(600, 450));
    EXPECT_TRUE(PageDrawnOneToOne(sheet.Brightness(), sheet.Brightness().Preview(), {20, 40}));
    GalleryButton& button = sheet.Brightness().Button(0);
    EXPECT_EQ(button.GetPicture().GetSize(), QSize(168, 126));
    EXPECT_TRUE(PageDrawnOneToOne(button, button.GetPicture(), {(88 - 84) / 2, (88 - 63) / 2}));

    GoTo(kClip);
    EXPECT_EQ(sheet.Clip().Preview().GetSize(), QSize(666, 500));
}

} // namespace
