#include "PhotoLibrary.h"

#include "core/PhotoRecord.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/dialogs/PhotoInfoDialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <tuple>
#include <string>

namespace {

using Version = PictureStore::Version;

void Select(QListWidget* list, const std::string& stored) { NameListItem::Find(list, stored)->setSelected(true); }
using NameListItem::SelectedBytes;

class PhotoInfoDialogTest : public testing::Test {
protected:
    PhotoInfoDialogTest()
    {
        for (const char* name : {"Smith, John", "Doe, Jane"}) Lib().AddName(NameKind::Persons, name);
        Lib().AddName(NameKind::Events, "Summer holiday");
        Lib().AddName(NameKind::Locations, "France, Paris");
    }

    Library& Lib() { return m_library.GetLibrary(); }

    std::unique_ptr<PhotoInfoDialog> OpenAdd(const std::string& suggested)
    {
        m_picture = m_library.LoadImage("source.png");
        auto dialog = std::make_unique<PhotoInfoDialog>(m_library.Host(), &m_picture, suggested, nullptr);
        dialog->show();
        return dialog;
    }

    // A saved photo with its full screen and thumbnail versions in the store.
    const PhotoRecord& AddExisting(const std::string& name)
    {
        const PhotoRecord& photo = m_library.Add(name, 6, 5, 1999, {"Doe, Jane"}, {"Summer holiday"});
        for (const Version version : {Version::FullScreen, Version::Thumbnail})
            m_library.WritePicture(version, name, 133, 100);
        EXPECT_TRUE(Lib().Save(m_library.Prompter()));
        return photo;
    }

    static std::string Message(const PhotoInfoDialog& dialog) { return dialog.MessageLine()->text().toStdString(); }

    PhotoLibrary m_library;
    Picture m_picture;
};

// A refusal keeps the dialog open with its message and writes nothing. The rules are the
// adder's and are tested with it; here the empty name, one refusal, and the notes as
// stored, with CR LF.
TEST_F(PhotoInfoDialogTest, RefusalsStayOpenWithTheMessageAndWriteNothing)
{
    const std::pair<std::string, std::string> cases[] = {{"", ""},
        {"a/b", "Filename cannot contain any of the following characters \\/:*?<>| please reenter"},
        {std::string(500, '\n'), "Notes are too long, at most 999 characters can be stored, please shorten them"}};
    AddExisting("beach");
    for (int i = 0; i < 15; ++i) Lib().AddName(NameKind::Persons, "Person " + std::to_string(i));
    auto dialog = OpenAdd("beach");
    EXPECT_EQ(Message(*dialog), "Input filename cannot be used, already being used by another photo "
                                "file, please change to unique name") << "only a warning";
    dialog->DateField()->setText("1999");
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(message);
        const bool notes = typed.starts_with('\n');
        dialog->NameField()->setText(QString::fromStdString(notes ? "new" : typed));
        dialog->NotesField()->setPlainText(QString::fromStdString(notes ? typed : ""));
        dialog->MessageLine()->clear();
        dialog->OkButton()->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Message(*dialog), message);
        EXPECT_EQ(std::pair(m_library.Catalog().PhotoCount(), m_library.Saves()), std::pair(1, 0));
    }
    // Seventeen persons are refused as a whole, not cut to the first sixteen.
    dialog->NotesField()->clear();
    dialog->List(NameKind::Persons)->selectAll();
    dialog->OkButton()->click();
    EXPECT_EQ(Message(*dialog), "A photo can hold at most 16 persons, 17 persons were chosen, please choose fewer");
    EXPECT_EQ(std::pair(m_library.Catalog().PhotoCount(), m_library.Saves()), std::pair(1, 0));
    EXPECT_EQ(Entries(m_library.Directory() + "/Full Screen Pictures"), std::vector<std::string>{"beach.jpg"});
}

// The date's refusal goes as soon as the date reads right, not before, and other
// messages stay until the next OK.
TEST_F(PhotoInfoDialogTest, TheDateRefusalClearsWhenTheDateIsCorrected)
{
    auto dialog = OpenAdd("beach");
    dialog->DateField()->setText("13/1999");
    dialog->OkButton()->click();
    EXPECT_EQ(Message(*dialog), "Date is not in valid format, please reenter");
    dialog->DateField()->clear();
    QTest::keyClicks(dialog->DateField(), QStringLiteral("6/1"));
    EXPECT_EQ(Message(*dialog), "Date is not in valid format, please reenter") << "still no year";
    QTest::keyClicks(dialog->DateField(), QStringLiteral("999"));
    EXPECT_EQ(Message(*dialog), "");

    dialog->NameField()->setText("a/b");
    dialog->OkButton()->click();
    const std::string refusal = Message(*dialog);
    dialog->DateField()->setText("1999");
    EXPECT_EQ(Message(*dialog), refusal);
}

