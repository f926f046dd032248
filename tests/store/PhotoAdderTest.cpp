#include "MemorySettings.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/PhotoAdder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using Outcome = PhotoAdder::Verdict::Outcome;

class PhotoAdderTest : public testing::Test {
protected:
    PhotoAdderTest() { m_catalog.AddPhoto(Record("beach")); }

    static PhotoRecord Record(const std::string& name)
    {
        PhotoRecord record;
        record.SetFileName(name);
        record.SetDate(6, 5, 1999);
        return record;
    }

    PhotoAdder::Verdict Check(const PhotoEntry& entry, PhotoAdder::Mode mode = PhotoAdder::Mode::Add)
    {
        return PhotoAdder(m_catalog, m_directory, m_settings).Check(entry, mode);
    }

    CQuilleryDoc m_catalog;
    MemorySettings m_settings;
    std::string m_directory = "/photos";
};

struct CheckCase {
    const char* label;
    PhotoEntry entry;
    Outcome outcome;
    std::string message;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.label;
}

class PhotoAdderCheck : public PhotoAdderTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(PhotoAdderCheck, GivesTheFirstBrokenRule)
{
    const auto verdict = Check(GetParam().entry);
    EXPECT_EQ(verdict.outcome, GetParam().outcome);
    EXPECT_EQ(verdict.message, GetParam().message);
}

const std::string kForbidden(PhotoAdder::kForbiddenMessage);
const std::string kInUse(PhotoAdder::kNameUsedMessage);
const std::string kDate(PhotoAdder::kDateMessage);
const std::string kTooLong(PhotoAdder::kFileNameTooLongMessage);
const std::string kNotes(PhotoAdder::kNotesTooLongMessage);

