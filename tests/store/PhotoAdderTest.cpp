#include "MemorySettings.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PhotoAdder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using Outcome = PhotoAdder::Verdict::Outcome;

std::vector<std::string> Names(size_t count, size_t length)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i)
        names.push_back(std::string(length, static_cast<char>('a' + i)));
    return names;
}

std::string TooLong(const std::string& what)
{
    return "The names of the selected " + what +
           " are too long together, at most 999 characters can be stored, please select fewer";
}

class PhotoAdderTest : public testing::Test {
protected:
    PhotoAdderTest() { MakeLibrary(m_dir.Path().string()); }

    // A new library in the directory, holding the photo "beach".
    void MakeLibrary(const std::string& directory)
    {
        std::filesystem::create_directories(directory);
        ASSERT_EQ(m_library.Create(directory + "/T.pdb", m_prompter), Library::Outcome::Done);
        PhotoRecord beach;
        beach.SetFileName("beach");
        beach.SetDate(6, 5, 1999);
        m_library.AddPhoto(beach);
    }

    PhotoAdder::Verdict Check(const PhotoEntry& entry,
                              PhotoAdder::Mode mode = PhotoAdder::Mode::Add)
    {
        return PhotoAdder(m_library, m_settings).Check(entry, mode);
    }

    TempDir m_dir;
    ScriptedPrompter m_prompter;
    Library m_library;
    MemorySettings m_settings;
};

