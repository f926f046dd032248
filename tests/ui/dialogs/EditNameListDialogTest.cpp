#include "ScriptedPrompter.h"

#include "core/CQuilleryDoc.h"
#include "ui/browse/PhotoList.h"
#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/NameListItem.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

using Names = std::vector<std::string>;

Names ListBytes(const QListWidget* list)
{
    Names names;
    for (int row = 0; row < list->count(); ++row) names.push_back(NameListItem::Bytes(list->item(row)));
    return names;
}

class EditNameListTest : public testing::Test {
protected:
    EditNameListTest()
    {
        for (const char* name : {"Smith, John", "Doe, Jane", "Unused "})
            m_catalog.AddName(NameKind::Persons, name);
        m_catalog.AddName(NameKind::Events, "Party");
        m_catalog.AddName(NameKind::Locations, "France, Paris");
    }

    // Edits each name in turn with the name entry dialog answering from `answers`
    // (empty: cancelled), then closes the list with OK or Cancel; gives the repaints.
    int EditPersonsAndClose(const Names& names, std::deque<std::string> answers, bool ok)
    {
        m_dialog = std::make_unique<EditNameListDialog>(m_catalog, &m_photoList, NameKind::Persons, m_prompter);
        m_dialog->SetNameEntryRunner([&](CQuilleryDoc& catalog, NameKind, const std::string& initial, QWidget*) {
            m_asked.push_back(initial);
            const std::string result = answers.front();
            answers.pop_front();
            if (!result.empty())
                catalog.ReplaceName(NameKind::Persons, catalog.FindName(NameKind::Persons, initial),
                                    result);
            return result;
        });
        int repaints = 0;
        const auto counting =
            QObject::connect(m_dialog.get(), &EditNameListDialog::namesChanged, [&] { ++repaints; });
        m_dialog->show();
        for (const std::string& name : names) {
            Select(name);
            m_dialog->accept();
            EXPECT_TRUE(m_dialog->isVisible()) << "OK with a selection edits it";
        }
        EXPECT_EQ(repaints, 0);
        m_dialog->List()->clearSelection();
        ok ? m_dialog->accept() : m_dialog->reject();
        EXPECT_FALSE(m_dialog->isVisible());
        QObject::disconnect(counting);
        return repaints;
    }

    void Select(const std::string& stored)
    {
        for (int row = 0; row < m_dialog->List()->count(); ++row) {
            if (NameListItem::Bytes(m_dialog->List()->item(row)) == stored) m_dialog->List()->setCurrentRow(row);
        }
    }

    CQuilleryDoc m_catalog;
    ScriptedPrompter m_prompter;
    PhotoList m_photoList;
    std::unique_ptr<EditNameListDialog> m_dialog;
    Names m_asked;
};

}  // namespace

TEST_F(EditNameListTest, ListsEveryNameSorted)
{
    const std::tuple<NameKind, const char*, Names> cases[] = {
        {NameKind::Persons, "Edit a Person", {"Doe, Jane", "Smith, John", "Unused "}},
        {NameKind::Events, "Edit an Event", {"Party"}},
        {NameKind::Locations, "Edit a Location", {"France, Paris"}},
    };
    for (const auto& [kind, title, names] : cases) {
        EditNameListDialog dialog(m_catalog, &m_photoList, kind, m_prompter);
        EXPECT_EQ(dialog.windowTitle().toStdString(), title);
        EXPECT_EQ(ListBytes(dialog.List()), names);
        EXPECT_EQ(dialog.List()->selectionMode(), QAbstractItemView::SingleSelection);
    }
}

TEST_F(EditNameListTest, TwoEditsThenOkRepaintsThePhotoListOnce)
{
    EXPECT_EQ(EditPersonsAndClose({"Smith, John", "Doe, Jane"}, {"Smith, Jon", "Doe, Janet"}, true), 1);
    EXPECT_EQ(m_asked, (Names{"Smith, John", "Doe, Jane"}));
    EXPECT_EQ(ListBytes(m_dialog->List()), (Names{"Doe, Janet", "Smith, Jon", "Unused "}));
    EXPECT_EQ(m_catalog.Names(NameKind::Persons).At(0), "Smith, Jon");
    EXPECT_TRUE(m_catalog.IsModified());
}

TEST_F(EditNameListTest, CancelRepaintsOnlyAfterAChange)
{
    EXPECT_EQ(EditPersonsAndClose({"Smith, John"}, {""}, false), 0);
    EXPECT_FALSE(m_catalog.IsModified());
    EXPECT_EQ(ListBytes(m_dialog->List()).size(), 3u);
    EXPECT_EQ(EditPersonsAndClose({"Smith, John"}, {"Smith, Jon"}, false), 1);
}