std::vector<std::string> Names(size_t count, size_t length)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i) names.push_back(std::string(length, static_cast<char>('a' + i)));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PhotoAdderCheck,
    testing::Values(
        CheckCase{"Accepted", {"holiday.beach", "6/1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        CheckCase{"ForbiddenBeforeDate", {"a/b", "", "", {}, {}, {}}, Outcome::Refused, kForbidden},
        CheckCase{"InUseBeforeDate", {"beach", "", "", {}, {}, {}}, Outcome::Refused, kInUse},
        CheckCase{"OtherCaseIsFree", {"Beach", "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        CheckCase{"LeadingBlankIsFree", {" beach", "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        CheckCase{"EmptyDate", {"new", "", "", {}, {}, {}}, Outcome::Refused, kDate},
        CheckCase{"EmptyName", {"", "1999", "", {}, {}, {}}, Outcome::EmptyName, ""},
        CheckCase{"Name99", {std::string(99, 'n'), "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        CheckCase{"Name100", {std::string(100, 'n'), "1999", "", {}, {}, {}}, Outcome::Refused, kTooLong},
        CheckCase{"Notes999", {"new", "1999", std::string(999, 'x'), {}, {}, {}}, Outcome::Accepted, ""},
        CheckCase{"Notes1000", {"new", "1999", std::string(1000, 'x'), {}, {}, {}}, Outcome::Refused, kNotes},
        // 3 x 332 + 2 separators = 998; 3 x 333 + 2 = 1001.
        CheckCase{"Persons998", {"new", "1999", "", Names(3, 332), {}, {}}, Outcome::Accepted, ""},
        CheckCase{"Persons1001", {"new", "1999", "", Names(3, 333), {}, {}}, Outcome::Refused,
                  "The names of the selected persons are too long together, at most 999 characters "
                  "can be stored, please select fewer"},
        CheckCase{"Events1001", {"new", "1999", "", {}, Names(3, 333), {}}, Outcome::Refused,
                  "The names of the selected events are too long together, at most 999 characters "
                  "can be stored, please select fewer"},
        CheckCase{"Locations1001", {"new", "1999", "", {}, {}, Names(3, 333)}, Outcome::Refused,
                  "The names of the selected locations are too long together, at most 999 "
                  "characters can be stored, please select fewer"},
        // Only the first 16 are stored, so only they count.
        CheckCase{"SeventeenthNotCounted", {"new", "1999", "", [] {
                      auto names = Names(16, 61);  // 16 x 61 + 15 = 991
                      names.push_back(std::string(500, 'z'));
                      return names;
                  }(), {}, {}}, Outcome::Accepted, ""}),
    [](const testing::TestParamInfo<CheckCase>& param) { return std::string(param.param.label); });

TEST_F(PhotoAdderTest, EditModeDoesNotCheckTheName)
{
    EXPECT_TRUE(Check({"beach", "1999", "", {}, {}, {}}, PhotoAdder::Mode::Edit).Accepted());
    EXPECT_EQ(Check({"beach", "", "", {}, {}, {}}, PhotoAdder::Mode::Edit).message, kDate);
}

TEST_F(PhotoAdderTest, EveryForbiddenCharacterIsRefused)
{
    for (const char c : std::string("\\/:*?<>|")) {
        EXPECT_EQ(Check({std::string("a") + c, "1999", "", {}, {}, {}}).message, kForbidden) << c;
    }
}

TEST_F(PhotoAdderTest, NameThatMakesTooLongAPathIsRefused)
{
    m_directory = "/" + std::string(3980, 'd');
    // "/High Resolution Images/" is the longest folder part, and the store stages each
    // version under a name 8 bytes longer: 3981 + 24 + 90 + 4 + 8 > 4095.
    EXPECT_EQ(Check({std::string(90, 'n'), "1999", "", {}, {}, {}}).message,
              PhotoAdder::kPathTooLongMessage);
    EXPECT_TRUE(Check({std::string(40, 'n'), "1999", "", {}, {}, {}}).Accepted());
}

TEST(PhotoAdderTexts, DateFromExif)
{
    struct Case {
        const char* exif;
        std::optional<std::string> date;
    };
    const Case cases[] = {
        {"2021:08:04 10:11:12", "8/04/2021"},
        {"1999:12:31 23:59:59", "12/31/1999"},
        {"2021:08:04", "8/04/2021"},
        {"0000:00:00 00:00:00", std::nullopt},
        {"    :  :     :  :  ", std::nullopt},
        {"2021-08-04 10:11:12", std::nullopt},
        {"2021:13:04 10:11:12", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(PhotoAdder::DateFromExif(c.exif), c.date) << c.exif;
}

TEST(PhotoAdderTexts, SuggestedName)
{
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/pics/holiday.beach.jpg", "holiday.beach"},
        {"/pics/noextension", "noextension"},
        {"relative.png", "relative"},
        {"/pics.d/.hidden", ""},
        {"/pics/x.", "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(PhotoAdder::SuggestedName(c.path), c.name) << c.path;
}

TEST_F(PhotoAdderTest, AddWritesTheVersionsAndAppendsTheRecord)
{
    TempDir dir;
    m_directory = dir.Path().string();
    for (const char* folder : {"Thumbnail Pictures", "Full Screen Pictures"}) {
        std::filesystem::create_directories(dir.Path() / folder);
    }
    QImage image(640, 480, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("source.png"))));
    Picture picture;
    ASSERT_EQ(picture.LoadFile(dir.File("source.png")), Picture::kOk);
    Picture thumbnail;
    ASSERT_EQ(PhotoAdder::MakeThumbnail(picture, thumbnail), Picture::kOk);
    EXPECT_EQ(thumbnail.GetSize(), QSize(133, 100));

    m_catalog.AddPerson("Smith, John");
    m_catalog.AddEvent("Party");
    const PhotoEntry entry{"garden", "6/1999", "Line\r\nTwo", {"Smith, John", "Not there"}, {"Party"}, {}};
    std::vector<std::string> texts;
    PhotoAdder adder(m_catalog, m_directory, m_settings);
    const int index = adder.Add(entry, picture, thumbnail, [&](const std::string& text) { texts.push_back(text); });

    ASSERT_EQ(index, 1);
    EXPECT_TRUE(m_catalog.IsModified());
    const PhotoRecord& record = m_catalog.PhotoAt(index);
    EXPECT_EQ(record.GetFileName(), "garden");
    EXPECT_EQ(record.GetDateText(), "6/1999");
    EXPECT_EQ(record.GetNotes(), "Line\r\nTwo");
    EXPECT_EQ(record.personIds[0], 0);
    EXPECT_EQ(record.personIds[1], -1);  // not in the catalog
    EXPECT_EQ(record.eventIds[0], 0);
    EXPECT_EQ(record.locationIds[0], -1);
    EXPECT_EQ(texts.front(), "Saving full screen version of photo");
    EXPECT_EQ(texts.back(), "");
    EXPECT_TRUE(std::filesystem::exists(dir.File("Thumbnail Pictures/garden.jpg")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Full Screen Pictures/garden.jpg")));
}

TEST_F(PhotoAdderTest, FailedVersionAddsNoRecord)
{
    TempDir dir;  // without picture folders
    m_directory = dir.Path().string();
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(64, 48), Picture::kOk);
    Picture thumbnail;
    ASSERT_EQ(PhotoAdder::MakeThumbnail(picture, thumbnail), Picture::kOk);
    std::string last;
    PhotoAdder adder(m_catalog, m_directory, m_settings);
    EXPECT_EQ(adder.Add({"x", "1999", "", {}, {}, {}}, picture, thumbnail,
                        [&](const std::string& text) { last = text; }),
              -1);
    EXPECT_EQ(m_catalog.PhotoCount(), 1);
    EXPECT_EQ(last.rfind("Error saving picture (800x600) to Full Screen Pictures - ", 0), 0u);
}

}  // namespace
