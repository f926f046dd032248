#include "EditingSheetFixture.h"

#include <QTest>

namespace {

TEST(RotatePage, ReadsTheFieldAsAtoiDoes)
{
    const std::pair<const char*, int> cases[] = {
        {"90", 90}, {"-45", -45}, {"+7x", 7}, {"  12", 12},
        {"abc", 0}, {"", 0},      {"- 5", 0}, {"99999999999", INT_MAX}};
    for (const auto& [text, angle] : cases)
        EXPECT_EQ(RotatePage::ParseAngle(text), angle) << text;
}

TEST_F(EditingSheetTest, TheRotateButtonKeepsAnglesWithinAFullTurn)
{
    RotatePage& page = Open().Rotate();
    const std::pair<const char*, const char*> cases[] = {
        {"400", "0"}, {"359", "359"}, {"-359", "-359"}, {"360", "0"}, {"-360", "0"}, {"45abc", "45"}};
    for (const auto& [typed, shown] : cases) {
        page.AngleField().setText(QString::fromLatin1(typed));
        page.OnRotate();
        EXPECT_EQ(page.AngleField().text(), QString::fromLatin1(shown)) << typed;
        EXPECT_EQ(page.Angle(), QString::fromLatin1(shown).toInt()) << typed;
    }
    page.AngleField().setText(QStringLiteral("400"));
    page.OnRotate();
    EXPECT_EQ(page.Preview().GetSize(), QSize(333, 250)) << "unturned";
}

TEST_F(EditingSheetTest, QuarterTurnsComeBackToNought)
{
    RotatePage& page = Open().Rotate();
    std::vector<int> angles;
    for (int i = 0; i < 8; ++i) {
        i < 4 ? page.OnRotateRight() : page.OnRotateLeft();
        angles.push_back(page.Angle());
    }
    EXPECT_EQ(angles, (std::vector<int>{90, 180, 270, 0, -90, -180, -270, 0}));
    EXPECT_EQ(page.AngleField().text(), QStringLiteral("0"));
}

TEST_F(EditingSheetTest, SpinArrowsOnlyChangeTheField)
{
    RotatePage& page = Open().Rotate();
    page.AngleField().setText(QStringLiteral("359"));
    page.StepSpin(1);
    page.StepSpin(1);
    EXPECT_EQ(page.AngleField().text(), QStringLiteral("360")) << "the arrows stop at the range";
    QTest::keyClick(&page.AngleField(), Qt::Key_Down);
    EXPECT_EQ(page.AngleField().text(), QStringLiteral("359"));
    EXPECT_EQ(page.Angle(), 0);
    EXPECT_EQ(page.Preview().GetSize(), QSize(333, 250));
}

TEST_F(EditingSheetTest, LeavingTheRotatePageTurnsTheWorkingPicture)
{
    PhotoEditingPropertySheet& sheet = Open();
    sheet.Rotate().OnRotateRight();
    GoTo(kClip);
    EXPECT_TRUE(sheet.IsModified());
    EXPECT_EQ(sheet.WorkingPicture().GetSize(), QSize(480, 640));
    EXPECT_TRUE(SamePixels(sheet.WorkingPicture(), Changed([](Picture& p) { p.Rotate(90); })));
    GoTo(kRotate);
    EXPECT_EQ(sheet.Rotate().Angle(), 0);
    EXPECT_EQ(sheet.Rotate().AngleField().text(), QStringLiteral("90"));
    EXPECT_EQ(sheet.Rotate().Preview().Height(), 250);
    EXPECT_LT(sheet.Rotate().Preview().Width(), 250);
}

TEST_F(EditingSheetTest, TwoClipsNarrowInPixelsOfTheUncutPicture)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kClip);
    ClipPage& page = sheet.Clip();
    EXPECT_EQ(page.PreviewRect(), (PageRect{30, 40, 363, 290})); // 640 x 480 fitted to 333 x 250
    page.OnClip();
    EXPECT_EQ(page.SourceRect(), (PageRect{0, 0, 640, 480})) << "an untouched tracker keeps it all";

    // Drag the right edge handle to the preview's middle, twice.
    for (int i = 0; i < 2; ++i) {
        const PageRect preview = page.PreviewRect();
        const int middleY = (preview.top + preview.bottom) / 2;
        QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(preview.right + 5, middleY));
        QTest::mouseMove(&page, QPoint(preview.left + preview.Width() / 2 + 5, middleY));
        QTest::mouseRelease(&page, Qt::LeftButton, {},
                            QPoint(preview.left + preview.Width() / 2 + 5, middleY));
        page.OnClip();
    }
    EXPECT_EQ(page.SourceRect().left, 0);
    EXPECT_NEAR(page.SourceRect().right, 160, 2);
    EXPECT_EQ(page.SourceRect().Height(), 480);
    GoTo(kRotate);
    EXPECT_EQ(sheet.WorkingPicture().GetSize(), QSize(page.SourceRect().Width(), 480));
}

TEST_F(EditingSheetTest, DragsStopAtThePreviewAndEscapeRestores)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kClip);
    ClipPage& page = sheet.Clip();
    const PageRect preview = page.PreviewRect();
    QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(preview.left - 5, preview.top - 5));
    QTest::mouseMove(&page, QPoint(preview.left + 100, preview.top + 60));
    EXPECT_TRUE(page.IsTracking());
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(page.IsTracking());
    EXPECT_EQ(page.Tracker().m_rect, preview);
    EXPECT_TRUE(sheet.isVisible()) << "Escape ended the drag, not the sheet";

    QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(preview.left + 50, preview.top + 50));
    QTest::mouseMove(&page, QPoint(preview.left - 400, preview.top - 400));
    QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(preview.left - 400, preview.top - 400));
    EXPECT_EQ(page.Tracker().m_rect, preview) << "moved whole, it stops at the edges";

    // A clip as thin as the tracker allows still keeps at least two pixels.
    QTest::mousePress(&page, Qt::LeftButton, {},
                      QPoint(preview.right + 5, (preview.top + preview.bottom) / 2));
    QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(0, (preview.top + preview.bottom) / 2));
    EXPECT_EQ(page.Tracker().m_rect.Width(), ClipTracker::kMinimumSize);
    page.OnClip();
    EXPECT_GE(page.SourceRect().Width(), ClipPage::kSmallestClip);
}

} // namespace
