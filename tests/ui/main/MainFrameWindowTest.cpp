#include "MainFrameFixture.h"

#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/main/AboutBox.h"
#include "ui/main/CommandTable.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/IconTheme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QTest>
#include <QToolButton>

#include <set>

using Texts = std::vector<std::string>;

namespace {

std::set<CommandId> Disabled(const MainFrame& frame)
{
    std::set<CommandId> disabled;
    for (const auto& command : CommandTable::Commands()) {
        if (command.rule == EnableRule::OwnState) continue;
        if (!frame.Action(command.id)->isEnabled()) disabled.insert(command.id);
    }
    return disabled;
}

std::set<CommandId> WithRules(std::initializer_list<EnableRule> rules)
{
    std::set<CommandId> ids;
    for (const auto& command : CommandTable::Commands()) {
        if (std::find(rules.begin(), rules.end(), command.rule) != rules.end()) ids.insert(command.id);
    }
    return ids;
}

}  // namespace

TEST_F(MainFrameTest, WithoutALibraryOnlyTheRulelessCommandsWork)
{
    EXPECT_EQ(Disabled(m_frame), WithRules({EnableRule::Library, EnableRule::CurrentPhoto,
                                            EnableRule::CurrentPhotoNoShow}));
    for (const CommandId id : {CommandId::FileNew, CommandId::FileOpen, CommandId::Options,
                               CommandId::HelpTopics, CommandId::About, CommandId::Exit}) {
        EXPECT_TRUE(Enabled(id)) << static_cast<int>(id);
    }
    EXPECT_FALSE(Enabled(CommandId::FileSave));
    EXPECT_FALSE(Enabled(CommandId::AddPhotoFromFile));
    EXPECT_EQ(Title(), QStringLiteral("Quillery"));
}

TEST_F(MainFrameTest, WithALibraryButNoCurrentPhotoThePhotoCommandsWait)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    const std::set<CommandId> expected = {
        CommandId::Copy,           CommandId::EditPhotoInformation, CommandId::EditCurrentPhoto,
        CommandId::EditOriginalPhoto, CommandId::HideSelection,     CommandId::DeleteDatabaseOnly,
        CommandId::DeleteDatabaseAndFiles};
    EXPECT_EQ(Disabled(m_frame), expected);
}

TEST_F(MainFrameTest, ACurrentPhotoEnablesEverythingAndAShowDisablesTheDeletes)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    PhotoList* list = m_frame.GetPhotoList();
    list->SetCurrentPhoto(list->PhotoAtRow(1));
    EXPECT_TRUE(Disabled(m_frame).empty());
    EXPECT_EQ(m_frame.GetPictureView()->PhotoShown(), list->PhotoAtRow(1));

    m_frame.SetPictureShowRunning(true);
    EXPECT_EQ(Disabled(m_frame),
              (std::set<CommandId>{CommandId::DeleteDatabaseOnly, CommandId::DeleteDatabaseAndFiles}));
    EXPECT_TRUE(Enabled(CommandId::Copy));

    m_frame.SetPictureShowRunning(false);
    EXPECT_TRUE(Disabled(m_frame).empty());
}

TEST_F(MainFrameTest, OpeningAnotherLibraryClearsTheCurrentPhoto)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_frame.GetPhotoList()->SetCurrentPhoto(m_frame.GetPhotoList()->PhotoAtRow(0));
    OpenWithDialog(Path("Family.pdb"));
    EXPECT_EQ(m_frame.GetPhotoList()->CurrentPhoto(), nullptr);
    EXPECT_EQ(m_frame.GetPictureView()->PhotoShown(), nullptr);
    EXPECT_FALSE(Enabled(CommandId::Copy));
}

TEST_F(MainFrameTest, TheCountPaneFollowsTheList)
{
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("Image Count"));
    OpenWithDialog(MakeLibrary("Family.pdb"));
    PhotoList* list = m_frame.GetPhotoList();
    list->ShowSubset({list->PhotoAtRow(0)});
    EXPECT_EQ(m_frame.CountPane()->text(), QStringLiteral("1 of 2"));
}

TEST_F(MainFrameTest, ClosingUnchangedAsksNothing)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    EXPECT_TRUE(m_frame.close());
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_TRUE(m_frame.HasClosed());
}

TEST_F(MainFrameTest, ClosingWithChangesAnsweredNoWritesNothing)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    m_prompter.Answer(PromptAnswer::No);
    EXPECT_TRUE(m_frame.close());
    EXPECT_EQ(m_prompter.Texts(), Texts{"Save Family.pdb before exiting?"});
    EXPECT_EQ(m_prompter.Messages().at(0).buttons, PromptButtons::YesNo);
    EXPECT_EQ(ReadFile(Path("Family.pdb")), kTwoPhotos);
    EXPECT_TRUE(m_frame.HasClosed());
}

