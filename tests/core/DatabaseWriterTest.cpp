#include "FileBytes.h"
#include "FileSizeLimit.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseWriter.h"
#include "base/FileOps.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

const std::string kWorkedExample =
    "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one \x01 sunny|\r\n"
    "garden|1999||Summer holiday|||\r\n";
const std::string kOldContent = "old|1999|||||\r\n";

PhotoRecord Photo(const std::string& fileName, const std::string& date = "1999")
{
    PhotoRecord record;
    record.SetFileName(fileName);
    record.SetDateText(date);
    return record;
}

// Records the syncs and renames by file name, and fails the sync or one rename as a
// disk might, to reach the paths no real disk takes on demand.
struct ScriptedWriter : DatabaseWriter {
    using DatabaseWriter::DatabaseWriter;
    bool syncFails = false;
    size_t failingStep = SIZE_MAX; // its place in `steps`
    std::vector<std::string> steps;
    bool MoveNoReplace(const std::string& from, const std::string& to) override
    {
        steps.push_back("move " + FileOps::NameOf(from) + " " + FileOps::NameOf(to));
        return steps.size() - 1 != failingStep && DatabaseWriter::MoveNoReplace(from, to);
    }
    bool SyncTemporary(int fd, const std::string& temporaryPath) override
    {
        steps.push_back("sync " + FileOps::NameOf(temporaryPath));
        return !syncFails && DatabaseWriter::SyncTemporary(fd, temporaryPath);
    }
};

class DatabaseWriterTest : public testing::Test {
protected:
    // The worked example built the way the program builds it: names first, then records.
    void SetUp() override
    {
        PhotoRecord beach = Photo("beach01"), garden = Photo("garden");
        beach.SetDate(6, 5, 1999);
        const int smith = m_catalog.AddName(NameKind::Persons, "Smith, John");
        const int doe = m_catalog.AddName(NameKind::Persons, "Doe, Jane");
        const int holiday = m_catalog.AddName(NameKind::Events, "Summer holiday");
        const int paris = m_catalog.AddName(NameKind::Locations, "France, Paris");
        beach.SetIds({{{smith, doe, -1}, {holiday, -1}, {paris, -1}}});
        garden.SetIds(NameKind::Events, {holiday, -1});
        beach.SetNotes("Day one | sunny");
        m_catalog.AddPhoto(beach);
        m_catalog.AddPhoto(garden);
        m_catalog.SetModified(true);
    }

    // A failed write shows one message and leaves the catalog's flags as they were.
    void ExpectFailure(bool written, const std::string& message)
    {
        EXPECT_FALSE(written);
        ASSERT_EQ(m_prompter.Messages().size(), 1u);
        EXPECT_EQ(std::tuple(m_prompter.Messages()[0].text, m_prompter.Messages()[0].caption),
                  std::tuple(message, "Quillery"));
        EXPECT_TRUE(m_catalog.IsModified() && m_catalog.IsUntitled());
        EXPECT_EQ(m_catalog.GetPath(), "");
        m_prompter.Forget();
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb"), m_temporary = m_dir.File("~Family.pdb"),
                m_backup = m_dir.File("Family.bak");
    ScriptedPrompter m_prompter;
    CQuilleryDoc m_catalog;
};

TEST_F(DatabaseWriterTest, WritesTheWorkedExampleByteForByteAndLeavesNothingBehind)
{
    WriteBytes(m_path, kOldContent);
    WriteBytes(m_temporary, std::string(100000, 'x')); // a stale temporary file is replaced,
    const std::string other = m_dir.File("other");         // never truncated in place
    ASSERT_EQ(::link(m_temporary.c_str(), other.c_str()), 0);
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(other).size(), 100000u);
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample);
    EXPECT_FALSE(Exists(m_temporary) || Exists(m_backup) || m_catalog.IsModified() || m_catalog.IsUntitled());
    EXPECT_EQ(m_catalog.GetPath(), m_path);
    CQuilleryDoc again;
    ASSERT_TRUE(again.ReadDatabase(m_path, m_prompter) && again.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample);
    // Notes and names as stored, a typed date as typed, unused names not written.
    PhotoRecord typed = Photo("typed", "01/5/99");
    typed.SetIds(NameKind::Persons, {m_catalog.AddName(NameKind::Persons, "Lee "),
                                     m_catalog.FindName(NameKind::Persons, "Doe, Jane"), -1});
    typed.SetNotes("first | line\r\nsecond\r\n\r\nlast|");
    m_catalog.AddName(NameKind::Persons, "Unused, Name");
    m_catalog.AddPhoto(typed);
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_EQ(ReadBytes(m_path), kWorkedExample + "typed|01/5/99|Lee ^Doe, Jane|||first \x01 line\r\r\nsecond\r\r\n\r\r\nlast\x01|\r\n");
}

