#include "TempSettingsFile.h"

#include "store/RecentFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsTheNewestFourOnceEachNewestFirst)
{
    TempSettingsFile file;
    RecentFileList list(file.Path().toStdString());
    EXPECT_TRUE(list.Entries().empty());
    for (const char* path :
         {"/a/1.pdb", "/a/2.pdb", "/a/3.pdb", "/a/4.pdb", "/a/5.pdb", "/a/3.pdb"})
        list.Add(path);
    EXPECT_EQ(list.Entries(), (Paths{"/a/3.pdb", "/a/5.pdb", "/a/4.pdb", "/a/2.pdb"}));
    list.Add("/a/Lib.pdb");
    list.Add("/a/lib.pdb");
    EXPECT_EQ(list.Entries(), (Paths{"/a/lib.pdb", "/a/Lib.pdb", "/a/3.pdb", "/a/5.pdb"}));
    list.Remove("/a/Lib.pdb");
    EXPECT_EQ(list.Entries(), (Paths{"/a/lib.pdb", "/a/3.pdb", "/a/5.pdb"}));
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