TEST_F(PhotoAdderTest, CheckGivesTheFirstBrokenRule)
{
    const std::string forbidden(PhotoAdder::kForbiddenMessage), inUse(PhotoAdder::kNameUsedMessage),
        date(PhotoAdder::kDateMessage), tooLong(PhotoAdder::kFileNameTooLongMessage),
        notes(PhotoAdder::kNotesTooLongMessage);
    std::vector<std::string> seventeen =
        Names(16, 61); // 16 x 61 + 15 = 991: only the first 16 count
    seventeen.push_back(std::string(500, 'z'));
    // clang-format off
    const struct {
        const char* label;
        PhotoEntry entry;
        Outcome outcome;
        std::string message;
    } cases[] = {
        {"accepted", {"holiday.beach", "6/1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        {"forbidden before date", {"a/b", "", "", {}, {}, {}}, Outcome::Refused, forbidden},
        {"in use before date", {"beach", "", "", {}, {}, {}}, Outcome::Refused, inUse},
        {"other case is free", {"Beach", "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        {"leading blank is free", {" beach", "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        {"empty date", {"new", "", "", {}, {}, {}}, Outcome::Refused, date},
        {"empty name", {"", "1999", "", {}, {}, {}}, Outcome::EmptyName, ""},
        {"name 99", {std::string(99, 'n'), "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        {"name 100", {std::string(100, 'n'), "1999", "", {}, {}, {}}, Outcome::Refused,
         tooLong},
        {"notes 999", {"new", "1999", std::string(999, 'x'), {}, {}, {}}, Outcome::Accepted, ""},
        {"notes 1000", {"new", "1999", std::string(1000, 'x'), {}, {}, {}}, Outcome::Refused, notes},
        // 3 x 332 + 2 separators = 998; 3 x 333 + 2 = 1001.
        {"persons 998", {"new", "1999", "", Names(3, 332), {}, {}}, Outcome::Accepted, ""},
        {"persons 1001", {"new", "1999", "", Names(3, 333), {}, {}}, Outcome::Refused,
         TooLong("persons")},
        {"events 1001", {"new", "1999", "", {}, Names(3, 333), {}}, Outcome::Refused,
         TooLong("events")},
        {"locations 1001", {"new", "1999", "", {}, {}, Names(3, 333)}, Outcome::Refused,
         TooLong("locations")},
        {"seventeenth not counted", {"new", "1999", "", seventeen, {}, {}}, Outcome::Accepted, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto verdict = Check(c.entry);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.label;
        EXPECT_EQ(verdict.message, c.message) << c.label;
    }
    for (const char c : std::string("\\/:*?<>|"))
        EXPECT_EQ(Check({std::string("a") + c, "1999", "", {}, {}, {}}).message, forbidden) << c;
    EXPECT_TRUE(Check({"beach", "1999", "", {}, {}, {}}, PhotoAdder::Mode::Edit).Accepted());
    EXPECT_EQ(Check({"beach", "", "", {}, {}, {}}, PhotoAdder::Mode::Edit).message, date);
}

TEST_F(PhotoAdderTest, NameThatMakesTooLongAPathIsRefused)
{
    std::string directory = m_dir.Path().string();
    while (directory.size() < 3981)
        directory += "/" + std::string(std::min<size_t>(200, 3981 - directory.size() - 1), 'd');
    MakeLibrary(directory);
    // "/High Resolution Images/" is the longest folder part, and the store stages each
    // version under a name 8 bytes longer: 3981 + 24 + 90 + 4 + 8 > 4095.
    EXPECT_EQ(Check({std::string(90, 'n'), "1999", "", {}, {}, {}}).message,
              PhotoAdder::kPathTooLongMessage);
    EXPECT_TRUE(Check({std::string(40, 'n'), "1999", "", {}, {}, {}}).Accepted());
}

TEST(PhotoAdderTexts, DateFromExifAndSuggestedName)
{
    // clang-format off
    const std::pair<const char*, std::optional<std::string>> dates[] = {
        {"2021:08:04 10:11:12", "8/04/2021"}, {"1999:12:31 23:59:59", "12/31/1999"},
        {"2021:08:04", "8/04/2021"},          {"0000:00:00 00:00:00", std::nullopt},
        {"    :  :     :  :  ", std::nullopt}, {"2021-08-04 10:11:12", std::nullopt},
        {"2021:13:04 10:11:12", std::nullopt}, {"", std::nullopt},
    };
    // clang-format on
    for (const auto& [exif, date] : dates)
        EXPECT_EQ(PhotoAdder::DateFromExif(exif), date) << exif;

    // clang-format off
    const std::pair<const char*, const char*> names[] = {
        {"/pics/holiday.beach.jpg", "holiday.beach"}, {"/pics/noextension", "noextension"},
        {"relative.png", "relative"}, {"/pics.d/.hidden", ""}, {"/pics/x.", "x"},
    };
    // clang-format on
    for (const auto& [path, name] : names)
        EXPECT_EQ(PhotoAdder::SuggestedName(path), name) << path;
}

TEST_F(PhotoAdderTest, AddWritesTheVersionsAndAppendsTheRecordOnlyOnSuccess)
{
    const TempDir& dir = m_dir;
    for (const auto& folder : std::filesystem::directory_iterator(dir.Path()))
        if (folder.is_directory()) std::filesystem::remove(folder.path());
    QImage image(640, 480, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("source.png"))));
    Picture picture;
    ASSERT_EQ(picture.LoadFile(dir.File("source.png")), Picture::kOk);
    Picture thumbnail;
    ASSERT_EQ(PhotoAdder::MakeThumbnail(picture, thumbnail), Picture::kOk);
    EXPECT_EQ(thumbnail.GetSize(), QSize(133, 100));
    m_library.AddName(NameKind::Persons, "Smith, John");
    m_library.AddName(NameKind::Events, "Party");
    const PhotoEntry entry{"garden",  "6/1999", "Line\r\nTwo", {"Smith, John", "Not there"},
                           {"Party"}, {}};
    std::vector<std::string> texts;
    const auto status = [&](const std::string& text) { texts.push_back(text); };

    // Without the picture folders the first version fails and no record is added.
    const auto failed = PhotoAdder(m_library, m_settings).Add(entry, picture, thumbnail, status);
    EXPECT_EQ(failed.photo, nullptr);
    ASSERT_TRUE(failed.failure);
    EXPECT_EQ(failed.failure->version, PhotoVersion::FullScreen);
    EXPECT_EQ(failed.failure->step, VersionFailure::Step::Write);
    EXPECT_EQ(m_library.Catalog().PhotoCount(), 1);

    for (const char* folder : {"Thumbnail Pictures", "Full Screen Pictures"})
        std::filesystem::create_directories(dir.Path() / folder);
    texts.clear();
    const auto added = PhotoAdder(m_library, m_settings).Add(entry, picture, thumbnail, status);
    ASSERT_FALSE(added.failure);
    ASSERT_EQ(added.photo, &m_library.Catalog().PhotoAt(1));
    EXPECT_TRUE(m_library.IsModified());
    const PhotoRecord& record = *added.photo;
    EXPECT_EQ(record.GetFileName(), "garden");
    EXPECT_EQ(record.GetDateText(), "6/1999");
    EXPECT_EQ(record.GetNotes(), "Line\r\nTwo");
    EXPECT_EQ(record.Ids(NameKind::Persons)[0], 0);
    EXPECT_EQ(record.Ids(NameKind::Persons)[1], -1); // not in the catalog
    EXPECT_EQ(record.Ids(NameKind::Events)[0], 0);
    EXPECT_EQ(record.Ids(NameKind::Locations)[0], -1);
    EXPECT_EQ(texts, (std::vector<std::string>{"Saving full screen version of photo",
                                               "Saving thumbnail version of photo"}));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Thumbnail Pictures/garden.jpg")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Full Screen Pictures/garden.jpg")));
}

} // namespace
