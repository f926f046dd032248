#include "TempSettingsFile.h"

#include "store/RecentFileList.h"

#include <gtest/gtest.h>

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsTheNewestFourOnceEachNewestFirstAcrossARestart)
{
    TempSettingsFile file;
    {
        RecentFileList list(file.Path().toStdString());
        for (const char* path : {"/a/1.pdb", "/a/2.pdb", "/a/3.pdb", "/a/4.pdb", "/a/5.pdb", "/a/3.pdb",
                                 "/a/Lib.pdb", "/a/lib.pdb"})
            list.Add(path);
        list.Remove("/a/Lib.pdb");
    }
    EXPECT_EQ(RecentFileList(file.Path().toStdString()).Entries(), (Paths{"/a/lib.pdb", "/a/3.pdb", "/a/5.pdb"}));
}
