#include "EditingSheetFixture.h"

#include <QDir>
#include <QPixmap>
#include <QTest>

#include <cstdlib>

namespace {

// Each page of the sheet as a real X server draws it, saved for a look: the folder
// named by QUILLERY_SCREENSHOTS, else the working folder.
TEST_F(EditingSheetTest, ScreenshotOfEachPage)
{
    const QString folder = qEnvironmentVariableIsSet("QUILLERY_SCREENSHOTS")
                               ? qEnvironmentVariable("QUILLERY_SCREENSHOTS")
                               : QDir::currentPath();
    PhotoEditingPropertySheet& sheet = Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet, 10000));
    const char* const names[] = {"rotate", "clip", "brightness", "colour-balance"};
    sheet.Rotate().AngleField().setText(QStringLiteral("20"));
    sheet.Rotate().OnRotate();
    for (int page = kRotate; page <= kColorBalance; ++page) {
        GoTo(static_cast<Page>(page));
        if (page == kBrightness) sheet.Brightness().OnGalleryClicked(2);
        if (page == kColorBalance) sheet.ColorBalance().OnMode(1);
        const QString path =
            folder + QStringLiteral("/editing-%1.png").arg(QLatin1String(names[page]));
        QTRY_VERIFY_WITH_TIMEOUT(!sheet.grab().isNull(), 5000);
        const QImage shot = sheet.grab().toImage();
        EXPECT_TRUE(shot.save(path)) << path.toStdString();
        EXPECT_GT(shot.width(), EditingPage::kWidth);
    }
    sheet.reject();
}

} // namespace
