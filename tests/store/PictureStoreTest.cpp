#include "StoreLibrary.h"
#include "FileSizeLimit.h"
#include "StorePictures.h"

#include "ScriptedPrompter.h"
#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <climits>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::FileBytes;
using StorePictures::Gradient;

namespace {

bool Write(const PictureStore& store, Version version, Picture& picture, Prompter& prompter)
{
    switch (version) {
    case Version::Original:
        return store.SaveOriginalVersion(picture, "p", prompter);
    case Version::HighRes:
        return store.SaveHighResVersion(picture, "p", prompter);
    case Version::FullScreen:
        return store.SaveFullScreenVersion(picture, "p", prompter);
    case Version::Thumbnail:
        return store.SaveThumbnailVersion(picture, "p", prompter);
    }
    return false;
}

} // namespace

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
    for (const auto version : StoreLibrary::kVersions)
        EXPECT_EQ(store.Quality(version), 75);
    library.Settings().WriteString("JPEG_ThumbnailQuality", "10");
    library.Settings().WriteString("JPEG_FullScreenQuality", "20");
    library.Settings().WriteString("JPEG_HighResQuality", "30");
    library.Settings().WriteString("JPEG_OriginalQuality", "40");
    EXPECT_EQ(store.Quality(Version::Thumbnail), 10);
    EXPECT_EQ(store.Quality(Version::FullScreen), 20);
    EXPECT_EQ(store.Quality(Version::HighRes), 30);
    EXPECT_EQ(store.Quality(Version::Original), 40);
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
        ScriptedPrompter prompter;
        Picture picture = Gradient(c.input.width(), c.input.height());
        ASSERT_TRUE(Write(library.Store(), c.version, picture, prompter));
        EXPECT_EQ(picture.GetSize(), c.written);
        EXPECT_EQ(DecodedSize(library.PathOf(c.version, "p")), c.written);
        EXPECT_TRUE(prompter.Messages().empty());
    }
}

TEST(PictureStore, FailedWriterShowsItsMessageWithTheCodeAndKeepsTheOldFile)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    const PictureStore store = library.Store();
    Picture first = Gradient(800, 600);
    ASSERT_TRUE(store.SaveFullScreenVersion(first, "p", prompter));
    const auto before = FileBytes(library.PathOf(Version::FullScreen, "p"));
    for (const auto version : StoreLibrary::kVersions) {
        Picture empty;
        EXPECT_FALSE(Write(store, version, empty, prompter));
    }
    EXPECT_EQ(prompter.Texts(),
              (std::vector<std::string>{"Error resizing picture to 150x100 - 5",
                                        "Error resizing picture to 800x600 - 5",
                                        "Error saving high resolution picture as JPEG file - 5",
                                        "Error saving original picture as JPEG file - 5"}));
    EXPECT_EQ(prompter.Messages()[0].caption, "Quillery");
    EXPECT_EQ(FileBytes(library.PathOf(Version::FullScreen, "p")), before);
}

// A version is replaced only by a complete new file: a full disk leaves the old one.
TEST(PictureStore, ReplacesAVersionWholeOrNotAtAll)
{
    StoreLibrary library;
    ScriptedPrompter prompter;
    const PictureStore store = library.Store();
    const std::string path = library.PathOf(Version::Original, "p");
    Picture small = Gradient(300, 200);
    ASSERT_TRUE(store.SaveOriginalVersion(small, "p", prompter));
    Picture large = Gradient(500, 400);
    ASSERT_TRUE(store.SaveOriginalVersion(large, "p", prompter));
    EXPECT_EQ(DecodedSize(path), QSize(500, 400));
    const auto before = FileBytes(path);
    bool written = true;
    {
        const FileSizeLimit limit(1024);
        Picture again = Gradient(600, 500);
        written = store.SaveOriginalVersion(again, "p", prompter);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(prompter.Texts(),
              std::vector<std::string>{"Error saving original picture as JPEG file - " +
                                       std::to_string(img::kErrWriteFailed)});
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(StorePictures::Entries(library.Folder(Version::Original)),
              std::vector<std::string>{"p.jpg"});
}
