#include "MainFrameFixture.h"

#include "ui/dialogs/NameEntryDialog.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/dialogs/TagPhotosDialog.h"
#include "ui/main/FindField.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class MainFrameTagTest : public MainFrameTest {
  protected:
    // Family.pdb with a third photo that holds sixteen persons already.
    void OpenFamilyWithCrowdedPhoto()
    {
        std::string crowded = "crowded|2000|";
        for (int i = 0; i < 16; ++i)
            crowded += (i ? "^P" : "P") + std::to_string(i);
        OpenWithDialog(MakeLibrary("Family.pdb", std::string(kTwoPhotos) + crowded + "||||\r\n"));
    }
    void SelectRows(std::initializer_list<int> rows)
    {
        List().selectionModel()->clearSelection();
        for (const int row : rows)
            List().selectionModel()->select(List().model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    bool Enabled() { return m_frame.Action(CommandId::AddNamesToSelection)->isEnabled(); }
    FindField& Find() { return *m_frame.findChild<FindField*>(QStringLiteral("findField")); }
};

// The command follows the selection of rows (the library and the show are among the
// rules MainFrameWindowTest checks). The photo that cannot take another person is named and keeps its names; the others
// take every chosen name, a new one among them, and the library is saved.
TEST_F(MainFrameTagTest, TagsTheSelectedPhotosAndReportsTheOnePastTheLimit)
{
    OpenFamilyWithCrowdedPhoto();
    SelectRows({1});
    EXPECT_TRUE(Enabled());
    List().selectionModel()->clearSelection();
    EXPECT_FALSE(Enabled());
    SelectRows({0, 1, 2});
    m_dialogs.Then<TagPhotosDialog>([this](TagPhotosDialog& dialog) {
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.MessageLine()->text(), "Select at least one person, event or location");
        NameListItem::Find(dialog.List(NameKind::Persons), "Doe, Jane")->setSelected(true);
        m_dialogs.Then<NameEntryDialog>([](NameEntryDialog& entry) {
            entry.FirstField()->setText(QStringLiteral("Beach day"));
            entry.accept();
        });
        dialog.AddButton(NameKind::Events)->click();
        dialog.OkButton()->click();
    });
    Trigger(CommandId::AddNamesToSelection);
    EXPECT_TRUE(m_dialogs.Done());
    EXPECT_EQ(m_prompter.Texts(), Texts{"These photos would hold more than 16 names of a kind and "
                                        "were left as they were:\ncrowded"});
    EXPECT_FALSE(Lib().IsModified());
    const std::string saved = ReadBytes(Path("Family.pdb"));
    for (const char* line : {"beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday^Beach day|",
                             "garden|1999|Doe, Jane|Summer holiday^Beach day|", "^P15||||"})
        EXPECT_NE(saved.find(line), std::string::npos) << saved;
}

TEST_F(MainFrameTagTest, NewAndOpenEmptyTheFindField)
{
    OpenFamilyWithCrowdedPhoto();
    QTest::keyClicks(&Find(), "garden");
    EXPECT_EQ(CountPane(), "1 of 3");
    OpenWithDialog(Path("Family.pdb"));
    EXPECT_EQ(Find().text(), "");
    EXPECT_EQ(CountPane(), "3 of 3");
    QTest::keyClicks(&Find(), "crowd");
    EXPECT_EQ(CountPane(), "1 of 3");
    m_chooser.Answer(Path("New.pdb"));
    m_frame.Files().OnFileNew();
    EXPECT_EQ(Find().text(), "");
}

} // namespace
