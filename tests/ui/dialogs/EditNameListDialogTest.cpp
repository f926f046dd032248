#include "PhotoLibrary.h"

#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "ui/dialogs/NameListItem.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

#include <gtest/gtest.h>

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
            Lib().AddName(NameKind::Persons, name);
        EXPECT_TRUE(Lib().Save(m_library.Prompter()));
    }

    Library& Lib() { return m_library.GetLibrary(); }

    // Edits each name in turn; the name entry dialog changes the first name to the
    // answer, or is cancelled for an empty answer. Then the list closes with OK or
    // Cancel.
    void EditPersonsAndClose(const Names& names, const Names& answers, bool ok)
    {
        EditNameListDialog dialog(Lib(), NameKind::Persons, m_library.Prompter(), m_library.Dialogs());
        for (const std::string& answer : answers) {
            m_library.Dialogs().Then<NameEntryDialog>([answer](NameEntryDialog& entry) {
                if (answer.empty()) return entry.reject();
                entry.FirstField()->setText(QString::fromStdString(answer));
                entry.accept();
            });
        }
        dialog.show();
        for (const std::string& name : names) {
            for (int row = 0; row < dialog.List()->count(); ++row) {
                if (NameListItem::Bytes(dialog.List()->item(row)) == name) dialog.List()->setCurrentRow(row);
            }
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible()) << "OK with a selection edits it";
        }
        m_listed = ListBytes(dialog.List());
        dialog.List()->clearSelection();
        ok ? dialog.accept() : dialog.reject();
        EXPECT_FALSE(dialog.isVisible());
    }

    PhotoLibrary m_library;
    Names m_listed;
};

}  // namespace

// Each accepted edit goes through the library, which announces it (the photo list
// repaints its name columns on that); a cancelled edit changes nothing.
TEST_F(EditNameListTest, EditsGoThroughTheLibraryAndAreAnnounced)
{
    QSignalSpy announced(&Lib(), &Library::namesChanged);
    EditPersonsAndClose({"Smith, John"}, {""}, false);
    EXPECT_EQ(m_listed, (Names{"Doe, Jane", "Smith, John", "Unused "})) << "sorted";
    EXPECT_EQ(announced.count(), 0);
    EXPECT_FALSE(Lib().IsModified());

    EditPersonsAndClose({"Smith, John", "Doe, Jane"}, {"Jon", "Janet"}, true);
    EXPECT_EQ(announced.count(), 2);
    EXPECT_EQ(m_listed, (Names{"Doe, Janet", "Smith, Jon", "Unused "}));
    EXPECT_EQ(Lib().Catalog().Names(NameKind::Persons).At(0), "Smith, Jon");
    EXPECT_TRUE(Lib().IsModified());
    EXPECT_TRUE(m_library.Dialogs().Done());
}
