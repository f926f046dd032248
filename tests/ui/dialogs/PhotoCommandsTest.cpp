#include "PhotoLibrary.h"
#include "ScriptedFileChooser.h"

#include "core/PhotoRecord.h"
#include "store/PhotoAdder.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/PhotoCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>


namespace {

using Version = PictureStore::Version;

// The commands with a context of their own, without a main window: the library, the
// views and the command table's actions, scripted answers, files and dialogs.
class PhotoCommandsTest : public testing::Test {
protected:
    PhotoCommandsTest()
    {
        m_list.resize(600, 400);
        m_list.SetLibrary(&m_library.GetLibrary());
        m_view.SetLibrary(&m_library.GetLibrary());
    }
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

    // Pictures made in the library's folder, chosen together.
    void ChooseSeveral(std::initializer_list<const char*> names)
    {
        std::vector<std::string> paths;
        for (const char* name : names) paths.push_back(m_library.MakeImage(name, 64, 48));
        m_pictureChooser.AnswerSeveral(paths);
    }
    void AddPhotos()
    {
        m_actions.Action(CommandId::AddPhotoFromFile)->trigger();
        EXPECT_TRUE(Dialogs().Done()) << "fewer dialogs ran than scripted";
    }
    std::vector<std::string> FileNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < Catalog().PhotoCount(); ++i) names.push_back(Catalog().PhotoAt(i).GetFileName());
        return names;
    }
};

// Where the dialog stands in the batch: its title, its progress bar.
void ExpectPlace(PhotoInfoDialog& dialog, int number, int count)
{
    EXPECT_TRUE(dialog.windowTitle().endsWith(QString("(%1 of %2)").arg(number).arg(count))) << dialog.windowTitle().toStdString();
    ASSERT_NE(dialog.BatchProgress(), nullptr);
    EXPECT_EQ(std::pair(dialog.BatchProgress()->value(), dialog.BatchProgress()->maximum()), std::pair(number, count));
}

// Editing through the command is EditShowsTheThumbnailOfThePhotoItEdits below, and
// what an edit changes is PhotoInfoDialogTest's.
TEST_F(PhotoCommandsTest, AddsAPhotoFromTheChosenFileToTheSavedLibrary)
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

    EXPECT_EQ(ReadBytes(m_library.DatabasePath()), "holiday.beach|6/05/1999|||||\r\n");
    EXPECT_TRUE(m_library.HasVersion(Version::Original, "holiday.beach")) << "the settings reach the dialog";
}

// The picture dialog never starts in the program's working folder: the folder last
// added from (kept as bytes), else ~/Pictures when there is one, else home.
TEST_F(PhotoCommandsTest, AddingStartsInTheLastFolderElsePicturesElseHome)
{
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    const std::string home = m_library.File("home");
    const std::string last = home + "/caf\xe9";
    std::filesystem::create_directories(last);
    qputenv("HOME", home.c_str());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").c_str());
    const auto startsIn = [this] {
        m_actions.Action(CommandId::AddPhotoFromFile)->trigger();  // cancelled
        return m_pictureChooser.Requests().back().directory;
    };
    EXPECT_EQ(startsIn(), home);
    std::filesystem::create_directory(home + "/Pictures");
    EXPECT_EQ(startsIn(), home + "/Pictures");

    WriteBytes(last + "/notes.txt", "not a picture");
    m_pictureChooser.Answer(last + "/notes.txt");
    startsIn();
    EXPECT_EQ(m_library.Settings().GetString("LastAddFolder", ""), last);
    EXPECT_EQ(startsIn(), last);
    std::filesystem::remove_all(last);
    EXPECT_EQ(startsIn(), home + "/Pictures") << "a folder that went is passed over";
    qputenv("HOME", savedHome);
    savedConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", savedConfig);
}

