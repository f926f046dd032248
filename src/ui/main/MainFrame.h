#pragma once

#include "ui/main/CommandContext.h"
#include "ui/main/CommandId.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <string>

class CommandSet;
class CommandState;
class DialogRunner;
class FileChooser;
class HelpWindow;
class Library;
class LibraryCommands;
class LockIndicators;
class PhotoCommands;
class PhotoList;
class PictureView;
class Prompter;
class QLabel;
class QMenu;
class QSplitter;
class RecentFileList;
class Settings;

// The one main window: it holds the open library, the command table's actions, the
// toolbar, the status bar and the splitter with the picture on the left and the
// photo list on the right. The views, the count, the title and the enabling rules
// follow the library's announcements; the command groups get a CommandContext and
// wire themselves to the actions.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    MainFrame(Prompter& prompter, FileChooser& fileChooser, Settings& settings,
              RecentFileList& recentFiles, DialogRunner& dialogs, QWidget* parent = nullptr);
    ~MainFrame() override;

    QAction* Action(CommandId id) const;
    // What the command groups work with; tests make groups of their own from it.
    CommandContext& Context() { return *m_context; }
    LibraryCommands& Files() const { return *m_libraryCommands; }

    // "N of M": rows of the photo list of photos in the catalog.
    QString PhotoCountText() const;

    // True once the window has closed, which ends the program.
    bool HasClosed() const { return m_closed; }

public Q_SLOTS:
    void OnOptions();
    void OnHelpTopics();
    void OnAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildBars();
    void BuildClientArea();
    void ConnectCommands();
    void ConnectViews();
    void RebuildRecentFiles();
    void SwitchPane(int step);
    // The count pane and the three enabling rules, after every change of the
    // library, the rows, the current photo or the shared state.
    void UpdatePhotoCount();
    void UpdateCommandStates();

    Settings& m_settings;
    RecentFileList& m_recentFiles;

    Library* m_library = nullptr;
    CommandState* m_state = nullptr;
    CommandSet* m_commands = nullptr;
    PictureView* m_pictureView = nullptr;
    PhotoList* m_photoList = nullptr;
    QSplitter* m_splitter = nullptr;
    std::unique_ptr<CommandContext> m_context;
    LibraryCommands* m_libraryCommands = nullptr;
    bool m_closed = false;

    QMenu* m_contextMenu = nullptr;
    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_countPane = nullptr;
    LockIndicators* m_lockIndicators = nullptr;
    QPointer<HelpWindow> m_helpWindow;
};
