#include "StoreLibrary.h"
#include "FileSizeLimit.h"
#include "StorePictures.h"

#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <climits>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::Gradient;

TEST(PictureStore, QualityFollowsAtoiAndIsReadAtEachUse)
{
    // clang-format off
    const struct {
        const char* text;
        int quality;
    } cases[] = {
        {"075", 75}, {"abc", 0}, {"\t\n 42x", 42}, {"-5", -5}, {"- 5", 0},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(PictureStore::QualityFromText(c.text), c.quality) << c.text;

    StoreLibrary library;
    const PictureStore store = library.Store();
    const char* keys[] = {"JPEG_ThumbnailQuality", "JPEG_FullScreenQuality", "JPEG_HighResQuality",
                          "JPEG_OriginalQuality"}; // in the order of kVersions
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(store.Quality(StoreLibrary::kVersions[i]), 75) << keys[i];
        library.Settings().WriteString(keys[i], std::to_string(10 + i));
        EXPECT_EQ(store.Quality(StoreLibrary::kVersions[i]), 10 + i) << keys[i];
    }
}

TEST(PictureStore, FailedWriterSaysWhatFailedAndKeepsTheOldFile)
{
    StoreLibrary library;
    const PictureStore store = library.Store();
    Picture first = Gradient(800, 600);
    ASSERT_FALSE(store.SaveVersion(Version::FullScreen, first, "p"));
    const auto before = ReadBytes(library.PathOf(Version::FullScreen, "p"));
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
    EXPECT_EQ(ReadBytes(library.PathOf(Version::FullScreen, "p")), before);
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
    const auto before = ReadBytes(path);
    std::optional<VersionFailure> failure;
    {
        const FileSizeLimit limit(1024);
        Picture again = Gradient(600, 500);
        failure = store.SaveVersion(Version::Original, again, "p");
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(FailureMessage(*failure), "Error saving original picture as JPEG file - " +
                                            std::to_string(img::kErrWriteFailed));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Entries(library.Folder(Version::Original)),
              std::vector<std::string>{"p.jpg"});
}
