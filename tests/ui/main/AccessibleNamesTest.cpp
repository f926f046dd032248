#include "MainFrameFixture.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/main/AboutBox.h"
#include "ui/main/HelpWindow.h"
#include "ui/output/OptionsDialog.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <functional>

namespace {

// Every list, table, picture, status pane and thumbnail cell shown below the window
// that a screen reader could neither name nor describe, as "role name/description".
Texts Unnamed(QWidget& window)
{
    Texts missing;
    const auto check = [&](QAccessibleInterface* node, const char* what) {
        if (node->text(QAccessible::Name).isEmpty() || node->text(QAccessible::Description).isEmpty()) {
            const char* type = node->object() != nullptr ? node->object()->metaObject()->className() : "";
            missing.push_back(std::string(what) + " " + type + " '" + node->text(QAccessible::Name).toStdString() + "/" +
                              node->text(QAccessible::Description).toStdString() + "'");
        }
    };
    std::function<void(QAccessibleInterface*, bool)> walk = [&](QAccessibleInterface* node, bool inStatusBar) {
        if (node == nullptr || node->state().invisible) return;
        switch (node->role()) {
        case QAccessible::List: check(node, "list"); break;
        case QAccessible::Tree: check(node, "tree"); break;
        case QAccessible::Graphic: check(node, "picture"); break;
        case QAccessible::StatusBar: check(node, "status bar"); break;
        case QAccessible::Table:
            check(node, "table");
            if (QAccessibleTableInterface* table = node->tableInterface()) {
                for (int row = 0; row < table->rowCount(); ++row) {
                    QAccessibleInterface* cell = table->cellAt(row, 0);
                    if (cell != nullptr && cell->text(QAccessible::Name).isEmpty()) check(cell, "first cell");
                }
            }
            break;
        default:
            if (inStatusBar) check(node, "status pane");
        }
        const bool statusBar = node->role() == QAccessible::StatusBar;
        for (int index = 0; index < node->childCount(); ++index) walk(node->child(index), statusBar);
    };
    window.show();
    walk(QAccessible::queryAccessibleInterface(&window), false);
    return missing;
}

}  // namespace

// A screen reader names and describes every list, picture and status pane of the
// main window and of each dialog, and each thumbnail cell after its photo.
TEST_F(MainFrameTest, ScreenReadersCanNameEveryListPictureAndStatusPane)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    MakeCurrent(0);
    EXPECT_EQ(Unnamed(m_frame), Texts{});
    const QModelIndex thumbnail = List().model()->index(0, kPictureColumn);
    EXPECT_EQ(thumbnail.data(Qt::AccessibleTextRole).toString(), QStringLiteral("Thumbnail of beach01"));

    m_dialogs.Then<PhotoInfoDialog>([](PhotoInfoDialog& dialog) { EXPECT_EQ(Unnamed(dialog), Texts{}); });
    Trigger(CommandId::EditPhotoInformation);
    m_dialogs.Then<EditNameListDialog>([](EditNameListDialog& dialog) { EXPECT_EQ(Unnamed(dialog), Texts{}); });
    Trigger(CommandId::EditEvents);
    EXPECT_TRUE(m_dialogs.Done());

    CPrevFileDlg files(QFileDialog::AcceptOpen, {}, {}, QStringLiteral("Images (*.JPG)"));
    OptionsDialog options(m_settingsFile.Settings());
    AboutBox about;
    HelpWindow help;
    for (QWidget* window : std::initializer_list<QWidget*>{&files, &options, &about, &help}) {
        EXPECT_EQ(Unnamed(*window), Texts{}) << window->metaObject()->className();
    }
}
