#include "PhotoLibrary.h"
#include "ScriptedFileChooser.h"

#include "core/PhotoRecord.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/browse/PictureView.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/PhotoCommands.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using Version = PictureStore::Version;

// The commands with a context of their own, without a main window: the library, the
// views and the command table's actions, scripted answers, files and dialogs.
class PhotoCommandsTest : public testing::Test {
protected:
    PhotoCommandsTest() { m_list.resize(600, 400); }

    const CQuilleryDoc& Catalog() { return m_library.Catalog(); }
    ScriptedDialogRunner& Dialogs() { return m_library.Dialogs(); }

    PhotoLibrary m_library;
    RecentFileList m_recentFiles{m_library.File("recent.conf")};
    QWidget m_window;
    CommandSet m_actions{&m_window};
    CommandState m_state;
    PhotoList m_list;
    PictureView m_view;
    ScriptedFileChooser m_libraryChooser;
    CommandContext m_context{m_library.GetLibrary(), m_library.Prompter(), m_libraryChooser,
                             m_library.Dialogs(), m_library.Settings(), m_actions, m_state,
                             m_list, m_view, m_window};
    LibraryCommands m_files{m_context, m_recentFiles, nullptr};
    ScriptedFileChooser m_pictureChooser;
    PhotoCommands m_commands{m_context, m_files, &m_pictureChooser};
    bool m_viewsFollow = [this] {
        m_list.SetLibrary(&m_library.GetLibrary());
        m_view.SetLibrary(&m_library.GetLibrary());
        return true;
    }();
};

TEST_F(PhotoCommandsTest, AddsAPhotoFromTheChosenFileToTheSavedLibraryThenEditsIt)
{
    m_library.Settings().WriteInt("SaveOriginalPictures", 1);
    m_library.MakeImage("holiday.beach.png", 640, 480);
    m_pictureChooser.Answer(m_library.File("holiday.beach.png"));
    Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) {
        EXPECT_EQ(dialog.NameField()->text(), "holiday.beach");
        dialog.DateField()->setText("6/05/1999");
        dialog.OkButton()->click();
    });
    m_actions.Action(CommandId::AddPhotoFromFile)->trigger();

    ASSERT_TRUE(Dialogs().Done());
    EXPECT_EQ(ReadBytes(m_library.DatabasePath()), "holiday.beach|6/05/1999|||||\r\n");
    EXPECT_TRUE(m_library.HasVersion(Version::Original, "holiday.beach")) << "the settings reach the dialog";
    EXPECT_EQ(m_list.RowCount(), 1);

    // Edit takes the current photo with its thumbnail; nothing is saved yet.
    m_list.SetCurrentPhoto(&Catalog().PhotoAt(0));
    Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) {
        EXPECT_EQ(dialog.PictureLabel()->pixmap().size(), QSize(133, 100));
        dialog.DateField()->setText("2/2000");
        dialog.OkButton()->click();
    });
    m_actions.Action(CommandId::EditPhotoInformation)->trigger();
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
    Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) {
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
    m_commands.OnAddPhotoFromFile();  // the choice cancelled
    EXPECT_TRUE(m_library.Prompter().Texts().empty());

    std::ofstream(m_library.File("letter.jpg")) << "Dear John";
    m_pictureChooser.Answer(m_library.File("letter.jpg"));
    m_commands.OnAddPhotoFromFile();
    m_commands.OnEditPhotoInformation();  // no dialog: none is scripted
    EXPECT_EQ(m_library.Prompter().Texts(), (std::vector<std::string>{"Selected file is not a valid image file",
                                                                      "Picture must be selected before operation"}));
    EXPECT_EQ(Catalog().PhotoCount(), 0);
}

}  // namespace
