#include "StoreLibrary.h"
#include "StorePictures.h"

#include "imaging/ImagingErrors.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using Version = PictureStore::Version;
using StorePictures::DecodedSize;
using StorePictures::Entries;
using StorePictures::Exists;
using StorePictures::Gradient;

namespace {

const QSize kNone(-1, -1);

// Runs the pipeline the way the photo dialog does: the thumbnail is made from the
// picture as loaded.
struct PipelineRun {
    bool ok = false;
    std::vector<std::string> lines;
};

PipelineRun AddPhoto(StoreLibrary& library, Picture& picture, const std::string& name)
{
    Picture thumbnail;
    thumbnail.MakeScaledCopy(picture, 150, 100);
    PipelineRun run;
    run.ok = library.Store().SaveNewPhotoVersions(
        picture, thumbnail, name, [&run](const std::string& text) { run.lines.push_back(text); });
    return run;
}

void Options(StoreLibrary& library, bool original, bool highRes)
{
    library.Settings().WriteInt("SaveOriginalPictures", original ? 1 : 0);
    library.Settings().WriteInt("SaveHighResPictures", highRes ? 1 : 0);
}

// Every folder holds exactly the expected picture files and nothing half-written.
void ExpectFolders(const StoreLibrary& library, const std::string& name, bool original,
                   bool highRes, bool fullScreen, bool thumbnail)
{
    const auto expect = [&](Version version, bool present) {
        const std::vector<std::string> files =
            present ? std::vector<std::string>{name + ".jpg"} : std::vector<std::string>{};
        EXPECT_EQ(Entries(library.Folder(version)), files) << PictureStore::FolderName(version);
    };
    expect(Version::Original, original);
    expect(Version::HighRes, highRes);
    expect(Version::FullScreen, fullScreen);
    expect(Version::Thumbnail, thumbnail);
}

} // namespace

struct SizesCase {
    const char* name;
    QSize loaded;
    bool original;
    bool highRes;
    QSize originalFile;
    QSize highResFile;
    QSize fullScreenFile;
    QSize thumbnailFile;
};

class PipelineSizes : public testing::TestWithParam<SizesCase> {};

TEST_P(PipelineSizes, WritesTheVersionsAtTheirSizes)
{
    const SizesCase& c = GetParam();
    StoreLibrary library;
    Options(library, c.original, c.highRes);
    Picture picture = Gradient(c.loaded.width(), c.loaded.height());
    const PipelineRun run = AddPhoto(library, picture, "photo");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(DecodedSize(library.PathOf(Version::Original, "photo")), c.originalFile);
    EXPECT_EQ(DecodedSize(library.PathOf(Version::HighRes, "photo")), c.highResFile);
    EXPECT_EQ(DecodedSize(library.PathOf(Version::FullScreen, "photo")), c.fullScreenFile);
    EXPECT_EQ(DecodedSize(library.PathOf(Version::Thumbnail, "photo")), c.thumbnailFile);
    EXPECT_FALSE(picture.HasPicture()) << "released after success";
    ExpectFolders(library, "photo", c.original, c.highRes, true, true);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PipelineSizes,
    testing::Values(
        SizesCase{"SmallBothOff", {640, 480}, false, false, kNone, kNone, {800, 600}, {133, 100}},
        SizesCase{"HighResBelowThreshold", {1280, 1024}, false, true, kNone, {1280, 1024},
                  {750, 600}, {125, 100}},
        SizesCase{"HighResJustAboveEnlarges", {1500, 1100}, false, true, kNone, {1600, 1173},
                  {800, 586}, {136, 100}},
        SizesCase{"LargeBothOn", {4000, 3000}, true, true, {4000, 3000}, {1600, 1200}, {800, 600},
                  {133, 100}},
        SizesCase{"OriginalOnly", {1000, 2000}, true, false, {1000, 2000}, kNone, {300, 600},
                  {50, 100}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Pipeline, StatusTextsInOrderThenAnEmptyLine)
{
    StoreLibrary library;
    Options(library, true, true);
    Picture picture = Gradient(900, 700);
    const PipelineRun run = AddPhoto(library, picture, "p");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"Saving Original Photo",
                                                   "Saving high resolution version of photo",
                                                   "Saving full screen version of photo",
                                                   "Saving thumbnail version of photo", ""}));
}

