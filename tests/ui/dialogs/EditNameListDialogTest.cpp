#include "ScriptedPrompter.h"

#include "core/CQuilleryDoc.h"
#include "ui/browse/PhotoList.h"
#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/NameListItem.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

std::vector<std::string> ListBytes(const QListWidget* list)
{
    std::vector<std::string> names;
    for (int row = 0; row < list->count(); ++row) names.push_back(NameListItem::Bytes(list->item(row)));
    return names;
}

void Select(QListWidget* list, const std::string& stored)
{
    for (int row = 0; row < list->count(); ++row) {
        if (NameListItem::Bytes(list->item(row)) == stored) list->setCurrentRow(row);
    }
}

class EditNameListTest : public testing::Test {
protected:
    EditNameListTest()
    {
        m_catalog.AddPerson("Smith, John");
        m_catalog.AddPerson("Doe, Jane");
        m_catalog.AddPerson("Unused ");  // no photo shows it
        m_catalog.AddEvent("Party");
        m_catalog.AddLocation("France, Paris");
    }

    // Answers the name entry dialog from a script: the result it would give.
    void Script(EditNameListDialog& dialog)
    {
        dialog.SetNameEntryRunner([this](CQuilleryDoc& catalog, NameKind kind,
                                         const std::string& initial, QWidget*) {
            m_asked.push_back(initial);
            const std::string result = m_answers.front();
            m_answers.pop_front();
            if (!result.empty() && kind == NameKind::Persons) {
                catalog.ReplacePerson(catalog.FindPerson(initial), result);
            }
            return result;
        });
    }

    CQuilleryDoc m_catalog;
    ScriptedPrompter m_prompter;
    PhotoList m_photoList;
    std::deque<std::string> m_answers;
    std::vector<std::string> m_asked;
};

TEST_F(EditNameListTest, ListsEveryNameSortedWithTitleAndPrompt)
{
    struct Case {
        NameKind kind;
        const char* title;
        const char* prompt;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {NameKind::Persons, "Edit a Person", "Select a person to edit and press OK:",
         {"Doe, Jane", "Smith, John", "Unused "}},
        {NameKind::Events, "Edit an Event", "Select event to edit and press OK:", {"Party"}},
        {NameKind::Locations, "Edit a Location", "Select location to edit and press OK:",
         {"France, Paris"}},
    };
    for (const Case& c : cases) {
        EditNameListDialog dialog(m_catalog, &m_photoList, c.kind, m_prompter);
        EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
        EXPECT_EQ(dialog.Prompt()->text().toStdString(), c.prompt);
        EXPECT_EQ(ListBytes(dialog.List()), c.names);
        EXPECT_EQ(dialog.List()->selectionMode(), QAbstractItemView::SingleSelection);
    }
}

TEST_F(EditNameListTest, TwoEditsThenCloseRepaintsThePhotoListOnce)
{
    EditNameListDialog dialog(m_catalog, &m_photoList, NameKind::Persons, m_prompter);
    Script(dialog);
    int repaints = 0;
    QObject::connect(&dialog, &EditNameListDialog::namesChanged, [&] { ++repaints; });
    dialog.show();

    m_answers = {"Smith, Jon", "Doe, Janet"};
    Select(dialog.List(), "Smith, John");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    Select(dialog.List(), "Doe, Jane");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(repaints, 0);

    dialog.List()->clearSelection();
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(m_asked, (std::vector<std::string>{"Smith, John", "Doe, Jane"}));
    EXPECT_EQ(ListBytes(dialog.List()),
              (std::vector<std::string>{"Doe, Janet", "Smith, Jon", "Unused "}));
    EXPECT_EQ(m_catalog.Persons().At(0), "Smith, Jon");
    EXPECT_TRUE(m_catalog.IsModified());
}

TEST_F(EditNameListTest, CancelledEntryChangesNothingAndCloseDoesNotRepaint)
{
    EditNameListDialog dialog(m_catalog, &m_photoList, NameKind::Persons, m_prompter);
    Script(dialog);
    int repaints = 0;
    QObject::connect(&dialog, &EditNameListDialog::namesChanged, [&] { ++repaints; });
    dialog.show();
    m_answers = {""};
    Select(dialog.List(), "Smith, John");
    dialog.accept();
    dialog.reject();
    EXPECT_EQ(repaints, 0);
    EXPECT_FALSE(m_catalog.IsModified());
    EXPECT_EQ(ListBytes(dialog.List()).size(), 3u);
}

TEST_F(EditNameListTest, CancelAfterAnEditStillRepaints)
{
    EditNameListDialog dialog(m_catalog, &m_photoList, NameKind::Persons, m_prompter);
    Script(dialog);
    int repaints = 0;
    QObject::connect(&dialog, &EditNameListDialog::namesChanged, [&] { ++repaints; });
    dialog.show();
    m_answers = {"Smith, Jon"};
    Select(dialog.List(), "Smith, John");
    dialog.accept();
    dialog.reject();
    EXPECT_EQ(repaints, 1);
}

// The real name entry dialog, driven while its own modal loop runs.
TEST_F(EditNameListTest, EditsThroughTheModalNameEntryDialog)
{
    EditNameListDialog dialog(m_catalog, &m_photoList, NameKind::Locations, m_prompter);
    dialog.show();
    Select(dialog.List(), "France, Paris");
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* entry = qobject_cast<NameEntryDialog*>(QApplication::activeModalWidget());
        if (!entry) {
            ADD_FAILURE() << "no name entry dialog";
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            return;
        }
        EXPECT_EQ(entry->windowTitle(), "Edit a Location");
        EXPECT_EQ(entry->FirstField()->text(), "Paris");
        EXPECT_EQ(entry->SecondField()->text(), "France");
        entry->FirstField()->setText("Lyon");
        entry->accept();
        driven = true;
    });
    dialog.accept();
    EXPECT_TRUE(driven);
    EXPECT_EQ(m_catalog.Locations().At(0), "France, Lyon");
    EXPECT_EQ(ListBytes(dialog.List()), std::vector<std::string>{"France, Lyon"});
}

}  // namespace
