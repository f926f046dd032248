#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

namespace {

// The two-photo library of the format's worked example.
const std::string kWorkedExample =
    "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one \x01 sunny|\r\n"
    "garden|1999||Summer holiday|||\r\n";

class DatabaseReaderTest : public testing::Test {
protected:
    bool Read(const std::string& bytes)
    {
        WriteBytes(m_path, bytes);
        return m_catalog.ReadDatabase(m_path, m_prompter);
    }
    std::vector<int> Ids(const PhotoRecord::IdList& ids) const
    {
        return {ids.begin(), ids.begin() + PhotoRecord::UsedCount(ids)};
    }
    void ExpectOneMessage(const std::string& text)
    {
        ASSERT_EQ(m_prompter.Messages().size(), 1u);
        EXPECT_EQ(m_prompter.Messages()[0].text, text);
        EXPECT_EQ(m_prompter.Messages()[0].caption, m_path);
        EXPECT_EQ(m_prompter.Messages()[0].buttons, PromptButtons::Ok);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    ScriptedPrompter m_prompter;
    CQuilleryDoc m_catalog;
};

TEST_F(DatabaseReaderTest, ReadsTheWorkedExample)
{
    m_catalog.SetModified(true);
    ASSERT_TRUE(Read(kWorkedExample));
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_FALSE(m_catalog.IsUntitled());
    EXPECT_FALSE(m_catalog.IsModified());
    EXPECT_EQ(m_catalog.GetPath(), m_path);
    ASSERT_EQ(m_catalog.PhotoCount(), 2);

    const PhotoRecord& beach = m_catalog.PhotoAt(0);
    EXPECT_EQ(beach.GetFileName(), "beach01");
    EXPECT_EQ(beach.GetDateText(), "6/05/1999");
    EXPECT_EQ(Ids(beach.personIds), (std::vector<int>{0, 1}));
    for (size_t i = 2; i < beach.personIds.size(); ++i) EXPECT_EQ(beach.personIds[i], -1);
    EXPECT_EQ(Ids(beach.eventIds), std::vector<int>{0});
    EXPECT_EQ(Ids(beach.locationIds), std::vector<int>{0});
    EXPECT_EQ(beach.GetNotes(), "Day one | sunny");
    EXPECT_EQ(beach.Catalog(), &m_catalog);

    const PhotoRecord& garden = m_catalog.PhotoAt(1);
    EXPECT_EQ(garden.GetDateText(), "1999");
    EXPECT_EQ(Ids(garden.personIds), std::vector<int>{});
    EXPECT_EQ(Ids(garden.eventIds), std::vector<int>{0});
    EXPECT_EQ(garden.GetNotes(), "");

    EXPECT_EQ(m_catalog.Persons().At(0), "Smith, John");
    EXPECT_EQ(m_catalog.Persons().At(1), "Doe, Jane");
    EXPECT_EQ(m_catalog.Events().Size(), 1);
    EXPECT_EQ(m_catalog.Locations().At(0), "France, Paris");
    EXPECT_EQ(m_catalog.FindPhotoByFileName("garden"), 1);
}

TEST_F(DatabaseReaderTest, EmptyFileIsALibraryWithoutPhotos)
{
    EXPECT_TRUE(Read(""));
    EXPECT_EQ(m_catalog.PhotoCount(), 0);
    EXPECT_FALSE(m_catalog.IsUntitled());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(DatabaseReaderTest, LastLineWithoutCrLfIsComplete)
{
    EXPECT_TRUE(Read("a|1999|||||\r\nb|2000|||||"));
    ASSERT_EQ(m_catalog.PhotoCount(), 2);
    EXPECT_EQ(m_catalog.PhotoAt(1).GetFileName(), "b");
}

TEST_F(DatabaseReaderTest, BareLineFeedsAndTrailingBlankLinesAreAccepted)
{
    EXPECT_TRUE(Read("a|1999|||||\nb|2000|||||\r\n\r\n\n"));
    EXPECT_EQ(m_catalog.PhotoCount(), 2);
}

TEST_F(DatabaseReaderTest, ReplacesWhatTheCatalogHeldBefore)
{
    m_catalog.AddPerson("Old");
    m_catalog.AddPhoto(PhotoRecord());
    EXPECT_TRUE(Read("a|1999|New||||\r\n"));
    EXPECT_EQ(m_catalog.PhotoCount(), 1);
    EXPECT_EQ(m_catalog.Persons().Size(), 1);
    EXPECT_EQ(m_catalog.FindPerson("Old"), -1);
}

TEST_F(DatabaseReaderTest, NormalizesDatesFromTheirNumbers)
{
    EXPECT_TRUE(Read("a|01/5/99|||||\r\nb|13/1999|||||\r\nc|6/ab|||||\r\n"));
    EXPECT_EQ(m_catalog.PhotoAt(0).GetDateText(), "1/05/1999");
    EXPECT_EQ(m_catalog.PhotoAt(1).GetDateText(), "0");
    EXPECT_EQ(m_catalog.PhotoAt(2).GetDateText(), "0");
}

TEST_F(DatabaseReaderTest, NamesAreNumberedInOrderOfFirstAppearance)
{
    EXPECT_TRUE(Read("a|1999|A^B^A|E|L||\r\nb|1999|C^B|E2^E|L||\r\n"));
    EXPECT_EQ(Ids(m_catalog.PhotoAt(0).personIds), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Ids(m_catalog.PhotoAt(1).personIds), (std::vector<int>{2, 1}));
    EXPECT_EQ(Ids(m_catalog.PhotoAt(1).eventIds), (std::vector<int>{1, 0}));
    EXPECT_EQ(m_catalog.Persons().Size(), 3);
}

TEST_F(DatabaseReaderTest, KeepsSixteenNamesAndAddsNoSeventeenth)
{
    std::string persons;
    for (int i = 1; i <= 17; ++i) persons += (i > 1 ? "^" : "") + std::string("P") + std::to_string(i);
    EXPECT_TRUE(Read("a|1999|" + persons + "||||\r\n"));
    EXPECT_EQ(PhotoRecord::UsedCount(m_catalog.PhotoAt(0).personIds), 16);
    EXPECT_EQ(m_catalog.Persons().Size(), 16);
    EXPECT_EQ(m_catalog.FindPerson("P17"), -1);
}

TEST_F(DatabaseReaderTest, AnEmptyNameEndsTheListExceptInFirstPlace)
{
    EXPECT_TRUE(Read("a|1999|A^^B|E^|^L||\r\n"));
    EXPECT_EQ(Ids(m_catalog.PhotoAt(0).personIds), std::vector<int>{0});
    EXPECT_EQ(m_catalog.FindPerson("B"), -1);
    EXPECT_EQ(Ids(m_catalog.PhotoAt(0).eventIds), std::vector<int>{0});
    EXPECT_EQ(Ids(m_catalog.PhotoAt(0).locationIds), (std::vector<int>{0, 1}));
    EXPECT_EQ(m_catalog.Locations().At(0), "");
}

TEST_F(DatabaseReaderTest, NotesGetBackTheirBarsAndLineBreaks)
{
    EXPECT_TRUE(Read("a|1999||||one\x01two\r\r\nthree\rfour|\r\n"));
    EXPECT_EQ(m_catalog.PhotoAt(0).GetNotes(), "one|two\r\nthree\rfour");
}

TEST_F(DatabaseReaderTest, TranslatesCrLfInEveryFieldOfLinesThatHoldOne)
{
    EXPECT_TRUE(Read("a|1999|||||\r\nb\r\nc|1999|P\r\nQ|E\rF||x\r\r\ny|\r\nd|1999|P\r|||\r|\r\n"));
    ASSERT_EQ(m_catalog.PhotoCount(), 3);
    EXPECT_EQ(m_catalog.PhotoAt(1).GetFileName(), "b\nc");
    EXPECT_EQ(m_catalog.Persons().At(0), "P\nQ");
    EXPECT_EQ(m_catalog.Events().At(0), "E\rF");
    EXPECT_EQ(m_catalog.PhotoAt(1).GetNotes(), "x\r\ny");
    EXPECT_EQ(m_catalog.Persons().At(1), "P\r");
    EXPECT_EQ(m_catalog.PhotoAt(2).GetNotes(), "\r");
}

TEST_F(DatabaseReaderTest, TakesFieldsWholeHoweverLong)
{
    const std::string longName(300, 'n');
    const std::string longNotes(5000, 'x');
    const std::string longPerson(1500, 'p');
    EXPECT_TRUE(Read(longName + "|1999|" + longPerson + "|||" + longNotes + "|\r\nnext|2000|||||\r\n"));
    ASSERT_EQ(m_catalog.PhotoCount(), 2);
    EXPECT_EQ(m_catalog.PhotoAt(0).GetFileName(), longName);
    EXPECT_EQ(m_catalog.PhotoAt(0).GetNotes(), longNotes);
    EXPECT_EQ(m_catalog.Persons().At(0), longPerson);
    EXPECT_EQ(m_catalog.PhotoAt(1).GetFileName(), "next");
}

struct FailureCase {
    const char* name;
    std::string bytes;
    const char* message;
    int photosKept;
};

class DatabaseReaderFailureTest : public DatabaseReaderTest,
                                  public testing::WithParamInterface<FailureCase> {};

TEST_P(DatabaseReaderFailureTest, ShowsTheMessageAndKeepsTheLinesBefore)
{
    const FailureCase& c = GetParam();
    EXPECT_FALSE(Read(c.bytes));
    ExpectOneMessage(c.message);
    EXPECT_EQ(m_catalog.PhotoCount(), c.photosKept);
    EXPECT_TRUE(m_catalog.IsUntitled());
    EXPECT_FALSE(m_catalog.IsModified());
    EXPECT_EQ(m_catalog.GetPath(), m_path);
}

const std::string kGood = "ok|1999|P|E|L|n|\r\n";
const char* const kNoFileName = "Database format error - No filename";
const char* const kNoDate = "Database format error - No Date";
const char* const kIncorrect = "Database format error - incorrect picture entry";

INSTANTIATE_TEST_SUITE_P(
    Lines, DatabaseReaderFailureTest,
    testing::Values(FailureCase{"EmptyFileName", kGood + "|1999|||||\r\n", kNoFileName, 1},
                    FailureCase{"EmptyDate", kGood + "x||a|b|c|d|\r\n", kNoDate, 1},
                    FailureCase{"CharactersAfterSixthSeparator", kGood + "x|1999|a|b|c|d|e\r\n", kIncorrect, 1},
                    FailureCase{"SeventhField", kGood + "x|1999|a|b|c|d||\r\n", kIncorrect, 1},
                    FailureCase{"LoneCarriageReturnAfterSixth", kGood + "x|1999|a|b|c|d|\r", kIncorrect, 1},
                    FailureCase{"LineCutShort", kGood + "x|1999|a|b\r\n", kIncorrect, 1},
                    FailureCase{"OnlyAFileNameLeft", kGood + "x|", kIncorrect, 1},
                    FailureCase{"TextWithoutSeparators", kGood + "stray text", kIncorrect, 1},
                    FailureCase{"FirstLineBad", "x|1999|a|b|c|d|e\r\n" + kGood, kIncorrect, 0}),
    [](const testing::TestParamInfo<FailureCase>& test) { return std::string(test.param.name); });

TEST_F(DatabaseReaderTest, MissingFileCannotBeOpened)
{
    EXPECT_FALSE(m_catalog.ReadDatabase(m_dir.File("missing.pdb"), m_prompter));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, "Unable to open file");
    EXPECT_EQ(m_prompter.Messages()[0].caption, m_dir.File("missing.pdb"));
    EXPECT_EQ(m_catalog.GetPath(), m_dir.File("missing.pdb"));
    EXPECT_TRUE(m_catalog.IsUntitled());
}

TEST_F(DatabaseReaderTest, DirectoryCannotBeOpenedAsADatabase)
{
    EXPECT_FALSE(m_catalog.ReadDatabase(m_dir.Path().string(), m_prompter));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, "Unable to open file");
}

}  // namespace
