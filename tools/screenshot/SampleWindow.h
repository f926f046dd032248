#pragma once

#include "store/ProfileSettings.h"
#include "store/RecentFileList.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/ModalDialogRunner.h"
#include "ui/common/QtPrompter.h"

#include <QTemporaryDir>

#include <filesystem>
#include <memory>

class MainFrame;

// The main window of a screenshot program, on a copy of the sample library that the
// build makes beside the programs, so that a screenshot changes nothing there. Its
// settings file lies in the copy's folder and starts past the first-run set-up.
class SampleWindow {
  public:
    explicit SampleWindow(const std::filesystem::path& binFolder);
    ~SampleWindow();

    // The window of a program called with `count` arguments, the first the bin folder.
    // Null after saying why on the error output; exitCode then holds 2 for wrong
    // arguments, 1 for a folder without Samples.pdb.
    static std::unique_ptr<SampleWindow> ForArguments(int argc, char** argv, int count,
                                                      const char* usage, int& exitCode);

    // False when the folder held no Samples.pdb.
    bool Copied() const { return m_copied; }
    ProfileSettings& Settings() { return m_settings; }
    QtPrompter& Prompter() { return m_prompter; }
    ModalDialogRunner& Dialogs() { return m_dialogs; }
    // Shows the window at 1280 x 800 with the copy open; settings written before are
    // the ones it reads.
    MainFrame& Open();

  private:
    QTemporaryDir m_work;
    bool m_copied = false;
    ProfileSettings m_settings;
    RecentFileList m_recentFiles;
    QtPrompter m_prompter;
    DialogFileChooser m_chooser;
    ModalDialogRunner m_dialogs;
    std::unique_ptr<MainFrame> m_frame;
};
