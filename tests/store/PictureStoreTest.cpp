#include "StoreLibrary.h"
#include "StorePictures.h"

#include "ScriptedPrompter.h"
#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::Exists;
using StorePictures::Gradient;

TEST(PictureStorePaths, EachVersionLivesInItsFolderAsJpg)
{
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::Thumbnail, "Beach"),
              "/lib/Thumbnail Pictures/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::FullScreen, "Beach"),
              "/lib/Full Screen Pictures/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::HighRes, "Beach"),
              "/lib/High Resolution Images/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::Original, "Beach"),
              "/lib/Original Images/Beach.jpg");
}

TEST(PictureStorePaths, NameBytesAreKeptAsTheyAre)
{
    EXPECT_EQ(PictureStore::VersionPath("/a b", Version::Thumbnail, "Caf\xe9 2.1"),
              "/a b/Thumbnail Pictures/Caf\xe9 2.1.jpg");
}

struct QualityCase {
    const char* text;
    int quality;
};

class QualityFromText : public testing::TestWithParam<QualityCase> {};

TEST_P(QualityFromText, FollowsAtoi)
{
    EXPECT_EQ(PictureStore::QualityFromText(GetParam().text), GetParam().quality);
}

INSTANTIATE_TEST_SUITE_P(AtoiRules, QualityFromText,
                         testing::Values(QualityCase{"75", 75}, QualityCase{"075", 75},
                                         QualityCase{"abc", 0}, QualityCase{"", 0},
                                         QualityCase{"  90", 90}, QualityCase{"\t\n 42x", 42},
                                         QualityCase{"+60", 60}, QualityCase{"-5", -5},
                                         QualityCase{"- 5", 0}, QualityCase{"85 percent", 85},
                                         QualityCase{"1e2", 1}, QualityCase{"99999999999", INT_MAX},
                                         QualityCase{"-99999999999", INT_MIN}));

TEST(PictureStoreQuality, ReadsEachVersionsKeyWithItsDefault)
{
    StoreLibrary library;
    const PictureStore store = library.Store();
    for (const auto version : StoreLibrary::kVersions) EXPECT_EQ(store.Quality(version), 75);

    library.Settings().WriteString("JPEG_ThumbnailQuality", "10");
    library.Settings().WriteString("JPEG_FullScreenQuality", "20");
    library.Settings().WriteString("JPEG_HighResQuality", "30");
    library.Settings().WriteString("JPEG_OriginalQuality", "40");
    // Read afresh: the same store sees the new values.
    EXPECT_EQ(store.Quality(Version::Thumbnail), 10);
    EXPECT_EQ(store.Quality(Version::FullScreen), 20);
    EXPECT_EQ(store.Quality(Version::HighRes), 30);
    EXPECT_EQ(store.Quality(Version::Original), 40);
}

// The encoder is deterministic, so the written bytes tell which quality was used.
static std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PictureStoreWriters, ThumbnailWrittenWithTheQualitySetting)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    library.Settings().WriteString("JPEG_ThumbnailQuality", "abc");
    Picture thumbnail = Gradient(150, 100);
    ASSERT_TRUE(library.Store().SaveThumbnailVersion(thumbnail, "t", prompter));
    const auto written = FileBytes(library.PathOf(Version::Thumbnail, "t"));
    EXPECT_EQ(written, img::EncodeJpeg(thumbnail.Pixels(), 0));
    EXPECT_NE(written, img::EncodeJpeg(thumbnail.Pixels(), 75));
    EXPECT_TRUE(prompter.Messages().empty());
}

struct WriterCase {
    const char* name;
    Version version;
    QSize input;
    QSize written;
};

class SingleWriter : public testing::TestWithParam<WriterCase> {
protected:
    static bool Write(const PictureStore& store, Version version, Picture& picture,
                      Prompter& prompter)
    {
        switch (version) {
        case Version::Original: return store.SaveOriginalVersion(picture, "p", prompter);
        case Version::HighRes: return store.SaveHighResVersion(picture, "p", prompter);
        case Version::FullScreen: return store.SaveFullScreenVersion(picture, "p", prompter);
        case Version::Thumbnail: return store.SaveThumbnailVersion(picture, "p", prompter);
        }
        return false;
    }
};

