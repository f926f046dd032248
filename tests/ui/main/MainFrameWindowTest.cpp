#include "MainFrameFixture.h"

#include "ui/main/CommandState.h"
#include "ui/main/CommandTable.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/IconTheme.h"
#include "store/LibraryLock.h"

#include <QTextBrowser>

#include <map>
#include <set>

namespace {

std::set<CommandId> Disabled(const MainFrame& frame)
{
    std::set<CommandId> disabled;
    for (const auto& command : CommandTable::Commands())
        if (command.rule != EnableRule::OwnState && !frame.Action(command.id)->isEnabled()) disabled.insert(command.id);
    return disabled;
}

}  // namespace

TEST_F(MainFrameTest, CommandsFollowTheLibraryTheCurrentPhotoTheShowAndHiding)
{
    const std::set<CommandId> photoCommands = {CommandId::Copy, CommandId::EditPhotoInformation,
        CommandId::EditCurrentPhoto, CommandId::EditOriginalPhoto, CommandId::HideSelection,
        CommandId::DeleteDatabaseOnly, CommandId::DeleteDatabaseAndFiles,
        CommandId::AddNamesToSelection};  // the current photo's row is selected
    std::set<CommandId> withoutLibrary = photoCommands;
    for (const auto& command : CommandTable::Commands())
        if (command.rule == EnableRule::Library || command.rule == EnableRule::WritableLibrary) withoutLibrary.insert(command.id);
    EXPECT_EQ(Disabled(m_frame), withoutLibrary);

    OpenWithDialog(MakeLibrary("Family.pdb"));
    EXPECT_EQ(Disabled(m_frame), photoCommands);

    MakeCurrent(1);
    EXPECT_TRUE(Disabled(m_frame).empty());
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), List().PhotoAtRow(1));

    m_frame.Context().state.SetPictureShowRunning(true);
    EXPECT_EQ(Disabled(m_frame),
              (std::set<CommandId>{CommandId::DeleteDatabaseOnly, CommandId::DeleteDatabaseAndFiles,
                                   CommandId::AddNamesToSelection}));
    m_frame.Context().state.SetPictureShowRunning(false);

    OpenWithDialog(Path("Family.pdb"));
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), nullptr);
    EXPECT_EQ(Disabled(m_frame), photoCommands);

    // Hiding the current photo's row leaves none current, and so nothing more to hide;
    // the count pane shows the rows left of all the library's photos.
    MakeCurrent(1);
    Trigger(CommandId::HideSelection);
    EXPECT_EQ(CountPane(), "1 of 2");
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), nullptr);
    EXPECT_EQ(Disabled(m_frame), photoCommands);
    EXPECT_FALSE(Lib().IsModified());
}

// Closing with Yes is among the ModifiedLibrary cases.
TEST_F(MainFrameTest, ClosingAsksOnlyAboutChangesNoWritesNothingCancelStays)
{
    OpenModifiedFamily();
    m_prompter.Forget();
    m_prompter.Answer(PromptAnswer::No);
    Trigger(CommandId::Exit);
    EXPECT_EQ(m_prompter.Texts(), Texts{"Save Family.pdb before exiting?"});
    EXPECT_EQ(ReadBytes(Path("Family.pdb")), kTwoPhotos);
    EXPECT_TRUE(m_frame.HasClosed());

    // Cancel, which Escape and the box's close button also give, keeps the window and
    // the changes.
    MainFrame kept(m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles, m_dialogs);
    kept.Files().OpenLibraryByName(MakeLibrary("Trip.pdb"));
    kept.Context().library.MarkModified();
    m_prompter.Forget();
    m_prompter.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(kept.close());
    EXPECT_EQ(m_prompter.Messages().at(0).buttons, PromptButtons::YesNoCancel);
    EXPECT_FALSE(kept.HasClosed());
    EXPECT_TRUE(kept.Context().library.IsModified());
    EXPECT_EQ(ReadBytes(Path("Trip.pdb")), kTwoPhotos);

    MainFrame unchanged(m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles, m_dialogs);
    unchanged.Files().OpenLibraryByName(Path("Family.pdb"));
    m_prompter.Forget();
    EXPECT_TRUE(unchanged.close());
    EXPECT_TRUE(m_prompter.Texts().empty());
}

