#include "StoreLibrary.h"
#include "StorePictures.h"

#include "store/EditedPhotoSaver.h"
#include "store/PhotoEditSource.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Version = PictureStore::Version;
using Start = PhotoEditSource::Start;
using Source = PhotoEditSource::Version;
using Outcome = PhotoEditSource::Outcome;
using StorePictures::DecodedSize;
using StorePictures::Gradient;

// Each version at a size of its own, so the size read back tells which was loaded.
const QSize kOriginal(2000, 1500);
const QSize kHighRes(1600, 1200);
const QSize kFullScreen(800, 600);

void Write(const StoreLibrary& library, Version version, QSize size)
{
    Picture picture = Gradient(size.width(), size.height());
    ASSERT_EQ(picture.SaveFile(library.PathOf(version, "p"), Picture::kJpeg, 90), 0);
}

struct SourceCase {
    const char* name;
    Start start;
    bool original, highRes, fullScreen;
    int saveHighRes;
    Outcome outcome;
    Source version;
    QSize loaded;
};

class EditSource : public testing::TestWithParam<SourceCase> {};

TEST_P(EditSource, LoadsTheVersionItsCommandAndTheSettingName)
{
    const SourceCase& c = GetParam();
    StoreLibrary library;
    library.Settings().WriteInt("SaveHighResPictures", c.saveHighRes);
    if (c.original) Write(library, Version::Original, kOriginal);
    if (c.highRes) Write(library, Version::HighRes, kHighRes);
    if (c.fullScreen) Write(library, Version::FullScreen, kFullScreen);
    Picture picture;
    const auto result = PhotoEditSource::Load(library.Store(), "p", c.start, picture);
    EXPECT_EQ(result.outcome, c.outcome);
    if (c.outcome != Outcome::NoOriginal) {
        EXPECT_EQ(result.version, c.version);
    }
    EXPECT_EQ(picture.HasPicture() ? picture.GetSize() : QSize(), c.loaded);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, EditSource,
    testing::Values(
        SourceCase{"OriginalFirst", Start::Original, true, true, true, 0, Outcome::Loaded, Source::Original, kOriginal},
        SourceCase{"HighResWithoutOriginal", Start::Original, false, true, true, 0, Outcome::Loaded, Source::HighRes, kHighRes},
        SourceCase{"NeitherForOriginal", Start::Original, false, false, true, 1, Outcome::NoOriginal, Source::FullScreen, QSize()},
        SourceCase{"CurrentIgnoresHighResUnlessKept", Start::Current, true, true, true, 0, Outcome::Loaded, Source::FullScreen, kFullScreen},
        SourceCase{"CurrentTakesKeptHighRes", Start::Current, true, true, true, 1, Outcome::Loaded, Source::HighRes, kHighRes},
        SourceCase{"CurrentFallsBackToFullScreen", Start::Current, true, false, true, 1, Outcome::Loaded, Source::FullScreen, kFullScreen},
        SourceCase{"MissingFullScreen", Start::Current, false, false, false, 0, Outcome::Unreadable, Source::FullScreen, QSize()}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

struct ResaveCase {
    const char* name;
    Source source;
    int modifyHighRes;
    bool originalThere;
    // The sizes read back afterwards; (-1, -1) where no file is.
    QSize original, highRes, fullScreen, thumbnail;
};

class Resave : public testing::TestWithParam<ResaveCase> {};

// The source is the high-resolution picture turned a quarter: 1200 x 1600, so every
// version written from the edit stands upright and any left unedited lies flat.
TEST_P(Resave, WritesTheVersionsInOrderUnderEachSetting)
{
    const ResaveCase& c = GetParam();
    StoreLibrary library;
    library.Settings().WriteInt("ModifyHighResOnEdit", c.modifyHighRes);
    if (c.originalThere) Write(library, Version::Original, kOriginal);
    Write(library, Version::HighRes, kHighRes);
    const std::string highResBefore = ReadBytes(library.PathOf(Version::HighRes, "p"));
    Write(library, Version::FullScreen, kFullScreen);

    Picture unedited = Gradient(kHighRes.width(), kHighRes.height());
    Picture edited;
    edited.CopyFrom(unedited);
    ASSERT_EQ(edited.Rotate(90), 0);
    const auto failures = EditedPhotoSaver::Save(library.Store(), library.Settings(), "p", c.source,
                                                 edited, unedited);
    EXPECT_TRUE(failures.empty());
    const auto sizeOf = [&](Version version) { return DecodedSize(library.PathOf(version, "p")); };
    EXPECT_EQ(std::tuple(sizeOf(Version::Original), sizeOf(Version::HighRes), sizeOf(Version::FullScreen),
                         sizeOf(Version::Thumbnail)),
              std::tuple(c.original, c.highRes, c.fullScreen, c.thumbnail));
    if (c.highRes == kHighRes) {
        EXPECT_EQ(ReadBytes(library.PathOf(Version::HighRes, "p")), highResBefore);
    }
    EXPECT_EQ(unedited.GetSize(), kHighRes) << "the unedited picture is never changed";
}

const QSize kNone(-1, -1);
// 1200 x 1600 is 1.92 million pixels, over the high-resolution threshold: 900 x 1200.
const QSize kEditedHighRes(900, 1200);
const QSize kEditedFullScreen(450, 600);
const QSize kEditedThumbnail(75, 100);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, Resave,
    testing::Values(
        ResaveCase{"HighResKeptWhenSettingOff", Source::HighRes, 0, false, kNone, kHighRes, kEditedFullScreen, kEditedThumbnail},
        ResaveCase{"HighResEditedAndOriginalSaved", Source::HighRes, 1, false, kHighRes, kEditedHighRes, kEditedFullScreen, kEditedThumbnail},
        ResaveCase{"ExistingOriginalKept", Source::Original, 1, true, kOriginal, kEditedHighRes, kEditedFullScreen, kEditedThumbnail},
        ResaveCase{"FullScreenSourceNeverTouchesHighRes", Source::FullScreen, 1, false, kNone, kHighRes, kEditedFullScreen, kEditedThumbnail}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

TEST(Resave, AFailureDoesNotStopTheLaterVersions)
{
    StoreLibrary library;
    // A folder where the full-screen file must go makes its rename fail.
    std::filesystem::create_directory(library.PathOf(Version::FullScreen, "p"));
    Picture unedited = Gradient(1000, 800);
    Picture edited;
    edited.CopyFrom(unedited);
    const auto failures = EditedPhotoSaver::Save(library.Store(), library.Settings(), "p",
                                                 Source::FullScreen, edited, unedited);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].version, Version::FullScreen);
    EXPECT_EQ(DecodedSize(library.PathOf(Version::Thumbnail, "p")), QSize(125, 100));
}

} // namespace
