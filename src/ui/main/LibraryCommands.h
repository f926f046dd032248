#pragma once

#include <QObject>

#include <string>

struct CommandContext;
class RecentFileList;

// The library file commands: New, Open, Save, Save As, opening a library by name
// (command line, recent-file list) and the question on closing the window. Unsaved
// changes are written before another library replaces them.
class LibraryCommands : public QObject {
    Q_OBJECT
public:
    LibraryCommands(CommandContext& context, RecentFileList& recentFiles, QObject* parent);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave() { Save(); }
    void OnFileSaveAs() { SaveAs(); }
    // The title shows the library's name without extension.
    void OpenLibraryByName(const std::string& path);
    // Writes the library, through Save As when it has no file yet; false when the
    // library is still unsaved afterwards.
    bool Save();
    // Asks whether to save a modified library (Yes, No, Cancel); false when the window
    // must stay open: cancelled, or the save failed.
    bool MayClose();

Q_SIGNALS:
    void recentFilesChanged();

private:
    void Connect();
    bool SaveAs();
    bool SaveIfModified();
    // Declining the picture folders ends the program.
    void EndProgram();
    void Opened(const std::string& shownName);
    void ShowTitle(const std::string& shownName);

    CommandContext& m_context;
    RecentFileList& m_recentFiles;
};