TEST_F(PhotoInfoDialogTest, AddOpensWithEveryNameShowsEachStepWritesTheVersionsAndSaves)
{
    m_library.Settings().WriteInt("SaveOriginalPictures", 1);
    m_library.Settings().WriteInt("SaveHighResPictures", 1);
    auto dialog = OpenAdd("holiday.beach");
    // Each step's text is on the screen before the step's work starts.
    class PaintedTexts : public QObject {
    public:
        std::vector<std::string> texts;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            const std::string text = static_cast<QLabel*>(watched)->text().toStdString();
            if (event->type() == QEvent::Paint && (texts.empty() || texts.back() != text)) texts.push_back(text);
            return false;
        }
    } painted;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->MessageLine()->installEventFilter(&painted);
    for (const auto& [first, last] : {std::pair{"Picnic", ""}, std::pair{"Jane", "Doe"}}) {
        m_library.Dialogs().Then<NameEntryDialog>([first, last](NameEntryDialog& entry) {
            entry.FirstField()->setText(first);
            entry.SecondField()->setText(last);
            entry.accept();
        });
    }
    dialog->DateField()->setText("6/05/1999");
    // 7 + 496 line breaks of two bytes: 999 bytes stored, the most notes can hold.
    dialog->NotesField()->setPlainText(QString::fromStdString("Day one" + std::string(496, '\n')));
    Select(dialog->List(NameKind::Persons), "Smith, John");
    Select(dialog->List(NameKind::Locations), "France, Paris");
    dialog->AddButton(NameKind::Events)->click();
    EXPECT_EQ(SelectedBytes(dialog->List(NameKind::Events)), std::vector<std::string>{"Picnic"});
    dialog->AddButton(NameKind::Persons)->click();  // a name the list has: selected, not listed twice
    dialog->OkButton()->click();

    EXPECT_EQ(painted.texts, (std::vector<std::string>{"", "Saving Original Photo",
                                                      "Saving high resolution version of photo",
                                                      "Saving full screen version of photo",
                                                      "Saving thumbnail version of photo", ""}));
    EXPECT_EQ(m_library.Saves(), 1);
    // Persons in list order: the list sorts "Doe, Jane" first.
    std::string notes = "Day one";
    for (int i = 0; i < 496; ++i) notes += "\r\r\n"; // text mode writes each "\n" as "\r\n"
    EXPECT_EQ(ReadBytes(m_library.DatabasePath()),
              "holiday.beach|6/05/1999|Doe, Jane^Smith, John|Picnic|France, Paris|" + notes + "|\r\n");
}

TEST_F(PhotoInfoDialogTest, FailedThumbnailWriteKeepsTheDialogOpenAndOkTriesAgain)
{
    const std::string thumbnails = m_library.Directory() + "/Thumbnail Pictures";
    std::filesystem::remove_all(thumbnails);
    auto dialog = OpenAdd("retry");
    dialog->DateField()->setText("1999");
    dialog->OkButton()->click();

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Message(*dialog).rfind("Error saving picture (150x100) to thumbs - ", 0), 0u);
    EXPECT_EQ(m_library.Catalog().PhotoCount(), 0);

    std::filesystem::create_directories(thumbnails);
    dialog->OkButton()->click();
    EXPECT_EQ(m_library.Catalog().PhotoCount(), 1);
    EXPECT_TRUE(m_library.HasVersion(Version::Thumbnail, "retry"));
}

TEST_F(PhotoInfoDialogTest, EditModeShowsThePhotoAndLeavesItsFilesAlone)
{
    const PhotoRecord& photo = AddExisting("beach");
    const auto written = [this] {
        return std::pair{std::filesystem::last_write_time(m_library.VersionPath(Version::FullScreen, "beach")),
                         std::filesystem::last_write_time(m_library.VersionPath(Version::Thumbnail, "beach"))};
    };
    const auto before = written();
    Picture thumbnail;
    ASSERT_EQ(thumbnail.LoadFile(m_library.VersionPath(Version::Thumbnail, "beach")), Picture::kOk);

    PhotoInfoDialog dialog(m_library.Host(), &thumbnail, "beach", &photo);
    dialog.show();
    EXPECT_EQ(dialog.DateField()->text(), "6/05/1999");
    EXPECT_EQ(SelectedBytes(dialog.List(NameKind::Persons)), std::vector<std::string>{"Doe, Jane"});

    dialog.NameField()->setText("renamed");  // read-only in use; ignored all the same
    dialog.DateField()->setText("7/1999");
    dialog.NotesField()->setPlainText("New\nnotes");
    Select(dialog.List(NameKind::Persons), "Smith, John");
    dialog.List(NameKind::Events)->clearSelection();
    dialog.OkButton()->click();

    EXPECT_EQ(std::tuple(photo.GetFileName(), photo.GetDateText(), photo.GetNotes()),
              std::tuple("beach", "7/1999", "New\r\nnotes"));
    EXPECT_EQ(m_library.Catalog().NamesText(NameKind::Persons, photo), "Jane Doe, John Smith");
    EXPECT_EQ(PhotoRecord::UsedCount(photo.Ids(NameKind::Events)), 0);
    EXPECT_EQ(m_library.Saves(), 0);
    EXPECT_TRUE(m_library.Catalog().IsModified()) << "marked, saved later";
    EXPECT_EQ(written(), before);
}

}  // namespace
