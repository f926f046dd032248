#include "StoreLibrary.h"

#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::Gradient;

namespace {

const QSize kNone(-1, -1);
const std::string kWriteFailed = std::to_string(img::kErrWriteFailed);

// Runs the pipeline the way the photo dialog does: the thumbnail is made from the
// picture as loaded.
std::optional<VersionFailure> AddPhoto(
    const StoreLibrary& library, Picture& picture, const std::string& name,
    const AtomicFile::Sync& sync = AtomicFile::SyncToDisk,
    const PictureStore::StatusLine& status = [](const std::string&) {})
{
    Picture thumbnail;
    thumbnail.MakeScaledCopy(picture, 150, 100);
    PictureStore store = library.Store();
    store.SyncThrough(sync);
    return store.SaveNewPhotoVersions(picture, thumbnail, name, status);
}

void Options(StoreLibrary& library, int original, int highRes)
{
    library.Settings().WriteInt("SaveOriginalPictures", original);
    library.Settings().WriteInt("SaveHighResPictures", highRes);
}

} // namespace

// Versions written at the loaded size keep the comments byte for byte, a full-length
// one (65,533 bytes) among them; fitted ones have none.
TEST(Pipeline, WritesTheVersionsAtTheirSizes)
{
    std::string full(65533, '\0');
    for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<char>(i * 13);
    const std::vector<std::string> comments{"first", full, std::string("\0\xFF", 2)}, none;
    // clang-format off
    const struct {
        const char* name;
        QSize loaded;
        bool original, highRes;
        QSize originalFile, highResFile, fullScreenFile, thumbnailFile;
    } cases[] = {
        {"small, both off", {640, 480}, false, false,
         kNone, kNone, {800, 600}, {133, 100}},
        {"high-res just above enlarges", {1500, 1100}, false, true,
         kNone, {1600, 1173}, {800, 586}, {136, 100}},
        {"large, both on", {4000, 3000}, true, true,
         {4000, 3000}, {1600, 1200}, {800, 600}, {133, 100}},
        {"original only", {1000, 2000}, true, false,
         {1000, 2000}, kNone, {300, 600}, {50, 100}},
        {"at the full-screen size", {800, 600}, true, true,
         {800, 600}, {800, 600}, {800, 600}, {133, 100}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreLibrary library;
        Options(library, c.original, c.highRes);
        Picture picture = Gradient(c.loaded.width(), c.loaded.height());
        picture.SetJpegComments(comments);
        ASSERT_FALSE(AddPhoto(library, picture, "photo"));
        const QSize written[] = {c.thumbnailFile, c.fullScreenFile, c.highResFile, c.originalFile};
        for (size_t v = 0; v < std::size(written); ++v) {
            Picture file;
            file.LoadFile(library.PathOf(StoreLibrary::kVersions[v], "photo"));
            EXPECT_EQ(file.HasPicture() ? file.GetSize() : kNone, written[v]) << v;
            EXPECT_TRUE(file.JpegComments() == (file.GetSize() == c.loaded ? comments : none)) << v;
        }
        EXPECT_FALSE(picture.HasPicture()) << "released after success";
    }
}

// A folder standing where a version file must go, or a failed sync of the staged
// file, makes that step's write fail.
TEST(Pipeline, FailingStepGivesItsMessageAndKeepsEarlierFiles)
{
    // clang-format off
    const struct {
        Version blocked;
        std::string message;
        bool original, highRes, fullScreen;  // files left by the earlier steps
        QSize pictureAfter;
    } cases[] = {
        {Version::Original, "Error saving original picture as JPEG file - ",
         false, false, false, {2400, 1800}},
        {Version::HighRes, "Error saving high resolution picture as JPEG file - ",
         true, false, false, {1600, 1200}},
        {Version::FullScreen, "Error saving picture (800x600) to Full Screen Pictures - ",
         true, true, false, {800, 600}},
        {Version::Thumbnail, "Error saving picture (150x100) to thumbs - ",
         true, true, true, {800, 600}},
    };
    // clang-format on
    for (const bool bySync : {false, true})
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + (bySync ? "by sync" : "by folder"));
        StoreLibrary library;
        Options(library, 1, 1);
        const std::string folder = library.Folder(c.blocked).string() + "/";
        const auto sync = [&folder, bySync](int fd, const std::string& temporary) {
            return !(bySync && temporary.rfind(folder, 0) == 0) && AtomicFile::SyncToDisk(fd, temporary);
        };
        if (!bySync) std::filesystem::create_directory(library.PathOf(c.blocked, "p"));
        Picture picture = Gradient(2400, 1800);
        const auto failure = AddPhoto(library, picture, "p", sync);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->version, c.blocked);
        EXPECT_EQ(FailureMessage(*failure), c.message + kWriteFailed);
        std::vector<bool> written; // thumbnail, full screen, high-res, original
        for (const auto version : StoreLibrary::kVersions) {
            written.push_back(DecodedSize(library.PathOf(version, "p")) != kNone);
            for (const std::string& entry : Entries(library.Folder(version)))
                EXPECT_EQ(entry, "p.jpg"); // no staged leftovers
        }
        EXPECT_EQ(written, (std::vector<bool>{false, c.fullScreen, c.highRes, c.original}));
        // The picture keeps the fitting of the steps that ran: pressing OK again starts from it.
        EXPECT_EQ(picture.GetSize(), c.pictureAfter);
    }
}

// Each step's text comes up before anything of its version, staged or committed, is in
// its folder: the dialog shows the step being worked on, not a summary at the end.
TEST(Pipeline, EachStepsTextComesUpBeforeItsWork)
{
    StoreLibrary library;
    Options(library, 1, 1);
    Picture picture = Gradient(2400, 1800);
    std::vector<std::string> texts;
    const auto status = [&](const std::string& text) {
        for (const VersionInfo& info : kVersionTable)
            EXPECT_TRUE(info.status != text || std::filesystem::is_empty(library.Folder(info.version))) << text;
        texts.push_back(text);
    };
    ASSERT_FALSE(AddPhoto(library, picture, "photo", AtomicFile::SyncToDisk, status));
    EXPECT_EQ(texts, (std::vector<std::string>{"Saving Original Photo",
                                               "Saving high resolution version of photo",
                                               "Saving full screen version of photo",
                                               "Saving thumbnail version of photo"}));
}
