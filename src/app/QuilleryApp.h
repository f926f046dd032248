#pragma once

#include "store/ProfileSettings.h"
#include "store/RecentFileList.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/ModalDialogRunner.h"
#include "ui/common/QtPrompter.h"

#include <memory>
#include <string>
#include <vector>

class CQuilleryDoc;
struct FirstRunPlaces;
class MainFrame;

// Starts the program: the settings file, the main window with its seams, the first
// run check and the library named on the command line.
class QuilleryApp {
public:
    QuilleryApp();
    ~QuilleryApp();
    QuilleryApp(const QuilleryApp&) = delete;
    QuilleryApp& operator=(const QuilleryApp&) = delete;

    // False when the program has already ended (the user declined to create the
    // picture directories of the library on the command line).
    bool InitInstance(const std::vector<std::string>& arguments);

    // Opens the library through the main window; its catalog is the answer even
    // when the library could not be read.
    const CQuilleryDoc& OpenDocumentFile(const std::string& path);

    MainFrame* Frame() const { return m_frame.get(); }

    // The first argument after the program's name that is not an option, as the bytes
    // given: at most one library is opened.
    static std::string LibraryArgument(const std::vector<std::string>& arguments);

    // Where the first start of this program for this user writes, from the running
    // program and the XDG environment.
    static FirstRunPlaces FirstRunPlacesOfThisRun();

    // The file an install puts beside the program: its folder is the system's.
    static constexpr const char* kInstalledMark = "installed-for-all-users";

private:
    ProfileSettings m_settings;
    RecentFileList m_recentFiles;
    QtPrompter m_prompter;
    DialogFileChooser m_fileChooser;
    ModalDialogRunner m_dialogs;
    std::unique_ptr<MainFrame> m_frame;
};
