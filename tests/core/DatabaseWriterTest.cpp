#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseWriter.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const std::string kWorkedExample =
    "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one \x01 sunny|\r\n"
    "garden|1999||Summer holiday|||\r\n";
const std::string kOldContent = "old|1999|||||\r\n";

// The worked example built the way the program builds it: names first, then records.
void FillWorkedExample(CQuilleryDoc& catalog)
{
    const int smith = catalog.AddPerson("Smith, John");
    const int doe = catalog.AddPerson("Doe, Jane");
    const int holiday = catalog.AddEvent("Summer holiday");
    const int paris = catalog.AddLocation("France, Paris");
    PhotoRecord beach;
    beach.SetFileName("beach01");
    beach.SetDate(6, 5, 1999);
    beach.personIds[0] = smith;
    beach.personIds[1] = doe;
    beach.eventIds[0] = holiday;
    beach.locationIds[0] = paris;
    beach.SetNotes("Day one | sunny");
    catalog.AddPhoto(beach);
    PhotoRecord garden;
    garden.SetFileName("garden");
    garden.SetDateText("1999");
    garden.eventIds[0] = holiday;
    catalog.AddPhoto(garden);
}

class DatabaseWriterTest : public testing::Test {
protected:
    void SetUp() override
    {
        FillWorkedExample(m_catalog);
        m_catalog.SetModified(true);
    }
    void ExpectOneMessage(const std::string& text)
    {
        ASSERT_EQ(m_prompter.Messages().size(), 1u);
        EXPECT_EQ(m_prompter.Messages()[0].text, text);
        EXPECT_EQ(m_prompter.Messages()[0].caption, "Quillery");
    }
    void ExpectCatalogUnchanged()
    {
        EXPECT_TRUE(m_catalog.IsModified());
        EXPECT_TRUE(m_catalog.IsUntitled());
        EXPECT_EQ(m_catalog.GetPath(), "");
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    std::string m_temporary = m_dir.File("~Family.pdb");
    std::string m_backup = m_dir.File("Family.bak");
    ScriptedPrompter m_prompter;
    CQuilleryDoc m_catalog;
};

TEST_F(DatabaseWriterTest, WritesTheWorkedExampleByteForByte)
{
    WriteBytes(m_path, "");
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample);
    EXPECT_FALSE(m_catalog.IsModified());
    EXPECT_FALSE(m_catalog.IsUntitled());
    EXPECT_EQ(m_catalog.GetPath(), m_path);
}

TEST_F(DatabaseWriterTest, LeavesNeitherTemporaryNorBackupBehind)
{
    WriteBytes(m_path, kOldContent);
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_FALSE(Exists(m_temporary));
    EXPECT_FALSE(Exists(m_backup));
}

TEST_F(DatabaseWriterTest, ReadingAndWritingTheWorkedExampleGivesTheSameBytes)
{
    WriteBytes(m_path, kWorkedExample);
    CQuilleryDoc again;
    ASSERT_TRUE(again.ReadDatabase(m_path, m_prompter));
    ASSERT_TRUE(again.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample);
}

TEST_F(DatabaseWriterTest, NotesWithBarsAndLineBreaksRoundTrip)
{
    CQuilleryDoc catalog;
    PhotoRecord record;
    record.SetFileName("n");
    record.SetDate(0, 0, 2001);
    record.SetNotes("first | line\r\nsecond\r\n\r\nlast|");
    catalog.AddPhoto(record);
    WriteBytes(m_path, "");
    ASSERT_TRUE(catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), "n|2001||||first \x01 line\r\r\nsecond\r\r\n\r\r\nlast\x01|\r\n");

    CQuilleryDoc read;
    ASSERT_TRUE(read.ReadDatabase(m_path, m_prompter));
    EXPECT_EQ(read.PhotoAt(0).GetNotes(), record.GetNotes());
}

