#include "TempSettingsFile.h"

#include "store/ProfileSettings.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

TEST(ProfileSettings, ValuesKeepTheirFormInSectionQuilleryAndNonNumbersReadAsTheDefault)
{
    TempSettingsFile file;
    EXPECT_EQ(file.Settings().GetInt("SaveOriginalPictures", 7), 7);
    EXPECT_FALSE(QFile::exists(file.Path())) << "reading writes nothing";
    file.Settings().WriteString("JPEG_ThumbnailQuality", "075");
    file.Settings().WriteString("LeftMargin", "");
    EXPECT_EQ(file.Settings().GetString("JPEG_ThumbnailQuality", "75"), "075");
    EXPECT_EQ(file.Settings().GetString("LeftMargin", "10"), "") << "an empty text is a value";
    ProfileSettings(file.Path().toStdString()).WriteString("TopMargin", "12");
    EXPECT_EQ(file.Settings().GetString("TopMargin", "10"), "12");
    EXPECT_EQ(QSettings(file.Path(), QSettings::IniFormat).value("Quillery/TopMargin").toString(), "12");
    file.Settings().WriteString("SaveHighResPictures", "yes");
    EXPECT_EQ(file.Settings().GetInt("SaveHighResPictures", 0), 0);
}

TEST(ProfileSettings, TextValuesComeBackByteForByte)
{
    TempSettingsFile file;
    for (const std::string bytes : {"/home/caf\xe9", "/home/caf\xc3\xa9", ""}) {
        file.Settings().WriteString("LastAddFolder", bytes);
        EXPECT_EQ(ProfileSettings(file.Path().toStdString()).GetString("LastAddFolder", "x"), bytes);
    }
}
