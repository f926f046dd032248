// Questions and messages shown while one library replaces another run a real event
// loop, as a message box does, repainting every window meanwhile. Run under
// AddressSanitizer, this catches a view that paints records already freed.
#include "MainFrameFixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// Answers like the scripted prompter, after repainting every window and running the
// event loop for a moment, as a message box's own loop would.
class LiveLoopPrompter : public ScriptedPrompter {
public:
    PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons) override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) window->grab();
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        ++loops;
        return ScriptedPrompter::Ask(text, caption, buttons);
    }
    int loops = 0;
};

class LiveLoopTest : public MainFrameTest {
protected:
    LiveLoopTest()
    {
        std::string forty;
        for (int i = 0; i < 40; ++i) forty += "photo" + std::to_string(i) + "|1999|Smith, John|||note|\r\n";
        m_live.Files().OpenLibraryByName(MakeLibrary("Forty.pdb", forty));
        m_live.resize(900, 600);
        m_live.show();
    }

    LiveLoopPrompter m_livePrompter;
    MainFrame m_live{m_livePrompter, m_chooser, m_settingsFile.Settings(), m_recentFiles, m_dialogs};
};

}  // namespace

TEST_F(LiveLoopTest, EveryLibraryReplacingPathPaintsOnlyLiveRecords)
{
    std::string other;
    for (int i = 0; i < 5; ++i) other += "other" + std::to_string(i) + "|2001||||x|\r\n";
    const std::string bareNew = Folder() + "/bare/New.pdb";
    std::filesystem::create_directories(Folder() + "/bare");  // a database without picture folders
    const std::string bareOpen = Folder() + "/bare/Other.pdb";
    WriteBytes(bareOpen, other);
    const std::string corrupt = MakeLibrary("Corrupt.pdb", "good|1999|||||\r\nx||a|b|c|d|\r\n");
    struct Step {
        const char* label;
        std::function<void()> run;
        int questions;  // at least this many loops ran
        int rowsAfter;
    };
    const Step steps[] = {
        {"open a library without picture folders", [&] { m_chooser.Answer(bareOpen);
             m_live.Action(CommandId::FileOpen)->trigger(); }, 1, 5},
        {"open by name", [&] { m_live.Files().OpenLibraryByName(Path("Forty.pdb")); }, 0, 40},
        {"a corrupt library", [&] { m_chooser.Answer(corrupt);
             m_live.Action(CommandId::FileOpen)->trigger(); }, 2, 0},
        {"open by name, folders missing again", [&] {
             std::filesystem::remove_all(Folder() + "/bare/Thumbnail Pictures");
             m_live.Files().OpenLibraryByName(bareOpen); }, 1, 5},
        {"new in a folder without picture folders", [&] {
             m_live.Files().OpenLibraryByName(Path("Forty.pdb"));
             std::filesystem::remove_all(Folder() + "/bare/Thumbnail Pictures");
             m_chooser.Answer(bareNew);
             m_live.Action(CommandId::FileNew)->trigger(); }, 1, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        PhotoList& list = m_live.Context().photoList;
        if (list.RowCount() > 0) list.SetCurrentPhoto(list.PhotoAtRow(list.RowCount() - 1));
        m_live.grab();
        const int before = m_livePrompter.loops;
        step.run();
        EXPECT_GE(m_livePrompter.loops - before, step.questions);
        EXPECT_EQ(list.RowCount(), step.rowsAfter);
        m_live.grab();
    }
    EXPECT_TRUE(std::filesystem::exists(bareNew));
    EXPECT_FALSE(m_live.HasClosed());
}