TEST_F(DatabaseWriterTest, RoundTripKeepsEveryRecordAndNormalizesTypedDates)
{
    PhotoRecord typed;
    typed.SetFileName("typed");
    typed.SetDateText("01/5/99");
    typed.personIds[0] = m_catalog.AddPerson("Lee ");
    typed.personIds[1] = m_catalog.FindPerson("Doe, Jane");
    m_catalog.AddPerson("Unused, Name");
    m_catalog.AddPhoto(typed);
    WriteBytes(m_path, "");
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));

    CQuilleryDoc read;
    ASSERT_TRUE(read.ReadDatabase(m_path, m_prompter));
    ASSERT_EQ(read.PhotoCount(), 3);
    EXPECT_EQ(read.PhotoAt(2).GetDateText(), "1/05/1999");
    EXPECT_EQ(read.PersonsText(read.PhotoAt(2)), "Lee, Jane Doe");
    EXPECT_EQ(read.FindPerson("Unused, Name"), -1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(read.PhotoAt(i).GetFileName(), m_catalog.PhotoAt(i).GetFileName());
        EXPECT_EQ(read.PersonsText(read.PhotoAt(i)), m_catalog.PersonsText(m_catalog.PhotoAt(i)));
        EXPECT_EQ(read.EventsText(read.PhotoAt(i)), m_catalog.EventsText(m_catalog.PhotoAt(i)));
        EXPECT_EQ(read.LocationsText(read.PhotoAt(i)), m_catalog.LocationsText(m_catalog.PhotoAt(i)));
        EXPECT_EQ(read.PhotoAt(i).GetNotes(), m_catalog.PhotoAt(i).GetNotes());
    }
}

TEST_F(DatabaseWriterTest, BackupNamePresentFailsWithMessageFourAndChangesNothing)
{
    WriteBytes(m_path, kOldContent);
    WriteBytes(m_backup, "someone's backup");
    EXPECT_FALSE(m_catalog.WriteDatabase(m_path, m_prompter));
    ExpectOneMessage("Error writing output file #4");
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
    EXPECT_EQ(ReadBytes(m_backup), "someone's backup");
    EXPECT_EQ(ReadBytes(m_temporary), kWorkedExample);
    ExpectCatalogUnchanged();
}

TEST_F(DatabaseWriterTest, MissingDatabaseFailsWithMessageFour)
{
    EXPECT_FALSE(m_catalog.WriteDatabase(m_path, m_prompter));
    ExpectOneMessage("Error writing output file #4");
    EXPECT_FALSE(Exists(m_path));
    ExpectCatalogUnchanged();
}

TEST_F(DatabaseWriterTest, DirectoryThatIsAFileCannotTakeTheTemporaryFile)
{
    const std::string notADirectory = m_dir.File("plain");
    WriteBytes(notADirectory, "x");
    EXPECT_FALSE(m_catalog.WriteDatabase(notADirectory + "/Family.pdb", m_prompter));
    ExpectOneMessage("Unable to open temporary output file");
    EXPECT_EQ(ReadBytes(notADirectory), "x");
    ExpectCatalogUnchanged();
}

TEST_F(DatabaseWriterTest, MissingDirectoryCannotTakeTheTemporaryFile)
{
    EXPECT_FALSE(m_catalog.WriteDatabase(m_dir.File("nowhere/Family.pdb"), m_prompter));
    ExpectOneMessage("Unable to open temporary output file");
}

TEST_F(DatabaseWriterTest, LinkUnderTheTemporaryNameIsNotFollowed)
{
    const std::string victim = m_dir.File("victim");
    WriteBytes(victim, "precious");
    WriteBytes(m_path, kOldContent);
    ASSERT_EQ(::symlink(victim.c_str(), m_temporary.c_str()), 0);
    EXPECT_FALSE(m_catalog.WriteDatabase(m_path, m_prompter));
    ExpectOneMessage("Unable to open temporary output file");
    EXPECT_EQ(ReadBytes(victim), "precious");
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
}

