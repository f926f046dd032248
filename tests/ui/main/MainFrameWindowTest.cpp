#include "MainFrameFixture.h"

#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/main/AboutBox.h"
#include "ui/main/CommandTable.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/IconTheme.h"

#include <QApplication>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <set>

namespace {

std::set<CommandId> Disabled(const MainFrame& frame)
{
    std::set<CommandId> disabled;
    for (const auto& command : CommandTable::Commands()) {
        if (command.rule != EnableRule::OwnState && !frame.Action(command.id)->isEnabled()) {
            disabled.insert(command.id);
        }
    }
    return disabled;
}

}  // namespace

TEST_F(MainFrameTest, CommandsFollowTheLibraryTheCurrentPhotoAndTheShow)
{
    const std::set<CommandId> photoCommands = {
        CommandId::Copy, CommandId::EditPhotoInformation, CommandId::EditCurrentPhoto,
        CommandId::EditOriginalPhoto, CommandId::HideSelection, CommandId::DeleteDatabaseOnly,
        CommandId::DeleteDatabaseAndFiles};
    std::set<CommandId> withoutLibrary = photoCommands;
    for (const auto& command : CommandTable::Commands()) {
        if (command.rule == EnableRule::Library) withoutLibrary.insert(command.id);
    }
    EXPECT_EQ(Disabled(m_frame), withoutLibrary);
    EXPECT_TRUE(withoutLibrary.contains(CommandId::FileSave));
    EXPECT_FALSE(withoutLibrary.contains(CommandId::FileOpen));
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("Image Count"));

    OpenWithDialog(MakeLibrary("Family.pdb"));
    EXPECT_EQ(Disabled(m_frame), photoCommands);

    PhotoList* list = m_frame.GetPhotoList();
    list->SetCurrentPhoto(list->PhotoAtRow(1));
    EXPECT_TRUE(Disabled(m_frame).empty());
    EXPECT_EQ(m_frame.GetPictureView()->PhotoShown(), list->PhotoAtRow(1));
    list->ShowSubset({list->PhotoAtRow(1)});
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("1 of 2"));

    m_frame.SetPictureShowRunning(true);
    EXPECT_EQ(Disabled(m_frame),
              (std::set<CommandId>{CommandId::DeleteDatabaseOnly, CommandId::DeleteDatabaseAndFiles}));
    m_frame.SetPictureShowRunning(false);
    EXPECT_TRUE(Disabled(m_frame).empty());

    OpenWithDialog(Path("Family.pdb"));
    EXPECT_EQ(list->CurrentPhoto(), nullptr);
    EXPECT_EQ(m_frame.GetPictureView()->PhotoShown(), nullptr);
    EXPECT_EQ(Disabled(m_frame), photoCommands);
}

// Closing with Yes is among the ModifiedLibrary cases.
TEST_F(MainFrameTest, ClosingAsksOnlyAboutChangesAndNoWritesNothing)
{
    OpenModifiedFamily();
    m_prompter.Forget();
    m_prompter.Answer(PromptAnswer::No);
    m_frame.Action(CommandId::Exit)->trigger();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Save Family.pdb before exiting?"});
    EXPECT_EQ(m_prompter.Messages().at(0).buttons, PromptButtons::YesNo);
    EXPECT_EQ(ReadFile(Path("Family.pdb")), kTwoPhotos);
    EXPECT_TRUE(m_frame.HasClosed());

    MainFrame unchanged(m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles);
    unchanged.OpenLibraryByName(Path("Family.pdb"));
    m_prompter.Forget();
    EXPECT_TRUE(unchanged.close());
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_TRUE(unchanged.HasClosed());
}

TEST_F(MainFrameTest, TheSplitterHoldsThePictureLeftAtSevenTenths)
{
    const QSplitter* splitter = m_frame.findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->widget(0), m_frame.GetPictureView());
    EXPECT_EQ(splitter->widget(1), m_frame.GetPhotoList());
    m_frame.resize(1000, 700);
    m_frame.show();
    const QList<int> sizes = splitter->sizes();
    EXPECT_NEAR(static_cast<double>(sizes[0]) / (sizes[0] + sizes[1]), 0.7, 0.02);
}

TEST_F(MainFrameTest, ToolbarButtonsHaveIconsAndToolTips)
{
    IconTheme::Ensure();
    MainFrame frame(m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles);
    const QToolBar* toolBar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    int buttons = 0;
    for (QAction* action : toolBar->actions()) {
        if (action->isSeparator()) continue;
        ++buttons;
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->text().toStdString();
    }
    EXPECT_EQ(buttons, 15);
}

TEST_F(MainFrameTest, FitToWindowAndF6)
{
    m_frame.show();
    QApplication::setActiveWindow(&m_frame);
    EXPECT_TRUE(m_frame.Action(CommandId::FitToWindow)->isChecked());
    m_frame.Action(CommandId::FitToWindow)->trigger();
    EXPECT_FALSE(m_frame.GetPictureView()->FitToWindow());

    m_frame.GetPhotoList()->setFocus();
    m_frame.Action(CommandId::NextPane)->trigger();
    EXPECT_TRUE(m_frame.GetPictureView()->hasFocus());
    m_frame.Action(CommandId::PreviousPane)->trigger();
    EXPECT_TRUE(m_frame.GetPhotoList()->hasFocus());
}

TEST_F(MainFrameTest, AboutAndHelp)
{
    AboutBox about;
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("versionText"))->text(),
              QStringLiteral("Quillery Version 1.05"));
    about.show();
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_EQ(about.result(), QDialog::Accepted);

    m_frame.Action(CommandId::HelpTopics)->trigger();
    m_frame.Action(CommandId::HelpTopics)->trigger();
    ASSERT_EQ(m_frame.findChildren<HelpWindow*>().size(), 1);
    const HelpWindow* help = m_frame.findChild<HelpWindow*>();
    EXPECT_TRUE(help->isVisible());
    ASSERT_TRUE(QFile::exists(HelpWindow::IndexPath()))
        << "the manual was not copied beside " << HelpWindow::IndexPath().toStdString();
    EXPECT_TRUE(help->Browser()->source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
    EXPECT_EQ(help->Browser()->documentTitle(), QStringLiteral("Quillery Help"));
}
