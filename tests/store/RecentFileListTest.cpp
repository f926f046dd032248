#include "TempSettingsFile.h"

#include "store/RecentFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Paths = std::vector<std::string>;

TEST(RecentFileList, StartsEmpty)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    EXPECT_TRUE(list.Entries().empty());
}

TEST(RecentFileList, KeepsTheNewestFourNewestFirst)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    for (const char* path : {"/a/1.pdb", "/a/2.pdb", "/a/3.pdb", "/a/4.pdb", "/a/5.pdb"}) list.Add(path);
    EXPECT_EQ(list.Entries(), (Paths{"/a/5.pdb", "/a/4.pdb", "/a/3.pdb", "/a/2.pdb"}));
}

TEST(RecentFileList, ReopeningMovesAnEntryToTheFrontWithoutDuplicating)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    for (const char* path : {"/a/1.pdb", "/a/2.pdb", "/a/3.pdb", "/a/1.pdb"}) list.Add(path);
    EXPECT_EQ(list.Entries(), (Paths{"/a/1.pdb", "/a/3.pdb", "/a/2.pdb"}));
}

TEST(RecentFileList, ComparesPathsExactly)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    list.Add("/a/Lib.pdb");
    list.Add("/a/lib.pdb");
    EXPECT_EQ(list.Entries(), (Paths{"/a/lib.pdb", "/a/Lib.pdb"}));
}

TEST(RecentFileList, SurvivesARestartAndSharesTheSettingsFile)
{
    TempSettingsFile file;
    {
        RecentFileList list(file.Path().toStdString());
        list.Add("/a/1.pdb");
        list.Add("/b/Family Album.pdb");
    }
    file.Settings().WriteString("PictureDelay", "3");
    RecentFileList again(file.Path().toStdString());
    EXPECT_EQ(again.Entries(), (Paths{"/b/Family Album.pdb", "/a/1.pdb"}));
    EXPECT_EQ(file.Settings().GetString("PictureDelay", "6"), "3");
}

TEST(RecentFileList, RemoveDropsOneEntry)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    list.Add("/a/1.pdb");
    list.Add("/a/2.pdb");
    list.Remove("/a/1.pdb");
    EXPECT_EQ(list.Entries(), (Paths{"/a/2.pdb"}));
}