TEST_F(DatabaseWriterTest, StaleTemporaryFileIsReplaced)
{
    WriteBytes(m_path, kOldContent);
    WriteBytes(m_temporary, std::string(100000, 'x'));
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample);
}

// Runs the body with the process unable to write files beyond a few bytes, as on a
// full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(DatabaseWriterTest, FullDiskFailsWithMessageTwoAndKeepsTheDatabase)
{
    WriteBytes(m_path, kOldContent);
    bool written = true;
    {
        const FileSizeLimit limit(10);
        written = m_catalog.WriteDatabase(m_path, m_prompter);
    }
    EXPECT_FALSE(written);
    ExpectOneMessage("Error writing output file #2");
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
    EXPECT_FALSE(Exists(m_temporary));
    EXPECT_FALSE(Exists(m_backup));
    ExpectCatalogUnchanged();
}

// Fails the second rename once, as a file system might, to reach the undo path.
class SecondMoveFails : public DatabaseWriter {
public:
    using DatabaseWriter::DatabaseWriter;

protected:
    bool MoveNoReplace(const std::string& from, const std::string& to) override
    {
        if (++m_moves == 2) return false;
        return DatabaseWriter::MoveNoReplace(from, to);
    }

private:
    int m_moves = 0;
};

TEST_F(DatabaseWriterTest, FailedSecondRenameMovesTheBackupBackWithMessageThree)
{
    WriteBytes(m_path, kOldContent);
    SecondMoveFails writer(m_catalog, m_prompter);
    EXPECT_FALSE(writer.Write(m_path));
    ExpectOneMessage("Error writing output file #3");
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
    EXPECT_FALSE(Exists(m_backup));
}

TEST_F(DatabaseWriterTest, NameFieldIsCutBetweenWholeNamesOnly)
{
    CQuilleryDoc catalog;
    PhotoRecord record;
    record.SetFileName("many");
    record.SetDate(0, 0, 1999);
    // Sixteen names of 70 bytes, each ending in a two-byte character: 1,135 bytes joined.
    for (int i = 0; i < 16; ++i) {
        std::string name(68, static_cast<char>('a' + i));
        name += "\xC3\xA9";
        record.personIds[static_cast<size_t>(i)] = catalog.AddPerson(name);
    }
    catalog.AddPhoto(record);
    const std::string content = DatabaseWriter::Format(catalog);
    const std::string persons = content.substr(content.find("1999|") + 5);
    const std::string field = persons.substr(0, persons.find('|'));
    EXPECT_LE(field.size(), 999u);
    EXPECT_EQ(field.size(), 14u * 70 + 13);
    EXPECT_EQ(field.substr(field.size() - 2), "\xC3\xA9");
}

TEST_F(DatabaseWriterTest, SingleNameLongerThanTheFieldIsWrittenWhole)
{
    CQuilleryDoc catalog;
    PhotoRecord record;
    record.SetFileName("long");
    record.SetDate(0, 0, 1999);
    record.eventIds[0] = catalog.AddEvent(std::string(1200, 'e'));
    record.eventIds[1] = catalog.AddEvent("short");
    catalog.AddPhoto(record);
    EXPECT_EQ(DatabaseWriter::Format(catalog), "long|1999||" + std::string(1200, 'e') + "|||\r\n");
}

TEST_F(DatabaseWriterTest, EmptyFirstNameKeepsItsSeparator)
{
    CQuilleryDoc catalog;
    PhotoRecord record;
    record.SetFileName("e");
    record.SetDate(0, 0, 1999);
    record.locationIds[0] = catalog.AddLocation("");
    record.locationIds[1] = catalog.AddLocation("L");
    catalog.AddPhoto(record);
    EXPECT_EQ(DatabaseWriter::Format(catalog), "e|1999|||^L||\r\n");
}

TEST_F(DatabaseWriterTest, EmptyCatalogWritesAnEmptyFile)
{
    CQuilleryDoc empty;
    WriteBytes(m_path, kOldContent);
    ASSERT_TRUE(empty.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), "");
}

}  // namespace
