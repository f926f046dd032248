#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/PhotoRecord.h"
#include "store/Library.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kOld = "old|1999|||||\r\n";
const std::string kNew = kOld + "new|2000|||||\r\n";
// The reader refuses it: the last line stops inside its date.
const std::string kTruncated = kOld + "new|20";

enum class Operation { Open, Create, OpenOrCreate };

// A file of the crash state, written `age` seconds ago.
struct Planted {
    const char* name;
    const std::string& content;
    int age;
};

// The library folder as a crash left it, with the picture folders in place.
class CrashedFolder {
public:
    explicit CrashedFolder(const std::vector<Planted>& files)
    {
        Library::CreatePictureFolders(m_dir.Path().string());
        for (const Planted& file : files) {
            WriteBytes(m_dir.File(file.name), file.content);
            fs::last_write_time(m_dir.File(file.name),
                                fs::file_time_type::clock::now() - std::chrono::seconds(file.age));
        }
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    // The files beside the picture folders, but for the lock, which stays for good.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> files;
        for (const std::string& name : Entries(m_dir.Path()))
            if (!fs::is_directory(m_dir.Path() / name) && !name.ends_with(".lock")) files.push_back(name);
        return files;
    }

private:
    TempDir m_dir;
};

using Files = std::vector<std::string>;

}  // namespace

// Every state a crash of the writer can leave, and a few a user's copying can, opened
// with the answer given; the old library stays open whenever nothing is opened.
TEST(LibraryRecoveryTest, LeftoversAreOfferedAndTheChosenOneRenamedIntoPlace)
{
    const struct Case {
        const char* label;
        std::vector<Planted> planted;
        Operation operation;
        std::optional<PromptAnswer> answer;  // none: no question may be asked
        const char* offered;                  // in the question or the note
        Library::Outcome outcome;
        std::string database;  // the content of Family.pdb afterwards, "-" for none
        Files files;
    } cases[] = {
        {"between the renames, Yes", {{"Family.bak", kOld, 100}, {"~Family.pdb", kNew, 10}},
         Operation::Open, PromptAnswer::Yes, "~Family.pdb is the newest complete one. Use it as Family.pdb?",
         Library::Outcome::Done, kNew, {"Family.bak.1", "Family.pdb", "Family.pdb~"}},
        {"between the renames, No", {{"Family.bak", kOld, 100}, {"~Family.pdb", kNew, 10}},
         Operation::Open, PromptAnswer::No, "  Family.bak: 1 photo, written ",
         Library::Outcome::NotRecovered, "-", {"Family.bak", "~Family.pdb"}},
        {"a truncated new file", {{"Family.bak", kOld, 100}, {"~Family.pdb", kTruncated, 10}},
         Operation::Open, PromptAnswer::Yes,
         "  ~Family.pdb: cannot be read (Database format error - incorrect picture entry)\n"
         "  Family.bak: 1 photo",
         Library::Outcome::Done, kOld, {"Family.pdb", "Family.pdb~", "~Family.pdb"}},
        {"the newest of numbered backups", {{"~Family.pdb", kOld, 50}, {"Family.bak.3", kNew, 5}},
         Operation::Open, PromptAnswer::Yes, "Family.bak.3 is the newest complete one",
         Library::Outcome::Done, kNew, {"Family.pdb", "Family.pdb~", "~Family.pdb"}},
        {"nothing complete", {{"~Family.pdb", kTruncated, 10}}, Operation::Open, std::nullopt,
         "None of them can be read whole, so none was used", Library::Outcome::NotRecovered, "-",
         {"~Family.pdb"}},
        {"a stale backup", {{"Family.bak", kOld, 100}, {"Family.bak.1", kOld, 200}, {"Family.pdb", kNew, 10}},
         Operation::Open, std::nullopt,
         "Family.bak, left by a save that was cut short, is older than Family.pdb: moved it aside "
         "to Family.bak.2.",
         Library::Outcome::Done, kNew, {"Family.bak.1", "Family.bak.2", "Family.pdb", "Family.pdb~"}},
        {"a backup newer than the file", {{"Family.bak", kOld, 10}, {"Family.pdb", kNew, 100}},
         Operation::Open, std::nullopt, "", Library::Outcome::Done, kNew, {"Family.bak", "Family.pdb", "Family.pdb~"}},
        {"a copy made at open beside the file", {{"Family.pdb~", kOld, 10}, {"Family.pdb", kNew, 100}},
         Operation::Open, std::nullopt, "", Library::Outcome::Done, kNew, {"Family.pdb", "Family.pdb~"}},
        {"the temporary of a copy killed at open, and another library's",
         {{".Family.pdb~.a1B2c3", kOld, 10}, {".Famil.pdb~.a1B2c3", kOld, 10}, {"Family.pdb", kNew, 100}},
         Operation::Open, std::nullopt, "", Library::Outcome::Done, kNew,
         {".Famil.pdb~.a1B2c3", "Family.pdb", "Family.pdb~"}},
        {"New over leftovers, Yes", {{"~Family.pdb", kNew, 10}}, Operation::Create, PromptAnswer::Yes,
         "Use it as Family.pdb?", Library::Outcome::Done, kNew, {"Family.pdb", "Family.pdb~"}},
        {"no user, one complete", {{"Family.bak", kOld, 100}, {"~Family.pdb", kTruncated, 10}},
         Operation::OpenOrCreate, std::nullopt, "Took Family.bak, the only complete one, as Family.pdb.",
         Library::Outcome::Done, kOld, {"Family.pdb", "Family.pdb~", "~Family.pdb"}},
        {"no user, two complete", {{"Family.bak", kOld, 100}, {"~Family.pdb", kNew, 10}},
         Operation::OpenOrCreate, PromptAnswer::No, "Use it as Family.pdb?",
         Library::Outcome::NotRecovered, "-", {"Family.bak", "~Family.pdb"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const CrashedFolder folder(c.planted);
        const TempDir other;
        WriteBytes(other.File("Other.pdb"), "other|1999|||||\r\n");
        Library::CreatePictureFolders(other.Path().string());
        ScriptedPrompter prompter;
        Library library;
        ASSERT_EQ(library.Open(other.File("Other.pdb"), prompter), Library::Outcome::Done);
        std::string told;
        QObject::connect(&library, &Library::leftoversMended, [&](const std::string& note) { told += note; });
        if (c.answer) prompter.Answer(*c.answer);

        const std::string path = folder.File("Family.pdb");
        const Library::Outcome outcome = c.operation == Operation::Open     ? library.Open(path, prompter)
                                         : c.operation == Operation::Create ? library.Create(path, prompter)
                                                                            : library.OpenOrCreate(path, prompter, std::chrono::milliseconds(0));
        EXPECT_EQ(outcome, c.outcome);
        const auto& shown = prompter.Messages();
        if (c.answer) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].buttons, PromptButtons::YesNo);
            EXPECT_NE(shown[0].text.find("Family.pdb is missing, and a save that was cut short left"),
                      std::string::npos);
        }
        for (const auto& message : shown) told += message.text;
        EXPECT_NE(told.find(c.offered), std::string::npos) << told;
        EXPECT_EQ(Exists(path) ? ReadBytes(path) : "-", c.database);
        EXPECT_EQ(folder.Files(), c.files);
        EXPECT_EQ(library.FileName(), c.outcome == Library::Outcome::Done ? "Family.pdb" : "Other.pdb");
    }
}