TEST_F(MainFrameTest, ClosingWithChangesAnsweredYesWritesFirst)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    m_prompter.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(m_frame.close());
    EXPECT_NE(ReadFile(Path("Family.pdb")).find("added|"), std::string::npos);
    EXPECT_TRUE(m_frame.HasClosed());
}

TEST_F(MainFrameTest, ExitGoesThroughTheSamePrompt)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    m_prompter.Answer(PromptAnswer::No);
    m_frame.Action(CommandId::Exit)->trigger();
    EXPECT_EQ(m_prompter.Texts(), Texts{"Save Family.pdb before exiting?"});
    EXPECT_TRUE(m_frame.HasClosed());
}

TEST_F(MainFrameTest, AFailedSaveOnClosingKeepsTheWindowOpen)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    AddUnsavedPhoto("added");
    WriteFile(Path("Family.bak"), "in the way");
    m_prompter.Answer(PromptAnswer::Yes);
    EXPECT_FALSE(m_frame.close());
    EXPECT_EQ(m_prompter.Texts(), (Texts{"Save Family.pdb before exiting?", "Error writing output file #4"}));
    EXPECT_FALSE(m_frame.HasClosed());
    EXPECT_EQ(m_frame.Catalog().PhotoCount(), 3);

    m_prompter.Answer(PromptAnswer::No);
    EXPECT_TRUE(m_frame.close()) << "the next close asks again and No closes";
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
    const double share = static_cast<double>(sizes[0]) / (sizes[0] + sizes[1]);
    EXPECT_NEAR(share, 0.7, 0.02);
}

TEST_F(MainFrameTest, StatusBarShowsReadyAndTheCountPane)
{
    QStringList texts;
    for (const QLabel* label : m_frame.statusBar()->findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Ready")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Image Count")));
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
    EXPECT_EQ(frame.Action(CommandId::FilterByPerson)->toolTip(), QStringLiteral("Fitler by name"));
}

TEST_F(MainFrameTest, ViewCommandsToggleTheBarsAndTheFit)
{
    m_frame.show();
    m_frame.Action(CommandId::ViewStatusBar)->trigger();
    EXPECT_FALSE(m_frame.statusBar()->isVisible());
    m_frame.Action(CommandId::ViewToolbar)->trigger();
    EXPECT_FALSE(m_frame.findChild<QToolBar*>()->isVisible());
    EXPECT_TRUE(m_frame.Action(CommandId::FitToWindow)->isChecked());
    m_frame.Action(CommandId::FitToWindow)->trigger();
    EXPECT_FALSE(m_frame.GetPictureView()->FitToWindow());
    EXPECT_TRUE(Enabled(CommandId::FitToWindow));
}

TEST_F(MainFrameTest, F6MovesBetweenThePanes)
{
    m_frame.show();
    QApplication::setActiveWindow(&m_frame);
    m_frame.GetPhotoList()->setFocus();
    m_frame.Action(CommandId::NextPane)->trigger();
    EXPECT_TRUE(m_frame.GetPictureView()->hasFocus());
    m_frame.Action(CommandId::PreviousPane)->trigger();
    EXPECT_TRUE(m_frame.GetPhotoList()->hasFocus());
}

TEST_F(MainFrameTest, TheContextMenuIsGivenToThePhotoList)
{
    ASSERT_NE(m_frame.PhotoContextMenu(), nullptr);
    EXPECT_EQ(m_frame.PhotoContextMenu()->actions().at(0), m_frame.Action(CommandId::Copy));
}

TEST(AboutBox, ShowsTheVersion)
{
    AboutBox about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillery"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("versionText"))->text(),
              QStringLiteral("Quillery Version 1.05"));
    about.show();
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(HelpWindow, OpensTheManualsIndex)
{
    HelpWindow help;
    help.ShowIndex();
    EXPECT_TRUE(help.isVisible());
    if (QFile::exists(HelpWindow::IndexPath())) {
        EXPECT_TRUE(help.Browser()->source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
        EXPECT_EQ(help.Browser()->documentTitle(), QStringLiteral("Quillery Help"));
    } else {
        ADD_FAILURE() << "the manual was not copied beside " << HelpWindow::IndexPath().toStdString();
    }
}

TEST_F(MainFrameTest, HelpTopicsOpensOneHelpWindow)
{
    m_frame.Action(CommandId::HelpTopics)->trigger();
    m_frame.Action(CommandId::HelpTopics)->trigger();
    EXPECT_EQ(m_frame.findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(m_frame.findChild<HelpWindow*>()->isVisible());
}

TEST_F(MainFrameTest, LockPanesStayEmptyWhereThePlatformCannotTell)
{
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        const QLabel* pane = m_frame.statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(pane, nullptr) << name;
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            EXPECT_TRUE(pane->text().isEmpty());
        }
    }
}