TEST(Pipeline, OptionalVersionsFollowTheirFlagsReadAtEachRun)
{
    StoreLibrary library;
    const PictureStore store = library.Store();
    Picture thumbnail = Gradient(133, 100);
    std::vector<std::string> lines;
    const auto line = [&lines](const std::string& text) { lines.push_back(text); };

    Picture first = Gradient(400, 300);
    ASSERT_TRUE(store.SaveNewPhotoVersions(first, thumbnail, "a", line));
    EXPECT_EQ(lines.front(), "Saving full screen version of photo");
    EXPECT_FALSE(Exists(library.PathOf(Version::Original, "a")));

    // Any non-zero value turns a flag on; the same store sees the change.
    library.Settings().WriteInt("SaveOriginalPictures", -3);
    library.Settings().WriteInt("SaveHighResPictures", 2);
    lines.clear();
    Picture second = Gradient(400, 300);
    ASSERT_TRUE(store.SaveNewPhotoVersions(second, thumbnail, "b", line));
    EXPECT_EQ(lines.front(), "Saving Original Photo");
    EXPECT_TRUE(Exists(library.PathOf(Version::Original, "b")));
    EXPECT_TRUE(Exists(library.PathOf(Version::HighRes, "b")));
}

TEST(Pipeline, BmpOriginalIsStoredAsJpeg)
{
    StoreLibrary library;
    Options(library, true, false);
    const std::string bmp = library.Directory() + "/scan.bmp";
    ASSERT_TRUE(img::ToBitmap(Gradient(320, 240).Pixels()).save(QString::fromStdString(bmp), "BMP"));
    Picture picture;
    ASSERT_EQ(picture.LoadFile(bmp), 0);
    ASSERT_TRUE(AddPhoto(library, picture, "scan").ok);
    const std::string original = library.PathOf(Version::Original, "scan");
    EXPECT_EQ(DecodedSize(original), QSize(320, 240));
    std::ifstream in(original, std::ios::binary);
    EXPECT_EQ(in.get(), 0xFF);
    EXPECT_EQ(in.get(), 0xD8);
}

TEST(Pipeline, QualitySettingsReachTheEncoder)
{
    StoreLibrary library;
    library.Settings().WriteString("JPEG_ThumbnailQuality", "abc");
    library.Settings().WriteString("JPEG_FullScreenQuality", "075");
    Picture picture = Gradient(800, 600);
    Picture thumbnail = Gradient(133, 100);
    const auto thumbnailAtZero = img::EncodeJpeg(thumbnail.Pixels(), 0);
    const auto fullAt75 = img::EncodeJpeg(picture.Pixels(), 75);
    ASSERT_TRUE(library.Store().SaveNewPhotoVersions(picture, thumbnail, "q", [](const std::string&) {}));
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(read(library.PathOf(Version::Thumbnail, "q")), thumbnailAtZero);
    EXPECT_EQ(read(library.PathOf(Version::FullScreen, "q")), fullAt75);
}

// A folder standing where a version file must go makes that step's write fail.
struct FailureCase {
    const char* name;
    Version blocked;
    std::string message;
    bool original, highRes, fullScreen; // files left by the earlier steps
    QSize pictureAfter;
};

class PipelineFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(PipelineFailure, StopsAtTheStepAndKeepsEarlierFiles)
{
    const FailureCase& c = GetParam();
    StoreLibrary library;
    Options(library, true, true);
    std::filesystem::create_directory(library.PathOf(c.blocked, "p"));
    Picture picture = Gradient(2400, 1800);
    const PipelineRun run = AddPhoto(library, picture, "p");
    EXPECT_FALSE(run.ok);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), c.message + std::to_string(img::kErrWriteFailed));
    EXPECT_EQ(Exists(library.PathOf(Version::Original, "p")), c.original);
    EXPECT_EQ(Exists(library.PathOf(Version::HighRes, "p")), c.highRes);
    EXPECT_EQ(Exists(library.PathOf(Version::FullScreen, "p")), c.fullScreen);
    EXPECT_FALSE(Exists(library.PathOf(Version::Thumbnail, "p")));
    // No staged leftovers anywhere: only the written files and the blocking folder.
    for (const auto version : StoreLibrary::kVersions) {
        for (const std::string& entry : Entries(library.Folder(version))) EXPECT_EQ(entry, "p.jpg");
    }
    // The picture keeps the fitting of the steps that ran; pressing OK again works on it.
    EXPECT_EQ(picture.GetSize(), c.pictureAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, PipelineFailure,
    testing::Values(
        FailureCase{"Original", Version::Original, "Error saving original picture as JPEG file - ",
                    false, false, false, {2400, 1800}},
        FailureCase{"HighRes", Version::HighRes,
                    "Error saving high resolution picture as JPEG file - ", true, false, false,
                    {1600, 1200}},
        FailureCase{"FullScreen", Version::FullScreen,
                    "Error saving picture (800x600) to Full Screen Pictures - ", true, true, false,
                    {800, 600}},
        FailureCase{"Thumbnail", Version::Thumbnail, "Error saving picture (150x100) to thumbs - ",
                    true, true, true, {800, 600}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Pipeline, FailingThumbnailLeavesFullScreenAndStatusTrail)
{
    StoreLibrary library;
    std::filesystem::remove_all(library.Folder(Version::Thumbnail));
    Picture picture = Gradient(640, 480);
    const PipelineRun run = AddPhoto(library, picture, "p");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "Saving full screen version of photo", "Saving thumbnail version of photo",
                             "Error saving picture (150x100) to thumbs - " +
                                 std::to_string(img::kErrWriteFailed)}));
    EXPECT_EQ(DecodedSize(library.PathOf(Version::FullScreen, "p")), QSize(800, 600));
    EXPECT_EQ(picture.GetSize(), QSize(800, 600));
}

TEST(Pipeline, RunningAgainAfterAFailureFinishesTheJob)
{
    StoreLibrary library;
    Options(library, true, true);
    std::filesystem::remove_all(library.Folder(Version::HighRes));
    Picture picture = Gradient(2400, 1800);
    Picture thumbnail;
    thumbnail.MakeScaledCopy(picture, 150, 100);
    const PictureStore store = library.Store();
    const auto ignore = [](const std::string&) {};
    ASSERT_FALSE(store.SaveNewPhotoVersions(picture, thumbnail, "p", ignore));
    std::filesystem::create_directory(library.Folder(Version::HighRes));
    ASSERT_TRUE(store.SaveNewPhotoVersions(picture, thumbnail, "p", ignore));
    // The second run started from the 1600 x 1200 picture the first one left.
    EXPECT_EQ(DecodedSize(library.PathOf(Version::Original, "p")), QSize(1600, 1200));
    EXPECT_EQ(DecodedSize(library.PathOf(Version::FullScreen, "p")), QSize(800, 600));
}

TEST(Pipeline, EmptyPictureFailsAtTheFullScreenResize)
{
    StoreLibrary library;
    Picture empty;
    Picture thumbnail = Gradient(133, 100);
    std::vector<std::string> lines;
    EXPECT_FALSE(library.Store().SaveNewPhotoVersions(
        empty, thumbnail, "p", [&lines](const std::string& text) { lines.push_back(text); }));
    EXPECT_EQ(lines.back(), "Error resizing picture to 800x600 - 5");
    ExpectFolders(library, "p", false, false, false, false);
}

