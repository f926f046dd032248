#pragma once

#include "FileBytes.h"
#include "ScriptedDialogRunner.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "TempSettingsFile.h"

#include "core/CQuilleryDoc.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"

#include <QAction>
#include <QLabel>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using Texts = std::vector<std::string>;

// A main window offscreen with scripted answers, a settings file of its own and a
// temporary folder for libraries.
class MainFrameTest : public testing::Test {
protected:
    static constexpr const char* kTwoPhotos =
        "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one|\r\n"
        "garden|1999||Summer holiday|||\r\n";
    inline static const std::string kThreePhotos = std::string(kTwoPhotos) + "pond|2001|||||\r\n";
    static constexpr const char* kCreateQuestion =
        "One or more subdirectories do not exist\nCreate these directories now?";

    std::string Path(const std::string& name) const { return m_dir.File(name); }
    std::string Folder() const { return m_dir.Path().string(); }
    std::string FullScreenPath(const std::string& name) const
    {
        return PictureStore::VersionPath(Folder(), PictureStore::Version::FullScreen, name);
    }

    // A library file with its picture folders in the test's folder.
    std::string MakeLibrary(const std::string& name, const std::string& content = kTwoPhotos)
    {
        Library::CreatePictureFolders(Folder());
        WriteBytes(Path(name), content);
        return Path(name);
    }

    void OpenWithDialog(const std::string& path)
    {
        m_chooser.Answer(path);
        m_frame.Files().OnFileOpen();
    }

    // Opens Family.pdb and gives it a change that is not saved yet.
    void OpenModifiedFamily()
    {
        OpenWithDialog(MakeLibrary("Family.pdb"));
        PhotoRecord record;
        record.SetFileName("added");
        record.SetDate(1, 2, 2003);
        Lib().AddPhoto(record);
    }

    Library& Lib() { return m_frame.Context().library; }
    QString Title() const { return m_frame.windowTitle(); }
    QString CountPane() const { return m_frame.findChild<QLabel*>(QStringLiteral("countPane"))->text(); }
    PhotoList& List() { return m_frame.Context().photoList; }
    void Trigger(CommandId id) { m_frame.Action(id)->trigger(); }
    // Makes the photo of a row current, which selects its row.
    const PhotoRecord* MakeCurrent(int row)
    {
        const PhotoRecord* photo = List().PhotoAtRow(row);
        List().SetCurrentPhoto(photo);
        return photo;
    }
    // The file names of the rows, top to bottom.
    Texts Rows()
    {
        Texts names;
        for (int row = 0; row < List().RowCount(); ++row) names.push_back(List().PhotoAtRow(row)->GetFileName());
        return names;
    }

    TempSettingsFile m_settingsFile;
    RecentFileList m_recentFiles{m_settingsFile.Path().toStdString()};
    ScriptedPrompter m_prompter;
    ScriptedFileChooser m_chooser;
    ScriptedDialogRunner m_dialogs;
    TempDir m_dir;
    MainFrame m_frame{m_prompter, m_chooser, m_settingsFile.Settings(), m_recentFiles, m_dialogs};
};