// Opened read-only while another program has it, the library shows so in the title and
// keeps every command that would change it or its files off.
TEST_F(MainFrameTest, ALibraryOpenElsewhereOpensReadOnlyWithoutItsChangingCommands)
{
    const std::string path = MakeLibrary("Family.pdb");
    const LibraryLock other = LibraryLock::Take(path);
    ASSERT_TRUE(other.Held());
    OpenWithDialog(path);
    EXPECT_EQ(m_prompter.Texts(),
              Texts{"The library " + path + " is open in another Quillery.\nOpen it read-only?"});
    EXPECT_EQ(Title(), QStringLiteral("Quillery - Family.pdb (read-only)"));
    MakeCurrent(1);
    EXPECT_EQ(Disabled(m_frame),
              (std::set<CommandId>{CommandId::FileSave, CommandId::FileSaveAs, CommandId::Import,
                  CommandId::AddPhotoViaScanner, CommandId::AddPhotoFromFile, CommandId::DeleteDatabaseOnly,
                  CommandId::DeleteDatabaseAndFiles, CommandId::EditPhotoInformation, CommandId::EditCurrentPhoto,
                  CommandId::EditOriginalPhoto, CommandId::EditNames, CommandId::EditEvents, CommandId::EditLocation,
                  CommandId::AddNamesToSelection}));
}

// Help Topics opens the manual at its index, centred on the main window, leaving its
// menu in view, and goes back through the pages read.
TEST_F(MainFrameTest, HelpOpensCentredOnTheWindowAndGoesBack)
{
    m_frame.setGeometry(100, 80, 1000, 760);
    m_frame.show();
    Trigger(CommandId::HelpTopics);
    auto* help = m_frame.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_LE((help->frameGeometry().center() - m_frame.frameGeometry().center()).manhattanLength(), 10);
    QTextBrowser* browser = help->Browser();
    const QUrl index = browser->source();
    ASSERT_TRUE(index.isLocalFile()) << "the manual is built beside the tests";
    EXPECT_EQ(index.fileName(), QStringLiteral("index.html"));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Quillery Help"));
    browser->setSource(index.resolved(QUrl(QStringLiteral("libraries.html"))));
    help->findChild<QAction*>(QStringLiteral("helpBack"))->trigger();
    EXPECT_EQ(browser->source(), index);
    // Asked again from a page further in, Help Topics comes back to the index.
    browser->setSource(index.resolved(QUrl(QStringLiteral("scanning.html"))));
    help->close();
    Trigger(CommandId::HelpTopics);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(browser->source(), index);
}

// Every toolbar button is told apart by its picture (two calendar-like commands once
// drew the same one), and the tool tips are spelt right.
TEST_F(MainFrameTest, ToolbarButtonsDrawPicturesOfTheirOwn)
{
    IconTheme::Ensure();
    std::map<QByteArray, CommandId> drawn;
    for (const CommandId id : CommandTable::ToolBar()) {
        if (id == CommandId::Separator) continue;
        const QImage image = m_frame.Action(id)->icon().pixmap(22, 22).toImage();
        const QString text = m_frame.Action(id)->text();
        ASSERT_FALSE(image.isNull()) << text.toStdString();
        const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        const auto [first, added] = drawn.emplace(pixels, id);
        EXPECT_TRUE(added) << text.toStdString() << " draws as " << m_frame.Action(first->second)->text().toStdString();
    }
    EXPECT_EQ(m_frame.Action(CommandId::FilterByPerson)->toolTip(), QStringLiteral("Filter by name"));
}