// A name-list field is cut after the last whole name that keeps it within 999 bytes
// (a first name goes whole however long); what is written reads back as written.
TEST_F(DatabaseWriterTest, NameFieldKeepsTheWholeNamesThatFit)
{
    const std::string a499(499, 'a'), b499(499, 'b'), c500(500, 'c');
    std::vector<std::string> sixteen;
    for (int i = 0; i < PhotoRecord::kMaxNames; ++i) sixteen.push_back("P" + std::to_string(i));
    const struct {
        const char* label;
        std::vector<std::string> names;
        size_t kept;
    } cases[] = {
        {"999 bytes", {a499, b499}, 2},
        {"1000 bytes", {c500, b499}, 1},
        {"a long first name", {std::string(1200, 'l'), "x"}, 1},
        {"sixteen names", sixteen, 16},
    };
    for (const auto& c : cases) {
        CQuilleryDoc catalog;
        PhotoRecord photo = Photo("p");
        PhotoRecord::IdList ids;
        ids.fill(-1);
        for (size_t i = 0; i < c.names.size(); ++i) ids[i] = catalog.AddName(NameKind::Locations, c.names[i]);
        photo.SetIds(NameKind::Locations, ids);
        catalog.AddPhoto(photo);
        std::string field;
        for (size_t i = 0; i < c.kept; ++i) field += (i ? "^" : "") + c.names[i];
        WriteBytes(m_path, DatabaseWriter::Format(catalog));
        EXPECT_EQ(ReadBytes(m_path), "p|1999|||" + field + "||\r\n") << c.label;
        ASSERT_TRUE(catalog.ReadDatabase(m_path, m_prompter));
        EXPECT_EQ(catalog.Names(NameKind::Locations).Size(), static_cast<int>(c.kept)) << c.label;
    }
}

// A backup name already taken, or no database to move aside: message four, nothing changed.
TEST_F(DatabaseWriterTest, BackupNameTakenOrNoDatabaseFailsWithMessageFour)
{
    ExpectFailure(m_catalog.WriteDatabase(m_path, m_prompter), "Error writing output file #4");
    EXPECT_FALSE(Exists(m_path));
    WriteBytes(m_path, kOldContent);
    WriteBytes(m_backup, "someone's backup");
    ExpectFailure(m_catalog.WriteDatabase(m_path, m_prompter), "Error writing output file #4");
    EXPECT_EQ(ReadBytes(m_path) + ReadBytes(m_backup), kOldContent + "someone's backup");
    EXPECT_FALSE(Exists(m_temporary));
}

// A name too short for an extension, or one whose extension is already "bak", still
// gets its backup beside it: never in the parent folder, never under its own name.
TEST_F(DatabaseWriterTest, ShortOrBakNamedDatabaseKeepsItsBackupInItsFolder)
{
    const std::filesystem::path folder = m_dir.Path() / "sub";
    std::filesystem::create_directory(folder);
    WriteBytes(m_dir.File("subbak"), "someone's file");
    for (const std::string name : {"ab", "Old.bak"}) {
        const std::string path = (folder / name).string();
        WriteBytes(path, kOldContent);
        ASSERT_TRUE(m_catalog.WriteDatabase(path, m_prompter)) << name;
        EXPECT_EQ(Entries(folder), std::vector<std::string>{name});
        std::filesystem::remove(path);
    }
    EXPECT_EQ(ReadBytes(m_dir.File("subbak")), "someone's file");
}

