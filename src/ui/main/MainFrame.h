#pragma once

#include "core/CQuilleryDoc.h"
#include "ui/main/CommandId.h"

#include <QMainWindow>
#include <QPointer>

#include <string>

class CommandSet;
class FileChooser;
class HelpWindow;
class PhotoList;
class PhotoRecord;
class PictureView;
class Prompter;
class QLabel;
class QMenu;
class QSplitter;
class RecentFileList;
class Settings;
class LockIndicators;

// The one main window: it owns the catalog of the open library, the command table's
// actions, the toolbar, the status bar and the splitter with the picture on the left
// and the photo list on the right. Library files (New, Open, Save, Save As, opening by
// name) live here; other commands are wired by the subsystems that own them through
// Action() and the accessors below.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    MainFrame(Prompter& prompter, FileChooser& fileChooser, Settings& settings,
              RecentFileList& recentFiles, QWidget* parent = nullptr);
    ~MainFrame() override;

    QAction* Action(CommandId id) const;

    CQuilleryDoc& Catalog() { return m_catalog; }
    const CQuilleryDoc& Catalog() const { return m_catalog; }
    PhotoList* GetPhotoList() const { return m_photoList; }
    PictureView* GetPictureView() const { return m_pictureView; }
    Prompter& GetPrompter() const { return m_prompter; }
    FileChooser& GetFileChooser() const { return m_fileChooser; }
    Settings& GetSettings() const { return m_settings; }
    // Directory of the open database file, without a trailing '/'; the root of the
    // picture store.
    const std::string& LibraryDirectory() const { return m_libraryDirectory; }
    const std::string& LibraryFileName() const { return m_libraryFileName; }
    bool HasLibrary() const { return !m_noLibrary; }

    bool IsPictureShowRunning() const { return m_pictureShowRunning; }
    void SetPictureShowRunning(bool running);

    // "N of M": rows of the photo list of photos in the catalog. Call after every
    // change of the catalog or the list; it also re-applies the enabling rules.
    void UpdatePhotoCount();
    QString PhotoCountText() const;
    // The three enabling rules, applied to every command of the table.
    void UpdateCommandStates();

    // True when all four picture directories exist under the directory, or the user
    // let them be created. Declining ends the program.
    bool CheckPictureDirectories(const std::string& directory);
    // Opens a library named on the command line or in the recent-file list; the
    // title shows its name without extension.
    void OpenLibraryByName(const std::string& path);
    // Writes the library, through Save As when it has no file yet; false when the
    // library is still unsaved afterwards.
    bool Save();

    // True once the window has closed, which ends the program.
    bool HasClosed() const { return m_closed; }

    // The photo context menu of the list, built from the same actions.
    QMenu* PhotoContextMenu() const { return m_contextMenu; }
    QLabel* CountPane() const { return m_countPane; }

public Q_SLOTS:
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
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

    // Library files.
    bool SaveIfModified();
    bool SaveAs();
    void ForgetLibraryAfterFailedRead();
    void SetLibraryPath(const std::string& directory, const std::string& fileName);
    void ShowLibraryTitle(const std::string& shownName);
    void ShowLibraryContents(const std::string& path);
    void EndProgram();

    Prompter& m_prompter;
    FileChooser& m_fileChooser;
    Settings& m_settings;
    RecentFileList& m_recentFiles;

    std::string m_libraryDirectory;
    std::string m_libraryFileName;
    PictureView* m_pictureView = nullptr;
    PhotoList* m_photoList = nullptr;
    CQuilleryDoc m_catalog;
    bool m_pictureShowRunning = false;
    QSplitter* m_splitter = nullptr;
    bool m_noLibrary = true;
    bool m_closed = false;

    CommandSet* m_commands = nullptr;
    QMenu* m_contextMenu = nullptr;
    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_countPane = nullptr;
    LockIndicators* m_lockIndicators = nullptr;
    QPointer<HelpWindow> m_helpWindow;
};
