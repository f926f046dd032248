#include "TempSettingsFile.h"

#include "core/SettingsKeys.h"
#include "store/ProfileSettings.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

TEST(ProfileSettings, AbsentKeysReadAsTheCallersDefault)
{
    TempSettingsFile file;
    EXPECT_EQ(file.Settings().GetInt("SaveOriginalPictures", 0), 0);
    EXPECT_EQ(file.Settings().GetInt("SaveOriginalPictures", 7), 7);
    EXPECT_EQ(file.Settings().GetString("PictureDelay", "6"), "6");
    EXPECT_FALSE(QFile::exists(file.Path())) << "reading must not write defaults";
}

TEST(ProfileSettings, IntegersAndTextsKeepTheirForm)
{
    TempSettingsFile file;
    file.Settings().WriteInt("PictureShowDate", 1);
    file.Settings().WriteString("JPEG_ThumbnailQuality", "075");
    file.Settings().WriteString("LeftMargin", "");
    EXPECT_EQ(file.Settings().GetInt("PictureShowDate", 0), 1);
    EXPECT_EQ(file.Settings().GetString("JPEG_ThumbnailQuality", "75"), "075");
    EXPECT_EQ(file.Settings().GetString("LeftMargin", "10"), "") << "an empty text is a value";
}

TEST(ProfileSettings, ValuesLiveInSectionQuillery)
{
    TempSettingsFile file;
    file.Settings().WriteString("TopMargin", "12");
    file.Settings().WriteInt("Initialization", 1);
    QSettings raw(file.Path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Quillery/TopMargin").toString(), "12");
    EXPECT_EQ(raw.value("Quillery/Initialization").toInt(), 1);
}

TEST(ProfileSettings, ANonNumberReadAsIntegerGivesTheDefault)
{
    TempSettingsFile file;
    file.Settings().WriteString("SaveHighResPictures", "yes");
    EXPECT_EQ(file.Settings().GetInt("SaveHighResPictures", 0), 0);
    file.Settings().WriteString("SaveHighResPictures", "-3");
    EXPECT_EQ(file.Settings().GetInt("SaveHighResPictures", 0), -3);
}

TEST(ProfileSettings, AWriteIsSeenByAnotherObjectOnTheSameFile)
{
    TempSettingsFile file;
    ProfileSettings other(file.Path().toStdString());
    other.WriteString("PictureDelay", "9");
    EXPECT_EQ(file.Settings().GetString("PictureDelay", "6"), "9");
}

TEST(ProfileSettings, ReportsItsFile)
{
    TempSettingsFile file;
    EXPECT_EQ(file.Settings().FilePath(), file.Path().toStdString());
}

TEST(ProfileSettings, KeysUseTheSharedDefaults)
{
    TempSettingsFile file;
    using namespace SettingsKeys;
    EXPECT_EQ(file.Settings().GetString(JPEG_FullScreenQuality.name, JPEG_FullScreenQuality.defaultValue), "75");
    EXPECT_EQ(file.Settings().GetString(TopMargin.name, TopMargin.defaultValue), "10");
}
