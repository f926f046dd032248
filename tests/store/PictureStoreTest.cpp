#include "StoreLibrary.h"
#include "FileSizeLimit.h"
#include "StorePictures.h"

#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <climits>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::FileBytes;
using StorePictures::Gradient;

TEST(PictureStore, EachVersionLivesInItsFolderAsJpgWithTheNameBytesAsTheyAre)
{
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::Thumbnail, "Beach"),
              "/lib/Thumbnail Pictures/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::FullScreen, "Beach"),
              "/lib/Full Screen Pictures/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/lib", Version::HighRes, "Beach"),
              "/lib/High Resolution Images/Beach.jpg");
    EXPECT_EQ(PictureStore::VersionPath("/a b", Version::Original, "Caf\xe9 2.1"),
              "/a b/Original Images/Caf\xe9 2.1.jpg");
}

TEST(PictureStore, QualityFollowsAtoiAndIsReadAtEachUse)
{
    // clang-format off
    const struct {
        const char* text;
        int quality;
    } cases[] = {
        {"75", 75},  {"075", 75}, {"abc", 0},  {"", 0},   {"  90", 90}, {"\t\n 42x", 42},
        {"+60", 60}, {"-5", -5},  {"- 5", 0},  {"1e2", 1},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(PictureStore::QualityFromText(c.text), c.quality) << c.text;

    StoreLibrary library;
    const PictureStore store = library.Store();
    const std::pair<const char*, Version> keys[] = {{"JPEG_ThumbnailQuality", Version::Thumbnail},
                                                    {"JPEG_FullScreenQuality", Version::FullScreen},
                                                    {"JPEG_HighResQuality", Version::HighRes},
                                                    {"JPEG_OriginalQuality", Version::Original}};
    int quality = 10;
    for (const auto& [key, version] : keys) {
        EXPECT_EQ(store.Quality(version), 75) << key;
        library.Settings().WriteString(key, std::to_string(quality));
        EXPECT_EQ(store.Quality(version), quality) << key;
        quality += 10;
    }
}

TEST(PictureStore, EachWriterFitsThePictureInPlaceAndWritesIt)
{
    // clang-format off
    const struct {
        Version version;
        QSize input, written;
    } cases[] = {
        {Version::Original, {2100, 900}, {2100, 900}},
        {Version::HighRes, {1600, 1000}, {1600, 1000}},
        {Version::HighRes, {1500, 1100}, {1600, 1173}},
        {Version::FullScreen, {3000, 2000}, {800, 533}},
        {Version::Thumbnail, {200, 300}, {66, 100}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(PictureStore::FolderName(c.version)) + " " +
                     std::to_string(c.input.width()));
        StoreLibrary library;
        Picture picture = Gradient(c.input.width(), c.input.height());
        EXPECT_FALSE(library.Store().SaveVersion(c.version, picture, "p"));
        EXPECT_EQ(picture.GetSize(), c.written);
        EXPECT_EQ(DecodedSize(library.PathOf(c.version, "p")), c.written);
    }
}

TEST(PictureStore, FailedWriterSaysWhatFailedAndKeepsTheOldFile)
{
    StoreLibrary library;
    const PictureStore store = library.Store();
    Picture first = Gradient(800, 600);
    ASSERT_FALSE(store.SaveVersion(Version::FullScreen, first, "p"));
    const auto before = FileBytes(library.PathOf(Version::FullScreen, "p"));
    std::vector<std::string> messages;
    for (const auto version : StoreLibrary::kVersions) {
        Picture empty;
        const auto failure = store.SaveVersion(version, empty, "p");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->version, version);
        messages.push_back(FailureMessage(*failure));
    }
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Error resizing picture to 150x100 - 5",
                            "Error resizing picture to 800x600 - 5",
                            "Error saving high resolution picture as JPEG file - 5",
                            "Error saving original picture as JPEG file - 5"}));
    EXPECT_EQ(FileBytes(library.PathOf(Version::FullScreen, "p")), before);
}

// A version is replaced only by a complete new file: a full disk leaves the old one.
TEST(PictureStore, ReplacesAVersionWholeOrNotAtAll)
{
    StoreLibrary library;
    const PictureStore store = library.Store();
    const std::string path = library.PathOf(Version::Original, "p");
    Picture small = Gradient(300, 200);
    ASSERT_FALSE(store.SaveVersion(Version::Original, small, "p"));
    Picture large = Gradient(500, 400);
    ASSERT_FALSE(store.SaveVersion(Version::Original, large, "p"));
    EXPECT_EQ(DecodedSize(path), QSize(500, 400));
    const auto before = FileBytes(path);
    std::optional<VersionFailure> failure;
    {
        const FileSizeLimit limit(1024);
        Picture again = Gradient(600, 500);
        failure = store.SaveVersion(Version::Original, again, "p");
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(FailureMessage(*failure), "Error saving original picture as JPEG file - " +
                                            std::to_string(img::kErrWriteFailed));
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(StorePictures::Entries(library.Folder(Version::Original)),
              std::vector<std::string>{"p.jpg"});
}
