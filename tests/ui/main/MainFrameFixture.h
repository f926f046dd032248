#pragma once

#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "TempSettingsFile.h"

#include "core/CQuilleryDoc.h"
#include "store/RecentFileList.h"
#include "ui/main/MainFrame.h"

#include <QAction>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A main window offscreen with scripted answers, a settings file of its own and a
// temporary folder for libraries.
class MainFrameTest : public testing::Test {
protected:
    static constexpr const char* kTwoPhotos =
        "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one|\r\n"
        "garden|1999||Summer holiday|||\r\n";

    static constexpr const char* kCreateQuestion =
        "One or more subdirectories do not exist\nCreate these directories now?";

    std::string Path(const std::string& name) const { return m_dir.File(name); }
    std::string Folder() const { return m_dir.Path().string(); }

    static void WriteFile(const std::string& path, const std::string& content)
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << content;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    static void MakePictureDirectories(const std::string& folder)
    {
        for (const char* name : {"/Full Screen Pictures", "/High Resolution Images",
                                 "/Original Images", "/Thumbnail Pictures"}) {
            std::filesystem::create_directories(folder + name);
        }
    }

    static bool HasPictureDirectories(const std::string& folder)
    {
        for (const char* name : {"/Full Screen Pictures", "/High Resolution Images",
                                 "/Original Images", "/Thumbnail Pictures"}) {
            if (!std::filesystem::is_directory(folder + name)) return false;
        }
        return true;
    }

    // A library file with its picture directories in the test's folder.
    std::string MakeLibrary(const std::string& name, const std::string& content = kTwoPhotos)
    {
        MakePictureDirectories(Folder());
        WriteFile(Path(name), content);
        return Path(name);
    }

    void OpenWithDialog(const std::string& path)
    {
        m_chooser.Answer(path);
        m_frame.OnFileOpen();
    }

    // Gives the open library a change that is not saved yet.
    void AddUnsavedPhoto(const std::string& fileName)
    {
        PhotoRecord record;
        record.SetFileName(fileName);
        record.SetDate(1, 2, 2003);
        m_frame.Catalog().AddPhoto(record);
        m_frame.Catalog().SetModified(true);
    }

    bool Enabled(CommandId id) const { return m_frame.Action(id)->isEnabled(); }
    QString Title() const { return m_frame.windowTitle(); }

    TempSettingsFile m_settingsFile;
    RecentFileList m_recentFiles{m_settingsFile.Path().toStdString()};
    ScriptedPrompter m_prompter;
    ScriptedFileChooser m_chooser;
    TempDir m_dir;
    MainFrame m_frame{m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles};
};