// A backup left by a crash after the new file was in place must not fail later saves.
TEST(LibraryRecoveryTest, SaveMovesAStaleBackupAsideAndSucceeds)
{
    const CrashedFolder folder({{"Family.pdb", kOld, 100}});
    ScriptedPrompter prompter;
    Library library;
    ASSERT_EQ(library.Open(folder.File("Family.pdb"), prompter), Library::Outcome::Done);
    WriteBytes(folder.File("Family.bak"), "older|1998|||||\r\n");
    fs::last_write_time(folder.File("Family.bak"), fs::file_time_type::clock::now() - std::chrono::hours(1));
    PhotoRecord photo;
    photo.SetFileName("added");
    library.AddPhoto(photo);
    EXPECT_TRUE(library.Save(prompter));
    EXPECT_EQ(prompter.Texts(), Files{});
    EXPECT_EQ(ReadBytes(folder.File("Family.bak.1")), "older|1998|||||\r\n");
    EXPECT_EQ(folder.Files(), (Files{"Family.bak.1", "Family.pdb", "Family.pdb~"}));
}

// Where renameat2 is refused the writer moves the file aside by link() and unlink(); a
// crash between the two leaves the backup as a second name of the file, as new as it.
TEST(LibraryRecoveryTest, BackupThatIsASecondNameOfTheFileIsDroppedAtOpen)
{
    const CrashedFolder folder({{"Family.pdb", kOld, 100}});
    ASSERT_EQ(::link(folder.File("Family.pdb").c_str(), folder.File("Family.bak").c_str()), 0);
    ScriptedPrompter prompter;
    Library library;
    Files notes;
    QObject::connect(&library, &Library::leftoversMended,
                     [&notes](const std::string& note) { notes.push_back(note); });
    ASSERT_EQ(library.Open(folder.File("Family.pdb"), prompter), Library::Outcome::Done);
    EXPECT_EQ(notes, Files{"Family.bak, left by a save that was cut short, was a second name of "
                           "Family.pdb: removed that name."});
    EXPECT_EQ(folder.Files(), (Files{"Family.pdb", "Family.pdb~"}));
    PhotoRecord photo;
    photo.SetFileName("new");
    photo.SetDateText("2000");
    library.AddPhoto(photo);
    EXPECT_TRUE(library.Save(prompter));
    EXPECT_EQ(prompter.Texts(), Files{});
    EXPECT_EQ(ReadBytes(folder.File("Family.pdb")), kNew);
}
