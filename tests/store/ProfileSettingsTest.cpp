#include "TempSettingsFile.h"

#include "store/ProfileSettings.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

TEST(ProfileSettings, AbsentKeysReadAsTheCallersDefaultWithoutWritingTheFile)
{
    TempSettingsFile file;
    EXPECT_EQ(file.Settings().GetInt("SaveOriginalPictures", 7), 7);
    EXPECT_EQ(file.Settings().GetString("PictureDelay", "6"), "6");
    EXPECT_FALSE(QFile::exists(file.Path()));
}

TEST(ProfileSettings, ValuesKeepTheirFormInSectionQuilleryAndNonNumbersReadAsTheDefault)
{
    TempSettingsFile file;
    file.Settings().WriteInt("PictureShowDate", 1);
    file.Settings().WriteString("JPEG_ThumbnailQuality", "075");
    file.Settings().WriteString("LeftMargin", "");
    EXPECT_EQ(file.Settings().GetString("JPEG_ThumbnailQuality", "75"), "075");
    EXPECT_EQ(file.Settings().GetString("LeftMargin", "10"), "") << "an empty text is a value";

    ProfileSettings other(file.Path().toStdString());
    other.WriteString("TopMargin", "12");
    EXPECT_EQ(file.Settings().GetString("TopMargin", "10"), "12");
    QSettings raw(file.Path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Quillery/TopMargin").toString(), "12");
    EXPECT_EQ(raw.value("Quillery/PictureShowDate").toInt(), 1);
    file.Settings().WriteString("SaveHighResPictures", "yes"); // a non-number: the default
    EXPECT_EQ(file.Settings().GetInt("SaveHighResPictures", 0), 0);
    file.Settings().WriteString("SaveHighResPictures", "-3");
    EXPECT_EQ(file.Settings().GetInt("SaveHighResPictures", 0), -3);
}
