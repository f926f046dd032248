#include "EditingSheetFixture.h"

#include <QSignalSpy>
#include <QTest>

#include <set>

namespace {

using Start = PhotoEditingPropertySheet::Start;

TEST_F(EditingSheetTest, OkResavesTheFullScreenAndThumbnailAndAnnouncesThePhoto)
{
    const std::string before = Bytes(Version::FullScreen);
    PhotoEditingPropertySheet& sheet = Open();
    int changed = 0;
    QObject::connect(&m_library.GetLibrary(), &Library::photoChanged,
                     [&](const PhotoRecord* photo) { changed += photo == &m_photo ? 1 : 0; });
    sheet.Rotate().OnRotateRight();
    sheet.accept();
    EXPECT_NE(Bytes(Version::FullScreen), before);
    Picture thumbnail;
    thumbnail.LoadFile(m_library.VersionPath(Version::Thumbnail, "p"));
    EXPECT_EQ(thumbnail.GetSize(), QSize(75, 100)) << "made from the turned picture";
    EXPECT_EQ(changed, 1);
}

TEST_F(EditingSheetTest, CancelAndResetWriteNothing)
{
    const std::string before = Bytes(Version::FullScreen);
    {
        PhotoEditingPropertySheet& sheet = Open();
        sheet.Rotate().OnRotateRight();
        GoTo(kBrightness);
        EXPECT_TRUE(sheet.IsModified());
        sheet.reject();
    }
    {
        PhotoEditingPropertySheet& sheet = Open();
        sheet.Rotate().OnRotateRight();
        ASSERT_EQ(sheet.Rotate().Preview().Height(), 250);
        GoTo(kBrightness);
        sheet.Brightness().OnGalleryClicked(2);
        GoTo(kColorBalance);
        sheet.ColorBalance().OnGalleryClicked(0);
        sheet.OnReset();
        EXPECT_FALSE(sheet.IsModified());
        EXPECT_TRUE(SamePixels(sheet.WorkingPicture(), sheet.SourcePicture()));
        // The rotate page is back to no turn.
        EXPECT_EQ(sheet.Rotate().Angle(), 0);
        EXPECT_EQ(sheet.Rotate().AngleField().text(), QStringLiteral("0"));
        EXPECT_EQ(sheet.Rotate().Preview().GetSize(), QSize(333, 250));
        sheet.accept();
    }
    EXPECT_EQ(Bytes(Version::FullScreen), before);
    EXPECT_EQ(Bytes(Version::Thumbnail), std::string());
    EXPECT_TRUE(m_library.Prompter().Texts().empty());
}

TEST_F(EditingSheetTest, SheetsWithoutAPictureSayWhyAndDoNotOpen)
{
    std::filesystem::remove(m_library.VersionPath(Version::FullScreen, "p"));
    Open(Start::Current);
    EXPECT_FALSE(m_sheet->HasSource());
    Open(Start::Original);
    EXPECT_FALSE(m_sheet->HasSource());
    EXPECT_EQ(m_library.Prompter().Texts(),
              (std::vector<std::string>{std::string(PhotoEditingPropertySheet::kNoFullScreen),
                                        std::string(PhotoEditingPropertySheet::kNoOriginal)}));
}

TEST_F(EditingSheetTest, LeavingTheBrightnessPageAppliesTheOffsetsChosen)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kClip);
    sheet.Clip().OnClip();
    GoTo(kBrightness);
    GoTo(kColorBalance);
    EXPECT_FALSE(sheet.IsModified()) << "entered and left, or clipped, without a change";
    EXPECT_TRUE(SamePixels(sheet.WorkingPicture(), sheet.SourcePicture()));

    GoTo(kBrightness);
    sheet.Brightness().OnGalleryClicked(2);
    sheet.Brightness().OnGalleryClicked(2);
    EXPECT_EQ(sheet.Brightness().BrightnessOffset(), 10);
    EXPECT_EQ(sheet.Brightness().SharpnessOffset(), 20);
    GoTo(kRotate);
    EXPECT_TRUE(sheet.IsModified());
    EXPECT_TRUE(SamePixels(sheet.WorkingPicture(),
                           Changed([](Picture& p) { BrightnessPage::Apply(p, 10, 20); })));
}

TEST_F(EditingSheetTest, UndoGoesBackToThePageAsEntered)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kBrightness);
    BrightnessPage& page = sheet.Brightness();
    EXPECT_EQ(page.Preview().GetSize(), QSize(300, 225)) << "enlarged";
    EXPECT_EQ(page.Button(3).GetPicture().GetSize(), QSize(84, 63));
    Picture entered;
    entered.CopyFrom(page.Preview());
    page.OnGalleryClicked(0);
    page.OnGalleryClicked(8);
    page.OnGalleryClicked(4); // the centre does nothing
    EXPECT_EQ(page.BrightnessOffset(), 0);
    EXPECT_EQ(page.SharpnessOffset(), 0);
    EXPECT_TRUE(SamePixels(page.Preview(), entered))
        << "the offsets add up; steps are not piled on the picture";
    page.OnGalleryClicked(1);
    page.OnGalleryClicked(5);
    EXPECT_FALSE(SamePixels(page.Preview(), entered));
    page.OnUndo();
    EXPECT_TRUE(SamePixels(page.Preview(), entered));
}

TEST_F(EditingSheetTest, ColourModesKeepTheOffsetsAndThePreview)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kColorBalance);
    ColorBalancePage& page = sheet.ColorBalance();
    page.OnGalleryClicked(0); // red +4, green -4
    const QString before = page.Button(0).accessibleName();
    Picture preview;
    preview.CopyFrom(page.Preview());
    QTest::mouseClick(&page.ModeButton(1), Qt::LeftButton);
    EXPECT_TRUE(page.Mode() == 1 && !page.ModeButton(0).isChecked());
    EXPECT_TRUE(SamePixels(page.Preview(), preview));
    EXPECT_NE(page.Button(0).accessibleName(), before);
    page.OnGalleryClicked(2); // green +4, blue +4
    EXPECT_EQ(page.Offsets(), (std::array<int, 3>{4, 0, 4}));
    page.OnMode(2);
    GoTo(kRotate);
    EXPECT_TRUE(SamePixels(sheet.WorkingPicture(), Changed([](Picture& p) {
                               ColorBalancePage::Apply(p, {4, 0, 4});
                           })));
    GoTo(kColorBalance);
    EXPECT_EQ(page.Mode(), 2) << "the mode survives a page switch";
    EXPECT_EQ(page.Offsets(), (std::array<int, 3>{}));
}

TEST_F(EditingSheetTest, GalleryButtonsTakeTheKeyboardAndHaveNames)
{
    PhotoEditingPropertySheet& sheet = Open();
    GoTo(kBrightness);
    BrightnessPage& page = sheet.Brightness();
    std::set<QString> names;
    for (int i = 0; i < GalleryPage::kButtonCount; ++i) names.insert(page.Button(i).accessibleName());
    EXPECT_EQ(names.size(), 9u);
    QSignalSpy clicked(&page.Button(6), &GalleryButton::clicked);
    page.Button(6).setFocus();
    QTest::keyClick(&page.Button(6), Qt::Key_Space);
    QTest::keyClick(&page.Button(6), Qt::Key_Return);
    EXPECT_TRUE(clicked.count() == 2 || clicked.wait(2000));
    EXPECT_EQ(page.SharpnessOffset(), -20);
    EXPECT_EQ(page.BrightnessOffset(), -10);
}

} // namespace
