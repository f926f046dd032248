#include "MemorySettings.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PhotoAdder.h"

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
    std::vector<std::string> seventeen = Names(17, 1);
    std::vector<std::string> sixteenOnceRepeated = Names(16, 1);
    sixteenOnceRepeated.push_back("a");
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
        {"empty date", {"new", "", "", {}, {}, {}}, Outcome::Refused, date},
        {"empty name", {"", "1999", "", {}, {}, {}}, Outcome::EmptyName, ""},
        {"name 99", {std::string(99, 'n'), "1999", "", {}, {}, {}}, Outcome::Accepted, ""},
        {"name 100", {std::string(100, 'n'), "1999", "", {}, {}, {}}, Outcome::Refused, tooLong},
        {"notes 999", {"new", "1999", std::string(999, 'x'), {}, {}, {}}, Outcome::Accepted, ""},
        {"notes 1000", {"new", "1999", std::string(1000, 'x'), {}, {}, {}}, Outcome::Refused, notes},
        // 499 + 1 separator + 499 = 999; 500 + 1 + 499 = 1000.
        {"persons 999", {"new", "1999", "", Names(2, 499), {}, {}}, Outcome::Accepted, ""},
        {"events 1000", {"new", "1999", "", {}, {std::string(500, 'e'), std::string(499, 'f')}, {}},
         Outcome::Refused, TooLong("events")},
        {"17 persons", {"new", "1999", "", seventeen, {}, {}}, Outcome::Refused,
         "A photo can hold at most 16 persons, 17 persons were chosen, please choose fewer"},
        {"17 locations", {"new", "1999", "", {}, {}, seventeen}, Outcome::Refused,
         "A photo can hold at most 16 locations, 17 locations were chosen, please choose fewer"},
        {"a repeat counts once", {"new", "1999", "", {}, sixteenOnceRepeated, {}}, Outcome::Accepted, ""},
        // 2 x 500 + 1 would be 1001, but the repeat is stored once.
        {"repeats not joined", {"new", "1999", "", {std::string(500, 'r'), std::string(500, 'r')}, {}, {}},
         Outcome::Accepted, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto verdict = Check(c.entry);
        EXPECT_EQ(std::tie(verdict.outcome, verdict.message), std::tie(c.outcome, c.message)) << c.label;
    }
    for (const char c : std::string("\\/:*?<>|"))
        EXPECT_EQ(Check({std::string("a") + c, "1999", "", {}, {}, {}}).message, forbidden) << c;
    EXPECT_TRUE(Check({"beach", "1999", "", {}, {}, {}}, PhotoAdder::Mode::Edit).Accepted());
}

TEST_F(PhotoAdderTest, NameThatMakesTooLongAPathIsRefused)
{
    std::string directory = m_dir.Path().string();
    while (directory.size() < 3981)
        directory += "/" + std::string(std::min<size_t>(200, 3981 - directory.size() - 1), 'd');
    MakeLibrary(directory);
    // "/High Resolution Images/" is the longest folder part, and the store stages each
    // version under a name 8 bytes longer: 3981 + 24 + 78 + 4 + 8 = 4095 just fits.
    EXPECT_EQ(Check({std::string(79, 'n'), "1999", "", {}, {}, {}}).message,
              PhotoAdder::kPathTooLongMessage);
    EXPECT_TRUE(Check({std::string(78, 'n'), "1999", "", {}, {}, {}}).Accepted());
}

// Taken names are compared exactly, with case; a numbered name counts on in its turn.
TEST_F(PhotoAdderTest, FreeNameCountsPastTakenNames)
{
    for (const char* taken : {"beach 2", "beach 3", "dune", "beach 2 2"}) {
        PhotoRecord record;
        record.SetFileName(taken);
        m_library.AddPhoto(record);
    }
    const PhotoAdder adder(m_library, m_settings);
    const std::pair<const char*, const char*> cases[] = {
        {"beach", "beach 4"}, {"beach 2", "beach 2 3"}, {"Beach", "Beach"},
        {"dune", "dune 2"},   {"", ""},                 {"sea", "sea"}};
    for (const auto& [suggested, free] : cases) EXPECT_EQ(adder.FreeName(suggested), free) << suggested;
}

// The record is appended only once every version is written; a name given twice is
// stored once, names not in the catalog are left out.
TEST_F(PhotoAdderTest, AddAppendsTheRecordOnlyOnSuccess)
{
    for (const char* folder : {"Thumbnail Pictures", "Full Screen Pictures"})
        std::filesystem::remove(m_dir.Path() / folder);
    Picture picture;
    picture.CreateBlank(640, 480);
    Picture thumbnail;
    ASSERT_EQ(PhotoAdder::MakeThumbnail(picture, thumbnail), Picture::kOk);
    m_library.AddName(NameKind::Persons, "Smith, John");
    const PhotoEntry entry{"garden", "6/1999", "", {"Smith, John", "Smith, John", "Not there"}, {}, {}};
    const auto ignore = [](const std::string&) {};

    const auto failed = PhotoAdder(m_library, m_settings).Add(entry, picture, thumbnail, ignore);
    ASSERT_TRUE(failed.failure && !failed.photo);
    EXPECT_EQ(failed.failure->version, PhotoVersion::FullScreen);
    EXPECT_EQ(m_library.Catalog().PhotoCount(), 1);

    Library::CreatePictureFolders(m_dir.Path().string());
    const auto added = PhotoAdder(m_library, m_settings).Add(entry, picture, thumbnail, ignore);
    ASSERT_FALSE(added.failure);
    ASSERT_EQ(added.photo, &m_library.Catalog().PhotoAt(1));
    EXPECT_EQ(PhotoRecord::UsedCount(added.photo->Ids(NameKind::Persons)), 1);
}

} // namespace