// The dialog edits one photo and shows that photo's thumbnail, however the selection
// and the current photo lie; the menu command alone asks for a selection.
TEST_F(PhotoCommandsTest, EditShowsTheThumbnailOfThePhotoItEdits)
{
    const QSize thumbnails[] = {{150, 50}, {50, 100}, {100, 100}};
    for (int i = 0; i < 3; ++i) {
        const std::string name = "photo" + std::to_string(i);
        m_library.Add(name);
        m_library.WritePicture(Version::Thumbnail, name, thumbnails[i].width(), thumbnails[i].height());
    }
    m_list.FillFromCatalog();
    m_list.show();
    const auto centre = [this](int row) { return m_list.visualRect(m_list.model()->index(row, 2)).center(); };
    const auto click = [this, centre](int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(m_list.viewport(), Qt::LeftButton, keys, centre(row));
    };
    const auto doubleClick = [this, centre](int row) { QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, centre(row)); };
    const auto edit = [this] { m_actions.Action(CommandId::EditPhotoInformation)->trigger(); };
    const struct {
        const char* label;
        std::function<void()> act;
        int edited;  // -1: refused
    } cases[] = {
        {"Ctrl-click a second row, double-click it", [&] { click(0); click(2, Qt::ControlModifier); doubleClick(2); }, 2},
        {"keys move the selection, double-click the current row", [&] { click(0); QTest::keyClick(&m_list, Qt::Key_Down); doubleClick(0); }, 0},
        {"double-click with nothing selected", [&] { click(1); m_list.clearSelection(); doubleClick(1); }, 1},
        {"the menu, the selection moved by keys", [&] { click(0); QTest::keyClick(&m_list, Qt::Key_Down); edit(); }, 0},
        {"the menu, Ctrl-click a second row", [&] { click(0); click(2, Qt::ControlModifier); edit(); }, 2},
        {"the menu with nothing selected", [&] { click(1); m_list.clearSelection(); edit(); }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        m_list.SetCurrentPhoto(nullptr);
        m_list.clearSelection();
        m_library.Prompter().Forget();
        std::pair<QString, QSize> shown;
        if (c.edited >= 0) {
            Dialogs().Then<PhotoInfoDialog>([&shown](PhotoInfoDialog& dialog) {
                shown = {dialog.NameField()->text(), dialog.PictureLabel()->pixmap().size()};
                dialog.reject();
            });
        }
        c.act();
        EXPECT_TRUE(Dialogs().Done());
        if (c.edited < 0) {
            EXPECT_EQ(m_library.Prompter().Texts(), std::vector<std::string>{"Picture must be selected before operation"});
            continue;
        }
        EXPECT_TRUE(m_library.Prompter().Messages().empty());
        EXPECT_EQ(shown, std::pair(QString("photo%1").arg(c.edited), thumbnails[c.edited]));
    }
}

// Once the box is checked, the notes and names go on to each following file, and the
// date of the photo before to a file whose camera gave none; a camera's date wins.
TEST_F(PhotoCommandsTest, BatchCarriesNotesNamesAndDateOnceTheBoxIsChecked)
{
    for (const char* name : {"Smith, John", "Doe, Jane"}) m_library.GetLibrary().AddName(NameKind::Persons, name);
    m_library.GetLibrary().AddName(NameKind::Events, "Picnic");
    ChooseSeveral({"a.png", "b.jpg", "c.png"});
    auto camera = Exiv2::ImageFactory::open(m_library.File("b.jpg"));
    camera->readMetadata();
    camera->exifData()["Exif.Photo.DateTimeOriginal"] = "2021:08:04 10:11:12";
    camera->writeMetadata();
    Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) {
        ExpectPlace(dialog, 1, 3);
        EXPECT_EQ(dialog.NameField()->text() + dialog.DateField()->text(), "a");
        EXPECT_FALSE(dialog.CarryOverBox()->isChecked());
        dialog.DateField()->setText("6/05/1999");
        dialog.NotesField()->setPlainText("By the sea");
        NameListItem::Find(dialog.List(NameKind::Persons), "Smith, John")->setSelected(true);
        NameListItem::Find(dialog.List(NameKind::Events), "Picnic")->setSelected(true);
        dialog.CarryOverBox()->setChecked(true);
        dialog.OkButton()->click();
    });
    for (const auto& [number, name] : {std::pair{2, "b"}, std::pair{3, "c"}}) {
        Dialogs().Then<PhotoInfoDialog>([number, name](PhotoInfoDialog& dialog) {
            ExpectPlace(dialog, number, 3);
            EXPECT_EQ(dialog.NameField()->text(), name);
            EXPECT_EQ(dialog.DateField()->text(), "8/04/2021") << "the camera's date wins, then goes on";
            EXPECT_EQ(dialog.NotesField()->toPlainText(), "By the sea");
            EXPECT_EQ(NameListItem::SelectedBytes(dialog.List(NameKind::Persons)), std::vector<std::string>{"Smith, John"});
            EXPECT_EQ(NameListItem::SelectedBytes(dialog.List(NameKind::Events)), std::vector<std::string>{"Picnic"});
            EXPECT_TRUE(dialog.CarryOverBox()->isChecked());
            dialog.OkButton()->click();
        });
    }
    AddPhotos();
    EXPECT_EQ(ReadBytes(m_library.DatabasePath()), "a|6/05/1999|Smith, John|Picnic||By the sea|\r\n"
                                                   "b|8/04/2021|Smith, John|Picnic||By the sea|\r\n"
                                                   "c|8/04/2021|Smith, John|Picnic||By the sea|\r\n");
    EXPECT_FALSE(Catalog().IsModified()) << "the library is saved";
}

