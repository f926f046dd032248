#include "StoreLibrary.h"

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
const QSize kNone(-1, -1);

void Write(const StoreLibrary& library, Version version, QSize size)
{
    Picture picture = Gradient(size.width(), size.height());
    ASSERT_EQ(picture.SaveFile(library.PathOf(version, "p"), Picture::kJpeg, 90), 0);
}

TEST(EditSource, LoadsTheVersionItsCommandAndTheSettingName)
{
    // clang-format off
    const struct {
        const char* name;
        Start start;
        bool original, highRes, fullScreen;
        int saveHighRes;
        Outcome outcome;
        Source version;
        QSize loaded;
    } cases[] = {
        {"original first", Start::Original, true, true, true, 0, Outcome::Loaded, Source::Original, kOriginal},
        {"high-res without original", Start::Original, false, true, true, 0, Outcome::Loaded, Source::HighRes, kHighRes},
        {"neither for original", Start::Original, false, false, true, 1, Outcome::NoOriginal, Source::FullScreen, QSize()},
        {"current ignores high-res unless kept", Start::Current, true, true, true, 0, Outcome::Loaded, Source::FullScreen, kFullScreen},
        {"current takes kept high-res", Start::Current, true, true, true, 1, Outcome::Loaded, Source::HighRes, kHighRes},
        {"current falls back to full screen", Start::Current, true, false, true, 1, Outcome::Loaded, Source::FullScreen, kFullScreen},
        {"missing full screen", Start::Current, false, false, false, 0, Outcome::Unreadable, Source::FullScreen, QSize()},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreLibrary library;
        library.Settings().WriteInt("SaveHighResPictures", c.saveHighRes);
        if (c.original) Write(library, Version::Original, kOriginal);
        if (c.highRes) Write(library, Version::HighRes, kHighRes);
        if (c.fullScreen) Write(library, Version::FullScreen, kFullScreen);
        Picture picture;
        const auto result = PhotoEditSource::Load(library.Store(), "p", c.start, picture);
        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome != Outcome::NoOriginal) { EXPECT_EQ(result.version, c.version); }
        EXPECT_EQ(picture.HasPicture() ? picture.GetSize() : QSize(), c.loaded);
    }
}

// The source is the high-resolution picture turned a quarter: 1200 x 1600, so every
// version written from the edit stands upright and any left unedited lies flat. That is
// 1.92 million pixels, over the high-resolution threshold: 900 x 1200.
TEST(Resave, WritesTheVersionsInOrderUnderEachSetting)
{
    const QSize editedHighRes(900, 1200), editedFullScreen(450, 600), editedThumbnail(75, 100);
    // clang-format off
    const struct {
        const char* name;
        Source source;
        int modifyHighRes;
        bool originalThere;
        QSize original, highRes;  // read back afterwards; (-1, -1) where no file is
    } cases[] = {
        {"high-res kept when setting off", Source::HighRes, 0, false, kNone, kHighRes},
        {"high-res edited and original saved", Source::HighRes, 1, false, kHighRes, editedHighRes},
        {"existing original kept", Source::Original, 1, true, kOriginal, editedHighRes},
        {"full-screen source never touches high-res", Source::FullScreen, 1, false, kNone, kHighRes},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
        EXPECT_TRUE(EditedPhotoSaver::Save(library.Store(), library.Settings(), "p", c.source, edited, unedited)
                        .empty());
        const auto sizeOf = [&](Version version) { return DecodedSize(library.PathOf(version, "p")); };
        EXPECT_EQ(std::tuple(sizeOf(Version::Original), sizeOf(Version::HighRes), sizeOf(Version::FullScreen),
                             sizeOf(Version::Thumbnail)),
                  std::tuple(c.original, c.highRes, editedFullScreen, editedThumbnail));
        if (c.highRes == kHighRes) {
            EXPECT_EQ(ReadBytes(library.PathOf(Version::HighRes, "p")), highResBefore);
        }
        EXPECT_EQ(unedited.GetSize(), kHighRes) << "the unedited picture is never changed";
    }
}

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