TEST_F(DatabaseWriterTest, SavingKeepsTheModeAndGroupOfTheReplacedFile)
{
    // Only root may give a file to a group it is not in; the tests run as root.
    const gid_t group = ::geteuid() == 0 ? 4321 : ::getegid();
    for (const mode_t mode : {0600, 0640}) {
        WriteBytes(m_path, kOldContent);
        ASSERT_EQ(::chmod(m_path.c_str(), mode), 0);
        ASSERT_EQ(::chown(m_path.c_str(), static_cast<uid_t>(-1), group), 0);
        ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
        struct stat status {};
        ASSERT_EQ(::stat(m_path.c_str(), &status), 0);
        EXPECT_EQ(std::tuple(status.st_mode & 07777, status.st_gid), std::tuple(mode, group));
    }
}

// No folder to take the temporary file, or a link planted under its name (not followed).
TEST_F(DatabaseWriterTest, TemporaryFileThatCannotBeMadeSafelyFails)
{
    const std::string plain = m_dir.File("plain"), victim = m_dir.File("victim");
    WriteBytes(plain, "x");
    for (const std::string& path : {plain + "/Family.pdb", m_dir.File("nowhere/Family.pdb")})
        ExpectFailure(m_catalog.WriteDatabase(path, m_prompter), "Unable to open temporary output file");
    WriteBytes(victim, "precious");
    WriteBytes(m_path, kOldContent);
    ASSERT_EQ(::symlink(victim.c_str(), m_temporary.c_str()), 0);
    ExpectFailure(m_catalog.WriteDatabase(m_path, m_prompter), "Unable to open temporary output file");
    EXPECT_EQ(ReadBytes(plain) + ReadBytes(victim) + ReadBytes(m_path), "xprecious" + kOldContent);
}

TEST_F(DatabaseWriterTest, LibraryReachedThroughALinkIsSavedIntoTheFileItNames)
{
    const std::filesystem::path folder = m_dir.Path() / "real";
    std::filesystem::create_directory(folder);
    const std::string target = (folder / "Family.pdb").string();
    WriteBytes(target, kOldContent);
    ASSERT_EQ(::symlink(target.c_str(), m_path.c_str()), 0);
    ASSERT_TRUE(m_catalog.WriteDatabase(m_path, m_prompter));
    EXPECT_TRUE(std::filesystem::is_symlink(m_path));
    EXPECT_EQ(ReadBytes(target), kWorkedExample);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"Family.pdb"});
    EXPECT_EQ(Entries(m_dir.Path()), (std::vector<std::string>{"Family.pdb", "real"}));
}

// A full disk or a failed sync gives message two, a failed second rename moves the
// backup back (message three); each keeps the database. Nothing is renamed before the
// temporary is synced.
TEST_F(DatabaseWriterTest, FullDiskFailedSyncOrFailedRenameKeepsTheDatabase)
{
    WriteBytes(m_path, kOldContent);
    bool written = true;
    {
        const FileSizeLimit limit(10);
        written = m_catalog.WriteDatabase(m_path, m_prompter);
    }
    ExpectFailure(written, "Error writing output file #2");
    ScriptedWriter writer(m_catalog, m_prompter);
    writer.syncFails = true;
    ExpectFailure(writer.Write(m_path), "Error writing output file #2");
    EXPECT_EQ(writer.steps, std::vector<std::string>{"sync ~Family.pdb"});
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
    writer.syncFails = false;
    writer.failingStep = 2; // the second rename
    writer.steps.clear();
    ExpectFailure(writer.Write(m_path), "Error writing output file #3");
    EXPECT_EQ(ReadBytes(m_path), kOldContent);
    EXPECT_FALSE(Exists(m_temporary) || Exists(m_backup));
    writer.steps.clear();
    writer.failingStep = SIZE_MAX;
    ASSERT_TRUE(writer.Write(m_path));
    EXPECT_EQ(writer.steps, (std::vector<std::string>{"sync ~Family.pdb", "move Family.pdb Family.bak",
                                                     "move ~Family.pdb Family.pdb"}));
}

} // namespace