// A file that is no picture is named in the message and passed over and the batch goes
// on; without the box nothing goes on to the next file, and Cancel ends the batch
// before the next file, the photos added before it staying, saved.
TEST_F(PhotoCommandsTest, BatchPassesOverANonPictureAndCancelKeepsWhatWasAddedSaved)
{
    QStatusBar status(&m_window);
    WriteBytes(m_library.File("notes.png"), "not a picture");
    m_pictureChooser.AnswerSeveral({m_library.MakeImage("a.png", 64, 48), m_library.File("notes.png"),
                                    m_library.MakeImage("c.png", 64, 48), m_library.MakeImage("d.png", 64, 48)});
    Dialogs().Then<PhotoInfoDialog>([&status](PhotoInfoDialog& dialog) {
        ExpectPlace(dialog, 1, 4);
        EXPECT_EQ(status.currentMessage(), "Adding photo 1 of 4");
        dialog.DateField()->setText("1999");
        dialog.NotesField()->setPlainText("kept to itself");
        dialog.OkButton()->click();
    });
    Dialogs().Then<PhotoInfoDialog>([&status](PhotoInfoDialog& dialog) {
        ExpectPlace(dialog, 3, 4);
        EXPECT_EQ(status.currentMessage(), "Adding photo 3 of 4");
        EXPECT_EQ(dialog.DateField()->text() + dialog.NotesField()->toPlainText(), "");
        dialog.reject();
    });
    AddPhotos();
    EXPECT_EQ(m_library.Prompter().Texts(), std::vector<std::string>{"Selected file is not a valid image file\nnotes.png"});
    EXPECT_EQ(ReadBytes(m_library.DatabasePath()), "a|1999||||kept to itself|\r\n");
    EXPECT_TRUE(status.currentMessage().isEmpty());
}

// A file chosen alone keeps its name and the warning that it is taken, as ever; in a
// batch a taken name moves on to the first free number, counting the batch's own.
TEST_F(PhotoCommandsTest, TakenNameInABatchGetsTheFirstFreeNumber)
{
    m_library.Add("beach");
    m_library.Add("beach 2");
    m_pictureChooser.Answer(m_library.MakeImage("beach.png", 64, 48));
    Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) {
        EXPECT_EQ(dialog.NameField()->text(), "beach");
        EXPECT_EQ(dialog.MessageLine()->text().toStdString(), PhotoAdder::kSuggestedNameUsedMessage);
        EXPECT_EQ(dialog.CarryOverBox(), nullptr);
        dialog.reject();
    });
    AddPhotos();

    ChooseSeveral({"beach.png", "beach.jpg"});
    for (const char* name : {"beach 3", "beach 4"}) {
        Dialogs().Then<PhotoInfoDialog>([name](PhotoInfoDialog& dialog) {
            EXPECT_EQ(dialog.NameField()->text(), name);
            EXPECT_TRUE(dialog.MessageLine()->text().isEmpty());
            dialog.DateField()->setText("1999");
            dialog.OkButton()->click();
        });
    }
    AddPhotos();
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"beach", "beach 2", "beach 3", "beach 4"}));
}

}  // namespace
