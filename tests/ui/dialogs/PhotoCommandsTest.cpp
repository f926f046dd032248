#include "PhotoLibrary.h"
#include "ScriptedFileChooser.h"

#include "core/PhotoRecord.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/main/MainFrame.h"
#include "ui/main/PhotoCommands.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <fstream>

namespace {

class PhotoCommandsTest : public testing::Test {
protected:
    PhotoCommandsTest()
    {
        m_frame.OpenLibraryByName(m_library.DatabasePath());
        m_frame.GetPhotoList()->resize(600, 400);
    }

    CQuilleryDoc& Catalog() { return m_frame.Catalog(); }

    PhotoLibrary m_library;
    RecentFileList m_recentFiles{m_library.File("recent.conf")};
    ScriptedFileChooser m_libraryChooser;
    MainFrame m_frame{m_library.Prompter(), m_libraryChooser, m_library.Settings(), m_recentFiles};
    ScriptedFileChooser m_pictureChooser;
    PhotoCommands m_commands{m_frame, &m_pictureChooser};
};

TEST_F(PhotoCommandsTest, AddsAPhotoFromTheChosenFileToTheSavedLibraryThenEditsIt)
{
    m_library.Settings().WriteInt("SaveOriginalPictures", 1);
    m_library.Settings().WriteInt("SaveHighResPictures", 1);
    m_library.MakeImage("holiday.beach.png", 640, 480);
    m_pictureChooser.Answer(m_library.File("holiday.beach.png"));
    bool shown = false;
    m_commands.SetPhotoDialogRunner([&](PhotoInfoDialog& dialog) {
        shown = true;
        EXPECT_TRUE(dialog.IsAdding());
        EXPECT_EQ(dialog.NameField()->text(), "holiday.beach");
        dialog.DateField()->setText("6/05/1999");
        dialog.OkButton()->click();
    });
    m_commands.OnAddPhotoFromFile();

    ASSERT_TRUE(shown);
    ASSERT_EQ(m_pictureChooser.Requests().size(), 1u);
    EXPECT_EQ(m_pictureChooser.Requests()[0].filter, PhotoCommands::kImageFilter);
    EXPECT_TRUE(HasFlag(m_pictureChooser.Requests()[0].flags, FileFlag::MustExist));
    EXPECT_EQ(PhotoLibrary::ReadFile(m_library.DatabasePath()), "holiday.beach|6/05/1999|||||\r\n");
    for (const auto version : PhotoLibrary::kVersions) {
        EXPECT_TRUE(m_library.HasVersion(version, "holiday.beach"));
    }
    EXPECT_EQ(m_frame.GetPhotoList()->RowCount(), 1);
    EXPECT_EQ(m_frame.CountPane()->text(), m_frame.PhotoCountText());
    EXPECT_TRUE(m_frame.PhotoCountText().startsWith("1 of 1"));
    EXPECT_TRUE(m_library.Prompter().Messages().empty());

    // Edit takes the current photo with its thumbnail; nothing is saved yet.
    m_frame.GetPhotoList()->SetCurrentPhoto(&Catalog().PhotoAt(0));
    m_commands.SetPhotoDialogRunner([](PhotoInfoDialog& dialog) {
        EXPECT_FALSE(dialog.IsAdding());
        EXPECT_EQ(dialog.NameField()->text(), "holiday.beach");
        EXPECT_EQ(dialog.PictureLabel()->pixmap().size(), QSize(133, 100));
        dialog.DateField()->setText("2/2000");
        dialog.OkButton()->click();
    });
    m_commands.OnEditPhotoInformation();
    EXPECT_EQ(Catalog().PhotoAt(0).GetDateText(), "2/2000");
    EXPECT_TRUE(Catalog().IsModified());
}

TEST_F(PhotoCommandsTest, CameraDateIsOfferedAndCanBeChanged)
{
    const std::string path = m_library.MakeImage("camera.jpg", 320, 240);
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    image->exifData()["Exif.Photo.DateTimeOriginal"] = "2021:08:04 10:11:12";
    image->writeMetadata();
    m_pictureChooser.Answer(path);
    m_commands.SetPhotoDialogRunner([](PhotoInfoDialog& dialog) {
        EXPECT_EQ(dialog.DateField()->text(), "8/04/2021");
        dialog.DateField()->setText("8/2021");
        dialog.OkButton()->click();
    });
    m_commands.OnAddPhotoFromFile();
    ASSERT_EQ(Catalog().PhotoCount(), 1);
    EXPECT_EQ(Catalog().PhotoAt(0).GetDateText(), "8/2021");
}

TEST_F(PhotoCommandsTest, RefusalsShowNoDialog)
{
    bool shown = false;
    m_commands.SetPhotoDialogRunner([&](PhotoInfoDialog&) { shown = true; });
    m_commands.OnAddPhotoFromFile();  // the choice cancelled
    EXPECT_TRUE(m_library.Prompter().Messages().empty());

    std::ofstream(m_library.File("letter.jpg")) << "Dear John";
    m_pictureChooser.Answer(m_library.File("letter.jpg"));
    m_commands.OnAddPhotoFromFile();
    m_commands.OnEditPhotoInformation();
    EXPECT_FALSE(shown);
    EXPECT_EQ(m_library.Prompter().Texts(), (std::vector<std::string>{"Selected file is not a valid image file",
                                                                      "Picture must be selected before operation"}));
    EXPECT_EQ(m_library.Prompter().Messages()[0].caption, "Quillery");
    EXPECT_EQ(Catalog().PhotoCount(), 0);
}

}  // namespace
