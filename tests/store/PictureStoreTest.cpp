#include "StoreLibrary.h"

#include "store/PictureStore.h"

#include <gtest/gtest.h>


using Version = PictureStore::Version;
using StorePictures::Gradient;

TEST(PictureStore, QualityFollowsAtoiAndIsReadAtEachUse)
{
    const std::pair<const char*, int> cases[] = {{"075", 75}, {"abc", 0}, {"\t\n 42x", 42}, {"- 5", 0}};
    for (const auto& [text, quality] : cases)
        EXPECT_EQ(PictureStore::QualityFromText(text), quality) << text;

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

// Each writer fits only where it must: the high-resolution one above 1,600,000 pixels
// (however wide), the full-screen one whenever the size is not 800 x 600.
TEST(PictureStore, WriterFitsOnlyWhereItMust)
{
    // clang-format off
    const struct {
        Version version;
        QSize loaded, written;
    } cases[] = {
        {Version::HighRes, {1250, 1280}, {1250, 1280}},     // 1,600,000 pixels
        {Version::HighRes, {13, 123077}, {1, 1200}},        // 1,600,001
        {Version::HighRes, {2000, 700}, {2000, 700}},
        {Version::FullScreen, {800, 600}, {800, 600}},
        {Version::FullScreen, {800, 1000}, {480, 600}},
        {Version::FullScreen, {1000, 600}, {800, 480}},
    };
    // clang-format on
    StoreLibrary library;
    const PictureStore store = library.Store();
    for (const auto& c : cases) {
        Picture picture = Gradient(c.loaded.width(), c.loaded.height());
        ASSERT_FALSE(store.SaveVersion(c.version, picture, "p"));
        EXPECT_EQ(StorePictures::DecodedSize(library.PathOf(c.version, "p")), c.written) << c.loaded.width();
    }
}

// An empty picture fails the fitting or the encoding; a sync that fails fails the
// write. Either way the old file stays and nothing staged is left.
TEST(PictureStore, FailedWriterSaysWhatFailedAndKeepsTheOldFile)
{
    StoreLibrary library;
    PictureStore store = library.Store();
    std::vector<std::string> messages;
    for (const bool bySync : {false, true}) {
        for (const auto version : StoreLibrary::kVersions) {
            Picture old = Gradient(800, 600), empty, picture = Gradient(800, 600);
            store.SyncThrough(AtomicFile::SyncToDisk);
            ASSERT_FALSE(store.SaveVersion(version, old, "p"));
            const auto before = ReadBytes(library.PathOf(version, "p"));
            if (bySync) store.SyncThrough([](int, const std::string&) { return false; });
            const auto failure = store.SaveVersion(version, bySync ? picture : empty, "p");
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->version, version);
            messages.push_back(FailureMessage(*failure));
            EXPECT_EQ(ReadBytes(library.PathOf(version, "p")), before);
            EXPECT_EQ(Entries(library.Folder(version)), std::vector<std::string>{"p.jpg"});
        }
    }
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Error resizing picture to 150x100 - 5",
                            "Error resizing picture to 800x600 - 5",
                            "Error saving high resolution picture as JPEG file - 5",
                            "Error saving original picture as JPEG file - 5",
                            "Error saving picture (150x100) to thumbs - 12",
                            "Error saving picture (800x600) to Full Screen Pictures - 12",
                            "Error saving high resolution picture as JPEG file - 12",
                            "Error saving original picture as JPEG file - 12"}));
}
