// Kills quillery-tool at every file-system call of its saves (the preloaded KillShim
// picks the call) and checks after each kill that the library opens, with its
// recovery, holding the content from before the command or the content after it,
// complete, every photo with its four picture files readable; and that the next
// command then saves it.

#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "store/VersionTable.h"

#include <QImage>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 10> kKinds = {"open",   "write", "sync",     "rename", "link",
                                                "unlink", "mkdir", "truncate", "close",  "attr"};
// Calls of a kind after the add's first rename that are killed, spread evenly.
constexpr unsigned long kSpread = 8;

struct Count {
    unsigned long total = 0;
    unsigned long beforeFirstRename = 0;
};
using Counts = std::map<std::string, Count>;

struct Shim {
    std::string killKind; // empty: count only
    unsigned long killAt = 0;
    bool refuseRenameat2 = false;
    std::string countFile;
};

struct Tally {
    int kills = 0;
    int notReached = 0;
    int asked = 0;
    std::vector<std::string> losses;
};

// Runs quillery-tool with `home` as its home (the library folder, whose settings keep
// all four versions; its output goes to tool.log there) and the shim preloaded when
// one is given. Gives the wait status.
int RunTool(const fs::path& home, const std::vector<std::string>& arguments, const Shim* shim)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("HOME=", 0) != 0 && variable.rfind("XDG_CONFIG_HOME=", 0) != 0 &&
            variable.rfind("LD_PRELOAD=", 0) != 0 && variable.rfind("QUILLERY_", 0) != 0)
            environment.push_back(variable);
    }
    environment.push_back("HOME=" + home.string());
    environment.push_back("XDG_CONFIG_HOME=" + (home / ".config").string());
    if (shim != nullptr) {
        environment.push_back(std::string("LD_PRELOAD=") + KILL_SHIM_PATH);
        if (!shim->killKind.empty()) {
            environment.push_back("QUILLERY_KILL_KIND=" + shim->killKind);
            environment.push_back("QUILLERY_KILL_AT=" + std::to_string(shim->killAt));
        }
        if (shim->refuseRenameat2) environment.push_back("QUILLERY_REFUSE_RENAMEAT2=1");
        if (!shim->countFile.empty())
            environment.push_back("QUILLERY_COUNT_FILE=" + shim->countFile);
    }
    std::vector<std::string> argv{QUILLERY_TOOL_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& s : strings)
            result.push_back(s.data());
        result.push_back(nullptr);
        return result;
    };
    std::vector<char*> argvPointers = pointers(argv), environmentPointers = pointers(environment);
    const std::string log = (home / "tool.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argvPointers[0], &actions, nullptr, argvPointers.data(),
                                    environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

bool Succeeded(int status)
{
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Killed(int status)
{
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

Counts ReadCounts(const std::string& path)
{
    Counts counts;
    std::istringstream lines(ReadBytes(path));
    std::string kind;
    Count count;
    while (lines >> kind >> count.total >> count.beforeFirstRename)
        counts[kind] = count;
    return counts;
}

// A copy of the library folder, as fs::copy gives it, in a folder of its own.
fs::path CopyOf(const fs::path& from, const fs::path& to)
{
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
    return to;
}

class KillCampaign : public testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<TempDir>();
        const fs::path folder = s_dir->Path() / "template";
        fs::create_directories(folder / ".config/Quillery");
        WriteBytes((folder / ".config/Quillery/Quillery.conf").string(),
                   "[Quillery]\nSaveOriginalPictures=1\nSaveHighResPictures=1\n");
        std::vector<std::string> arguments{"add", Library()};
        for (const char* name : {"beach", "garden", "harbour"})
            arguments.push_back(MakePicture((folder / name).string() + ".png", 320, 240));
        arguments.insert(arguments.end(), {"--date", "6/1999", "--person", "Smith, John"});
        ASSERT_TRUE(Succeeded(RunTool(folder, WithLibrary(arguments, folder), nullptr)))
            << ReadBytes((folder / "tool.log").string());
        // A last line without its line end reads whole and is written back with one, so
        // that a resave changes the file and the old content is told from the new.
        std::string content = ReadBytes(LibraryIn(folder));
        ASSERT_TRUE(content.ends_with("\r\n"));
        content.resize(content.size() - 2);
        WriteBytes(LibraryIn(folder), content);
        fs::remove(LibraryIn(folder) + "~");
        s_source = MakePicture((s_dir->Path() / "lighthouse.jpg").string(), 400, 300);
        s_second = MakePicture((s_dir->Path() / "pier.jpg").string(), 300, 400);
        // Another library in a folder of the template, for import and export: each
        // run gets its own copy.
        const fs::path other = folder / "other";
        fs::create_directories(other);
        ASSERT_TRUE(Succeeded(RunTool(
            folder, {"add", OtherIn(folder), s_source, "--date", "7/2001", "--person", "Roe, Ann"},
            nullptr)))
            << ReadBytes((folder / "tool.log").string());
        fs::remove(OtherIn(folder) + "~");
        fs::remove(folder / "tool.log");
        s_template = folder;
    }

    static void TearDownTestSuite() { s_dir.reset(); }

    // "LIB" stands for the library in a command's arguments.
    static std::string Library() { return "LIB"; }
    static std::string LibraryIn(const fs::path& folder)
    {
        return (folder / "Library.pdb").string();
    }
    // "OTHER" stands for the other library, in the folder "other" of the library's.
    static std::string Other() { return "OTHER"; }
    static std::string OtherIn(const fs::path& folder)
    {
        return (folder / "other" / "Other.pdb").string();
    }
    static std::vector<std::string> WithLibrary(std::vector<std::string> arguments,
                                                const fs::path& folder)
    {
        for (std::string& argument : arguments) {
            if (argument == Library()) argument = LibraryIn(folder);
            else if (argument == Other())
                argument = OtherIn(folder);
        }
        return arguments;
    }

    static std::string MakePicture(const std::string& path, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }

    // What the command leaves when nothing stops it, and what a resave makes of that.
    struct Outcomes {
        std::string before, after, beforeResaved, afterResaved;
    };

    Outcomes OutcomesOf(const std::vector<std::string>& command)
    {
        Outcomes outcomes;
        const fs::path folder = CopyOf(s_template, s_dir->Path() / "outcomes");
        outcomes.before = ReadBytes(LibraryIn(folder));
        EXPECT_TRUE(Succeeded(RunTool(folder, {"resave", LibraryIn(folder)}, nullptr)));
        outcomes.beforeResaved = ReadBytes(LibraryIn(folder));
        CopyOf(s_template, folder);
        EXPECT_TRUE(Succeeded(RunTool(folder, WithLibrary(command, folder), nullptr)))
            << ReadBytes((folder / "tool.log").string());
        outcomes.after = ReadBytes(LibraryIn(folder));
        EXPECT_TRUE(Succeeded(RunTool(folder, {"resave", LibraryIn(folder)}, nullptr)));
        outcomes.afterResaved = ReadBytes(LibraryIn(folder));
        EXPECT_NE(outcomes.before, outcomes.after);
        return outcomes;
    }

    Counts CountCalls(const std::vector<std::string>& command, bool refuseRenameat2)
    {
        const fs::path folder = CopyOf(s_template, s_dir->Path() / "count");
        Shim shim;
        shim.refuseRenameat2 = refuseRenameat2;
        shim.countFile = (s_dir->Path() / "counts").string();
        EXPECT_TRUE(Succeeded(RunTool(folder, WithLibrary(command, folder), &shim)));
        return ReadCounts(shim.countFile);
    }

    // What the library holds after a kill, or why it is lost; the library is left
    // mended, unlocked and saved again when it is not.
    static std::string Check(const fs::path& folder, const Outcomes& outcomes, bool& asked)
    {
        const std::string path = LibraryIn(folder);
        {
            // The program's own open, its recovery with it; a person accepts what the
            // recovery offers, as the newest complete file is the one to take.
            ::Library library;
            ScriptedPrompter prompter;
            if (library.Open(path, prompter) != ::Library::Outcome::Done) return "does not open";
            asked = !prompter.Messages().empty();
            if (library.IsReadOnly()) return "still locked";
            const std::string content = ReadBytes(path);
            if (content != outcomes.before && content != outcomes.after)
                return "neither old nor new content: " + content;
            const CQuilleryDoc& catalog = library.Catalog();
            for (int i = 0; i < catalog.PhotoCount(); ++i) {
                const std::string& name = catalog.PhotoAt(i).GetFileName();
                for (const VersionInfo& version : kVersionTable) {
                    Picture picture;
                    if (picture.LoadFile(PictureStore::VersionPath(folder.string(), version.version,
                                                                   name)) != Picture::kOk)
                        return name + ": " + std::string(version.folderName) + " unreadable";
                }
            }
        }
        if (!Succeeded(RunTool(folder, {"resave", path}, nullptr)))
            return "the next resave fails: " + ReadBytes((folder / "tool.log").string());
        const std::string resaved = ReadBytes(path);
        if (resaved != outcomes.beforeResaved && resaved != outcomes.afterResaved)
            return "the next resave changed the content: " + resaved;
        for (const char* leftover : {"~Library.pdb", "Library.bak"})
            if (fs::exists(folder / leftover))
                return std::string(leftover) + " left after the next resave";
        return {};
    }

    // Runs the command killed at the chosen call and checks the library; a kill that
    // never came (the command made fewer calls) is only counted.
    void KillAndCheck(const std::vector<std::string>& command, const Outcomes& outcomes,
                      const Shim& shim, Tally& tally)
    {
        const fs::path folder = CopyOf(s_template, s_dir->Path() / "run");
        const int status = RunTool(folder, WithLibrary(command, folder), &shim);
        if (!Killed(status)) {
            ++tally.notReached;
            return;
        }
        ++tally.kills;
        bool asked = false;
        const std::string loss = Check(folder, outcomes, asked);
        if (asked) ++tally.asked;
        if (!loss.empty())
            tally.losses.push_back(command[0] + " killed before " + shim.killKind + " #" +
                                   std::to_string(shim.killAt) +
                                   (shim.refuseRenameat2 ? " (link fallback)" : "") + ": " + loss);
    }

    // Every N of every kind, or for the add every N up to its first rename (the open)
    // and an even spread of the calls after it; the same points on every run.
    static std::vector<unsigned long> Points(const Count& count, bool spreadAfterFirstRename,
                                             bool isRename)
    {
        std::vector<unsigned long> points;
        if (!spreadAfterFirstRename) {
            for (unsigned long n = 1; n <= count.total; ++n)
                points.push_back(n);
            return points;
        }
        const unsigned long every = isRename ? std::min(count.total, 1UL) : count.beforeFirstRename;
        for (unsigned long n = 1; n <= every; ++n)
            points.push_back(n);
        const unsigned long rest = count.total - every;
        if (rest <= kSpread) {
            for (unsigned long n = every + 1; n <= count.total; ++n)
                points.push_back(n);
        } else {
            for (unsigned long i = 1; i <= kSpread; ++i)
                points.push_back(every + (rest * i + kSpread - 1) / kSpread);
        }
        return points;
    }

    void Campaign(const char* name, const std::vector<std::string>& command,
                  bool spreadAfterFirstRename)
    {
        const auto started = std::chrono::steady_clock::now();
        const Outcomes outcomes = OutcomesOf(command);
        std::map<std::string, int> killedPerKind;
        Tally tally;
        for (const bool fallback : {false, true}) {
            const Counts counts = CountCalls(command, fallback);
            // The shim sees the calls that matter: the save's own steps reach it.
            for (const char* kind : {"open", "write", "sync", "rename", "unlink", "close", "attr"})
                ASSERT_GT(counts.count(kind) ? counts.at(kind).total : 0, 0u)
                    << name << " " << kind;
            ASSERT_EQ(counts.at("link").total > 0, fallback) << name;
            std::printf("[ KillCampaign ] %s%s calls:", name, fallback ? " (link fallback)" : "");
            for (const char* kind : kKinds)
                std::printf(" %s %lu", kind, counts.at(kind).total);
            std::printf("\n");
            for (const char* kind : kKinds) {
                const int before = tally.kills;
                Shim shim{kind, 0, fallback, {}};
                for (const unsigned long n : Points(counts.at(kind), spreadAfterFirstRename,
                                                    std::string(kind) == "rename")) {
                    shim.killAt = n;
                    KillAndCheck(command, outcomes, shim, tally);
                }
                killedPerKind[std::string(kind) + (fallback ? "/fallback" : "")] +=
                    tally.kills - before;
            }
        }
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("[ KillCampaign ] %s killed per kind (plain/link fallback):", name);
        for (const char* kind : kKinds)
            std::printf(" %s %d/%d", kind, killedPerKind[kind],
                        killedPerKind[std::string(kind) + "/fallback"]);
        std::printf(
            "\n[ KillCampaign ] %s: %d kills, %d not reached, %d opens asked which leftover to "
            "take, libraries lost: %zu, %.1f s\n",
            name, tally.kills, tally.notReached, tally.asked, tally.losses.size(), seconds);
        for (size_t i = 0; i < tally.losses.size() && i < 20; ++i)
            ADD_FAILURE() << tally.losses[i];
        EXPECT_TRUE(tally.losses.empty());
    }

    static std::unique_ptr<TempDir> s_dir;
    static fs::path s_template;
    static std::string s_source;
    static std::string s_second;
};

std::unique_ptr<TempDir> KillCampaign::s_dir;
fs::path KillCampaign::s_template;
std::string KillCampaign::s_source;
std::string KillCampaign::s_second;

TEST_F(KillCampaign, Resave)
{
    Campaign("resave", {"resave", Library()}, false);
}

TEST_F(KillCampaign, Add)
{
    Campaign("add", {"add", Library(), s_source, "--date", "7/2001", "--person", "Doe, Jane"},
             true);
}

// The second image is read while the first photo's versions are written.
TEST_F(KillCampaign, AddSeveral)
{
    Campaign("add several", {"add", Library(), s_source, s_second, "--date", "7/2001"}, true);
}

// The save goes first and the picture files after it, so a kill anywhere leaves
// every photo of the library with its pictures.
TEST_F(KillCampaign, DeleteWithFiles)
{
    Campaign("delete", {"delete", Library(), "garden", "--with-files"}, false);
}

// Names added to two photos, then one save: a kill leaves the library as it was or
// with both photos tagged.
TEST_F(KillCampaign, Tag)
{
    Campaign("tag", {"tag", Library(), "garden", "harbour", "--person", "Doe, Jane", "--event", "Picnic"},
             false);
}

// The photos merged and their pictures copied, then the library saved: the copies
// are on disk before the save names them.
TEST_F(KillCampaign, Import)
{
    Campaign("import", {"import", Library(), Other()}, false);
}

// Exported over an existing library, which keeps its old content until the new one
// is written whole, its pictures synced first.
TEST_F(KillCampaign, ExportOverALibrary)
{
    Campaign("export", {"export", Other(), Library()}, false);
}

// Where renameat2 is refused, a save killed after linking its temporary to the
// library's name and before unlinking the temporary leaves one file under both names.
// The next save must make a temporary of its own: one opened over the old name (with
// O_TRUNC, say) would empty the library itself before its first write.
TEST_F(KillCampaign, NextSaveNeverWritesThroughALinkedTemporary)
{
    const Outcomes outcomes = OutcomesOf({"resave", Library()});
    const fs::path folder = CopyOf(s_template, s_dir->Path() / "linked");
    const std::string path = LibraryIn(folder), temporary = (folder / "~Library.pdb").string();
    // The first unlink drops the old file's name after its link to the backup.
    const Shim afterLink{"unlink", 2, true, {}};
    ASSERT_TRUE(Killed(RunTool(folder, {"resave", path}, &afterLink)));
    struct stat library {};
    struct stat linked {};
    ASSERT_TRUE(::stat(path.c_str(), &library) == 0 && ::stat(temporary.c_str(), &linked) == 0);
    ASSERT_EQ(library.st_ino, linked.st_ino);
    ASSERT_EQ(ReadBytes(path), outcomes.after);

    const Shim firstWrite{"write", 1, false, {}};
    ASSERT_TRUE(Killed(RunTool(folder, {"resave", path}, &firstWrite)));
    EXPECT_EQ(ReadBytes(path), outcomes.after);
    bool asked = false;
    EXPECT_EQ(Check(folder, outcomes, asked), "");
}

} // namespace
