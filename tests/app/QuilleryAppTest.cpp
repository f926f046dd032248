#include "FileBytes.h"
#include "TempDir.h"

#include "app/QuilleryApp.h"
#include "store/Library.h"
#include "store/RecentFileList.h"
#include "ui/main/CommandContext.h"
#include "ui/main/MainFrame.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

TEST(QuilleryApp, TheLibraryArgumentIsTheFirstNonOptionAsGiven)
{
    using Arguments = std::vector<std::string>;
    EXPECT_EQ(QuilleryApp::LibraryArgument(Arguments{"quillery"}), "");
    EXPECT_EQ(QuilleryApp::LibraryArgument(Arguments{"quillery", "-x", "", "/a/caf\xe9.pdb", "b.pdb"}),
              "/a/caf\xe9.pdb");
}

// A library in a folder whose name is not valid UTF-8 opens from the command line and
// its path comes back from the recent-file list as the same bytes.
TEST(QuilleryApp, OpensALibraryNamedInBytesThatAreNotUtf8)
{
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    std::filesystem::create_directory(config.filePath("Quillery").toStdString());
    WriteBytes(config.filePath("Quillery/Quillery.conf").toStdString(), "[Quillery]\nInitialization=1\n");
    const TempDir dir;
    const std::string folder = dir.File("caf\xe9");
    std::filesystem::create_directory(folder);
    Library::CreatePictureFolders(folder);
    const std::string path = folder + "/Family.pdb";
    WriteBytes(path, "garden|1999||||Day one|\r\n");

    QuilleryApp app;
    ASSERT_TRUE(app.InitInstance({"quillery", path}));
    const Library& library = app.Frame()->Context().library;
    EXPECT_EQ(library.Path(), path);
    EXPECT_EQ(library.Catalog().PhotoCount(), 1);
    const std::string settingsFile = config.filePath("Quillery/Quillery.conf").toStdString();
    EXPECT_EQ(RecentFileList(settingsFile).Entries(), std::vector<std::string>{path});
}
