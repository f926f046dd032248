#include "StoreLibrary.h"
#include "StorePictures.h"

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
