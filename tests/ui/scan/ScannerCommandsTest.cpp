// The two scanner commands with a context of their own: the source chosen in Setup is
// remembered, a cancelled Setup keeps it, and a scan adds its photo through the command.
#include "../dialogs/PhotoLibrary.h"
#include "ScriptedFileChooser.h"

#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/ScannerCommands.h"
#include "ui/scan/DeviceOptionsDialog.h"
#include "ui/scan/SelectSourceDialog.h"
#include "ui/scan/TwainScanDialog.h"

#include "HeldSane.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

namespace {

constexpr int kDeadlineMs = 20000;

class ScannerCommandsTest : public testing::Test {
protected:
    // Scripts Select Source to wait for the list, pick `row` and press Select, or
    // Cancel when row is negative.
    void ThenSelect(int row)
    {
        m_library.Dialogs().Then<SelectSourceDialog>([row](SelectSourceDialog& dialog) {
            QSignalSpy shown(&dialog, &SelectSourceDialog::devicesShown);
            ASSERT_TRUE(shown.wait(kDeadlineMs));
            if (row < 0) return dialog.reject();
            dialog.findChild<QListWidget*>()->setCurrentRow(row);
            dialog.accept();
        });
    }

    PhotoLibrary m_library;
    RecentFileList m_recentFiles{m_library.File("recent.conf")};
    QWidget m_window;
    CommandSet m_actions{&m_window};
    CommandState m_state;
    PhotoList m_list;
    PictureView m_view;
    ScriptedFileChooser m_chooser;
    CommandContext m_context{m_library.GetLibrary(), m_library.Prompter(), m_chooser,
                             m_library.Dialogs(), m_library.Settings(), m_actions, m_state,
                             m_list, m_view, m_window};
    LibraryCommands m_files{m_context, m_recentFiles, nullptr};
    ScannerCommands m_commands{m_context, m_files};
};

}  // namespace

TEST_F(ScannerCommandsTest, SetupRemembersTheSourceAndACancelledSetupKeepsIt)
{
    EXPECT_FALSE(m_commands.RememberedSource().IsChosen());
    ThenSelect(1);
    m_actions.Action(CommandId::TwainSetup)->trigger();
    EXPECT_EQ(m_commands.RememberedSource().name, "test:1");
    ThenSelect(-1);
    m_actions.Action(CommandId::TwainSetup)->trigger();
    EXPECT_EQ(m_commands.RememberedSource().name, "test:1");
    EXPECT_TRUE(m_library.Dialogs().Done());
    EXPECT_TRUE(m_library.Prompter().Texts().empty());
}

TEST_F(ScannerCommandsTest, AScanAddsAndSavesThePhoto)
{
    m_library.Dialogs().Then<TwainScanDialog>([](TwainScanDialog& dialog) {
        QSignalSpy enabled(&dialog, &TwainScanDialog::sourceEnabled);
        ASSERT_TRUE(enabled.wait(kDeadlineMs));
        QSignalSpy handled(&dialog, &TwainScanDialog::imageHandled);
        for (auto* button : dialog.SourceInterface()->findChildren<QPushButton*>()) {
            if (button->text() == "&Scan") button->click();
        }
        ASSERT_TRUE(handled.wait(kDeadlineMs));
        dialog.reject();
    });
    m_library.Dialogs().Then<PhotoInfoDialog>([](PhotoInfoDialog& photo) {
        photo.NameField()->setText("from the glass");
        photo.DateField()->setText("5/2010");
        photo.OkButton()->click();
    });
    m_actions.Action(CommandId::AddPhotoViaScanner)->trigger();
    EXPECT_TRUE(m_library.Dialogs().Done());
    ASSERT_EQ(m_library.Catalog().PhotoCount(), 1);
    EXPECT_EQ(m_library.Catalog().PhotoAt(0).GetFileName(), "from the glass");
    EXPECT_FALSE(m_library.Catalog().IsModified()) << "the library is saved after the photo";
}

// A driver that never returns keeps SANE to itself (a session held on another thread
// stands in for it). Setup then says it cannot start SANE after the session's wait
// instead of searching behind it for ever.
TEST_F(ScannerCommandsTest, SaneHeldByAStuckDriverMakesSetupGiveUp)
{
    HeldSane sane;
    ASSERT_TRUE(sane.Held());

    ThenSelect(0);
    m_actions.Action(CommandId::TwainSetup)->trigger();
    EXPECT_EQ(m_library.Prompter().Texts(), std::vector<std::string>{"Unable to setup TWAIN"});
    EXPECT_FALSE(m_commands.RememberedSource().IsChosen());
    EXPECT_TRUE(m_library.Dialogs().Done());
    sane.Release();
}