TEST(Pipeline, EmptyPictureFailsTheOriginalWithCode5)
{
    StoreLibrary library;
    Options(library, true, false);
    Picture empty;
    Picture thumbnail = Gradient(133, 100);
    std::vector<std::string> lines;
    EXPECT_FALSE(library.Store().SaveNewPhotoVersions(
        empty, thumbnail, "p", [&lines](const std::string& text) { lines.push_back(text); }));
    EXPECT_EQ(lines, (std::vector<std::string>{"Saving Original Photo",
                                               "Error saving original picture as JPEG file - 5"}));
}

// The versions look like the loaded picture fitted in turn by Picture::FitInto.
TEST(Pipeline, FittedVersionsMatchFittingThePictureInTurn)
{
    StoreLibrary library;
    Options(library, false, true);
    library.Settings().WriteString("JPEG_HighResQuality", "100");
    library.Settings().WriteString("JPEG_FullScreenQuality", "100");
    Picture picture = Gradient(3000, 2250);
    Picture reference;
    reference.CopyFrom(picture);
    ASSERT_TRUE(AddPhoto(library, picture, "p").ok);

    const auto meanDifference = [](const std::string& path, const Picture& expected) {
        Picture written;
        written.LoadFile(path);
        EXPECT_EQ(written.GetSize(), expected.GetSize());
        if (written.GetSize() != expected.GetSize()) return 255.0;
        // Both through the same JPEG coding, so only the fitting can differ.
        const img::PixelBuffer coded = img::DecodeJpeg(img::EncodeJpeg(expected.Pixels(), 100));
        const auto& a = written.Pixels();
        const auto& b = coded;
        double total = 0;
        for (size_t i = 0; i < a.ByteSize(); ++i) total += std::abs(a.Data()[i] - b.Data()[i]);
        return total / static_cast<double>(a.ByteSize());
    };
    ASSERT_EQ(reference.FitInto(1600, 1200), 0);
    EXPECT_LT(meanDifference(library.PathOf(Version::HighRes, "p"), reference), 2.0);
    ASSERT_EQ(reference.FitInto(800, 600), 0);
    EXPECT_LT(meanDifference(library.PathOf(Version::FullScreen, "p"), reference), 2.0);
}

TEST(Pipeline, FailureLeavesThePictureAsTheWrittenVersion)
{
    StoreLibrary library;
    Options(library, false, true);
    std::filesystem::remove_all(library.Folder(Version::FullScreen));
    Picture picture = Gradient(2400, 1800);
    ASSERT_FALSE(AddPhoto(library, picture, "p").ok);
    Picture written;
    written.LoadFile(library.PathOf(Version::HighRes, "p"));
    ASSERT_EQ(picture.GetSize(), QSize(800, 600));
    // The high-resolution file holds the picture before its full-screen fitting.
    EXPECT_EQ(written.GetSize(), QSize(1600, 1200));
}

TEST(Pipeline, CommentsSurviveOnlyUnfittedVersions)
{
    StoreLibrary library;
    Options(library, true, true);
    Picture picture = Gradient(800, 600);
    picture.SetJpegComments({"first", "second"});
    Picture thumbnail = Gradient(133, 100);
    ASSERT_TRUE(library.Store().SaveNewPhotoVersions(picture, thumbnail, "c", [](const std::string&) {}));
    const auto comments = [](const std::string& path) {
        std::vector<std::string> found;
        img::ReadJpeg(path, &found);
        return found;
    };
    const std::vector<std::string> both{"first", "second"};
    EXPECT_EQ(comments(library.PathOf(Version::Original, "c")), both);
    EXPECT_EQ(comments(library.PathOf(Version::HighRes, "c")), both);
    EXPECT_EQ(comments(library.PathOf(Version::FullScreen, "c")), both);
}
