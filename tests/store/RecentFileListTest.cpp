#include "TempSettingsFile.h"

#include "store/RecentFileList.h"

#include <QSettings>

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

// A path that is not valid UTF-8 (a folder named on Windows) must come back as the
// same bytes, or the entry opens nothing; valid paths stay readable text in the file.
TEST(RecentFileList, PathsComeBackByteForByte)
{
    TempSettingsFile file;
    const Paths paths = {"/photos/caf\xe9/Lib.pdb", "/photos/caf\xc3\xa9/Lib.pdb", "/photos/\xff\xfe.pdb"};
    for (const std::string& path : paths) RecentFileList(file.Path().toStdString()).Add(path);
    EXPECT_EQ(RecentFileList(file.Path().toStdString()).Entries(), (Paths{paths[2], paths[1], paths[0]}));
    EXPECT_EQ(QSettings(file.Path(), QSettings::IniFormat).value("Recent File List/File2").toString(),
              QString::fromUtf8("/photos/café/Lib.pdb"));
}