TEST_P(SingleWriter, FitsInPlaceAndWrites)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    Picture picture = Gradient(GetParam().input.width(), GetParam().input.height());
    ASSERT_TRUE(Write(library.Store(), GetParam().version, picture, prompter));
    EXPECT_EQ(picture.GetSize(), GetParam().written);
    EXPECT_EQ(DecodedSize(library.PathOf(GetParam().version, "p")), GetParam().written);
    EXPECT_TRUE(prompter.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SingleWriter,
    testing::Values(WriterCase{"OriginalKeepsSize", Version::Original, {2100, 900}, {2100, 900}},
                    WriterCase{"HighResAtThreshold", Version::HighRes, {1600, 1000}, {1600, 1000}},
                    WriterCase{"HighResBelowThreshold", Version::HighRes, {1280, 1024}, {1280, 1024}},
                    WriterCase{"HighResJustAbove", Version::HighRes, {1500, 1100}, {1600, 1173}},
                    WriterCase{"HighResLarge", Version::HighRes, {2400, 1800}, {1600, 1200}},
                    WriterCase{"FullScreenEnlarges", Version::FullScreen, {640, 480}, {800, 600}},
                    WriterCase{"FullScreenWide", Version::FullScreen, {3000, 2000}, {800, 533}},
                    WriterCase{"FullScreenExact", Version::FullScreen, {800, 600}, {800, 600}},
                    WriterCase{"ThumbnailTall", Version::Thumbnail, {200, 300}, {66, 100}},
                    WriterCase{"Thumbnail4By3", Version::Thumbnail, {1024, 768}, {133, 100}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PictureStoreWriters, FailureShowsMessageWithCodeAndKeepsTheOldFile)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    const PictureStore store = library.Store();
    Picture first = Gradient(800, 600);
    ASSERT_TRUE(store.SaveFullScreenVersion(first, "p", prompter));
    const auto before = FileBytes(library.PathOf(Version::FullScreen, "p"));

    Picture empty;
    EXPECT_FALSE(store.SaveOriginalVersion(empty, "p", prompter));
    EXPECT_FALSE(store.SaveFullScreenVersion(empty, "p", prompter));
    EXPECT_FALSE(store.SaveThumbnailVersion(empty, "p", prompter));
    EXPECT_FALSE(store.SaveHighResVersion(empty, "p", prompter));
    ASSERT_EQ(prompter.Messages().size(), 4u);
    EXPECT_EQ(prompter.Messages()[0].text, "Error saving original picture as JPEG file - 5");
    EXPECT_EQ(prompter.Messages()[1].text, "Error resizing picture to 800x600 - 5");
    EXPECT_EQ(prompter.Messages()[2].text, "Error resizing picture to 150x100 - 5");
    EXPECT_EQ(prompter.Messages()[3].text, "Error saving high resolution picture as JPEG file - 5");
    EXPECT_EQ(prompter.Messages()[0].caption, "Quillery");
    EXPECT_EQ(FileBytes(library.PathOf(Version::FullScreen, "p")), before);
}

TEST(PictureStoreWriters, MissingFolderGivesTheWriteFailureCode)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    std::filesystem::remove_all(library.Folder(Version::Original));
    Picture picture = Gradient(40, 30);
    EXPECT_FALSE(library.Store().SaveOriginalVersion(picture, "p", prompter));
    ASSERT_EQ(prompter.Texts().size(), 1u);
    EXPECT_EQ(prompter.Texts()[0], "Error saving original picture as JPEG file - " +
                                       std::to_string(img::kErrWriteFailed));
}

TEST(PictureStoreWriters, ReplacesAnExistingVersion)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    const PictureStore store = library.Store();
    Picture small = Gradient(300, 200);
    ASSERT_TRUE(store.SaveOriginalVersion(small, "p", prompter));
    Picture large = Gradient(500, 400);
    ASSERT_TRUE(store.SaveOriginalVersion(large, "p", prompter));
    EXPECT_EQ(DecodedSize(library.PathOf(Version::Original, "p")), QSize(500, 400));
    EXPECT_EQ(StorePictures::Entries(library.Folder(Version::Original)),
              std::vector<std::string>{"p.jpg"});
}
