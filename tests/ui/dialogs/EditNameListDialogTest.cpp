#include "PhotoLibrary.h"

#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "ui/dialogs/NameListItem.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

// Each accepted edit goes through the library, which announces it (the photo list
// repaints its name columns on that); a cancelled edit changes nothing. Each name is
// edited in turn, its first name changed to the answer, or the entry cancelled for an
// empty answer; then the list closes with OK or Cancel.
TEST(EditNameListTest, EditsGoThroughTheLibraryAndAreAnnounced)
{
    PhotoLibrary library;
    Library& lib = library.GetLibrary();
    for (const char* name : {"Smith, John", "Doe, Jane", "Unused "}) lib.AddName(NameKind::Persons, name);
    ASSERT_TRUE(lib.Save(library.Prompter()));
    QSignalSpy announced(&lib, &Library::namesChanged);
    const auto editAndClose = [&](const Names& names, const Names& answers, bool ok) {
        EditNameListDialog dialog(lib, NameKind::Persons, library.Prompter(), library.Dialogs());
        for (const std::string& answer : answers) {
            library.Dialogs().Then<NameEntryDialog>([answer](NameEntryDialog& entry) {
                if (answer.empty()) return entry.reject();
                entry.FirstField()->setText(QString::fromStdString(answer));
                entry.accept();
            });
        }
        dialog.show();
        QListWidget* list = dialog.List();
        for (const std::string& name : names) {
            list->setCurrentItem(NameListItem::Find(list, name));
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible()) << "OK with a selection edits it";
        }
        Names listed;
        for (int row = 0; row < list->count(); ++row) listed.push_back(NameListItem::Bytes(list->item(row)));
        list->clearSelection();
        ok ? dialog.accept() : dialog.reject();
        return listed;
    };
    EXPECT_EQ(editAndClose({"Smith, John"}, {""}, false), (Names{"Doe, Jane", "Smith, John", "Unused "}));
    EXPECT_EQ(announced.count(), 0);
    EXPECT_FALSE(lib.IsModified());

    EXPECT_EQ(editAndClose({"Smith, John", "Doe, Jane"}, {"Jon", "Janet"}, true),
              (Names{"Doe, Janet", "Smith, Jon", "Unused "}));
    EXPECT_EQ(announced.count(), 2);
    EXPECT_EQ(lib.Catalog().Names(NameKind::Persons).At(0), "Smith, Jon");
    EXPECT_TRUE(library.Dialogs().Done());
}
