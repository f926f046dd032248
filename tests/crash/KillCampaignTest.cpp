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
#include <regex>
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
// Stand for the library and the other library (in the folder "other" of the library's)
// in a command's arguments.
constexpr const char* kLib = "LIB";
constexpr const char* kOther = "OTHER";

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
    int kills = 0, notReached = 0, asked = 0;
    std::vector<std::string> losses;
};

// The library, the other library and the tool's output in a folder.
struct Folder : fs::path {
    std::string Library() const { return (*this / "Library.pdb").string(); }
    std::string Other() const { return (*this / "other" / "Other.pdb").string(); }
    std::string Log() const { return ReadBytes((*this / "tool.log").string()); }
};

// Runs quillery-tool on the libraries of `home`, which is its home too (whose settings
// keep all four versions; its output goes to tool.log there), with the shim preloaded
// when one is given. Gives the wait status.
int RunTool(const Folder& home, const std::vector<std::string>& arguments, const Shim* shim)
{
    std::vector<std::string> environment, argv{QUILLERY_TOOL_PATH};
    const std::regex replaced("^(HOME|XDG_CONFIG_HOME|LD_PRELOAD|QUILLERY_[^=]*)=");
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (!std::regex_search(*entry, replaced)) environment.push_back(*entry);
    environment.push_back("HOME=" + home.string());
    environment.push_back("XDG_CONFIG_HOME=" + (home / ".config").string());
    if (shim != nullptr) {
        environment.push_back(std::string("LD_PRELOAD=") + KILL_SHIM_PATH);
        environment.push_back("QUILLERY_KILL_KIND=" + shim->killKind);
        environment.push_back("QUILLERY_KILL_AT=" + std::to_string(shim->killAt));
        environment.push_back(std::string("QUILLERY_REFUSE_RENAMEAT2=") +
                              (shim->refuseRenameat2 ? "1" : "0"));
        if (!shim->countFile.empty())
            environment.push_back("QUILLERY_COUNT_FILE=" + shim->countFile);
    }
    for (const std::string& argument : arguments)
        argv.push_back(argument == kLib     ? home.Library()
                       : argument == kOther ? home.Other()
                                            : argument);
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

std::string MakePicture(const std::string& path, int width, int height)
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

// What the library holds after a kill, or why it is lost; the library is left mended,
// unlocked and saved again when it is not.
std::string Check(const Folder& folder, const Outcomes& outcomes, bool& asked)
{
    const std::string path = folder.Library();
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
    if (!Succeeded(RunTool(folder, {"resave", kLib}, nullptr)))
        return "the next resave fails: " + folder.Log();
    const std::string resaved = ReadBytes(path);
    if (resaved != outcomes.beforeResaved && resaved != outcomes.afterResaved)
        return "the next resave changed the content: " + resaved;
    for (const char* leftover : {"~Library.pdb", "Library.bak"})
        if (fs::exists(folder / leftover))
            return std::string(leftover) + " left after the next resave";
    return {};
}

// Every N of every kind, or for the add every N up to its first rename (the open) and
// an even spread of the calls after it; the same points on every run.
std::vector<unsigned long> Points(const Count& count, bool spreadAfterFirstRename, bool isRename)
{
    const unsigned long every = !spreadAfterFirstRename ? count.total
                                : isRename              ? std::min(count.total, 1UL)
                                                        : count.beforeFirstRename;
    std::vector<unsigned long> points;
    for (unsigned long n = 1; n <= every; ++n)
        points.push_back(n);
    const unsigned long rest = count.total - every;
    for (unsigned long i = 1; i <= std::min(rest, kSpread); ++i)
        points.push_back(rest <= kSpread ? every + i : every + (rest * i + kSpread - 1) / kSpread);
    return points;
}

class KillCampaign : public testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<TempDir>();
        const Folder folder{s_dir->Path() / "template"};
        fs::create_directories(folder / ".config/Quillery");
        fs::create_directories(folder / "other");
        WriteBytes((folder / ".config/Quillery/Quillery.conf").string(),
                   "[Quillery]\nSaveOriginalPictures=1\nSaveHighResPictures=1\n");
        std::vector<std::string> arguments{"add", kLib};
        for (const char* name : {"beach", "garden", "harbour"})
            arguments.push_back(MakePicture((folder / name).string() + ".png", 320, 240));
        arguments.insert(arguments.end(), {"--date", "6/1999", "--person", "Smith, John"});
        ASSERT_TRUE(Succeeded(RunTool(folder, arguments, nullptr))) << folder.Log();
        // A last line without its line end reads whole and is written back with one, so
        // that a resave changes the file and the old content is told from the new.
        std::string content = ReadBytes(folder.Library());
        ASSERT_TRUE(content.ends_with("\r\n"));
        content.resize(content.size() - 2);
        WriteBytes(folder.Library(), content);
        s_source = MakePicture((s_dir->Path() / "lighthouse.jpg").string(), 400, 300);
        s_second = MakePicture((s_dir->Path() / "pier.jpg").string(), 300, 400);
        // Another library in a folder of the template, for import and export: each run
        // gets its own copy.
        ASSERT_TRUE(Succeeded(
            RunTool(folder, {"add", kOther, s_source, "--date", "7/2001", "--person", "Roe, Ann"},
                    nullptr)))
            << folder.Log();
        for (const std::string& leftover : {folder.Library() + "~", folder.Other() + "~"})
            fs::remove(leftover);
        fs::remove(folder / "tool.log");
        s_template = folder;
    }

    static void TearDownTestSuite() { s_dir.reset(); }

    // A copy of the template, as fs::copy gives it, in a folder of its own.
    static Folder Copy(const char* name)
    {
        const Folder to{s_dir->Path() / name};
        fs::remove_all(to);
        fs::copy(s_template, to, fs::copy_options::recursive);
        return to;
    }

    Outcomes OutcomesOf(const std::vector<std::string>& command)
    {
        Outcomes outcomes;
        Folder folder = Copy("outcomes");
        outcomes.before = ReadBytes(folder.Library());
        EXPECT_TRUE(Succeeded(RunTool(folder, {"resave", kLib}, nullptr)));
        outcomes.beforeResaved = ReadBytes(folder.Library());
        folder = Copy("outcomes");
        EXPECT_TRUE(Succeeded(RunTool(folder, command, nullptr))) << folder.Log();
        outcomes.after = ReadBytes(folder.Library());
        EXPECT_TRUE(Succeeded(RunTool(folder, {"resave", kLib}, nullptr)));
        outcomes.afterResaved = ReadBytes(folder.Library());
        EXPECT_NE(outcomes.before, outcomes.after);
        return outcomes;
    }

    Counts CountCalls(const std::vector<std::string>& command, bool refuseRenameat2)
    {
        const Shim shim{{}, 0, refuseRenameat2, (s_dir->Path() / "counts").string()};
        EXPECT_TRUE(Succeeded(RunTool(Copy("count"), command, &shim)));
        Counts counts;
        std::istringstream lines(ReadBytes(shim.countFile));
        std::string kind;
        Count count;
        while (lines >> kind >> count.total >> count.beforeFirstRename)
            counts[kind] = count;
        return counts;
    }

    // Runs the command killed at the chosen call and checks the library; a kill that
    // never came (the command made fewer calls) is only counted.
    void KillAndCheck(const std::vector<std::string>& command, const Outcomes& outcomes,
                      const Shim& shim, Tally& tally)
    {
        const Folder folder = Copy("run");
        if (!Killed(RunTool(folder, command, &shim))) {
            ++tally.notReached;
            return;
        }
        ++tally.kills;
        bool asked = false;
        const std::string loss = Check(folder, outcomes, asked);
        tally.asked += asked ? 1 : 0;
        if (!loss.empty())
            tally.losses.push_back(command[0] + " killed before " + shim.killKind + " #" +
                                   std::to_string(shim.killAt) +
                                   (shim.refuseRenameat2 ? " (link fallback)" : "") + ": " + loss);
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
                for (const unsigned long n :
                     Points(counts.at(kind), spreadAfterFirstRename, std::string(kind) == "rename"))
                    KillAndCheck(command, outcomes, {kind, n, fallback, {}}, tally);
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

    inline static std::unique_ptr<TempDir> s_dir;
    inline static fs::path s_template;
    inline static std::string s_source, s_second;
};

TEST_F(KillCampaign, Resave)
{
    Campaign("resave", {"resave", kLib}, false);
}

TEST_F(KillCampaign, Add)
{
    Campaign("add", {"add", kLib, s_source, "--date", "7/2001", "--person", "Doe, Jane"}, true);
}

// The second image is read while the first photo's versions are written.
TEST_F(KillCampaign, AddSeveral)
{
    Campaign("add several", {"add", kLib, s_source, s_second, "--date", "7/2001"}, true);
}

// The save goes first and the picture files after it, so a kill anywhere leaves
// every photo of the library with its pictures.
TEST_F(KillCampaign, DeleteWithFiles)
{
    Campaign("delete", {"delete", kLib, "garden", "--with-files"}, false);
}

// Names added to two photos, then one save: a kill leaves the library as it was or
// with both photos tagged.
TEST_F(KillCampaign, Tag)
{
    Campaign("tag",
             {"tag", kLib, "garden", "harbour", "--person", "Doe, Jane", "--event", "Picnic"},
             false);
}

// The photos merged and their pictures copied, then the library saved: the copies
// are on disk before the save names them.
TEST_F(KillCampaign, Import)
{
    Campaign("import", {"import", kLib, kOther}, false);
}

// Exported over an existing library, which keeps its old content until the new one
// is written whole, its pictures synced first.
TEST_F(KillCampaign, ExportOverALibrary)
{
    Campaign("export", {"export", kOther, kLib}, false);
}

// Where renameat2 is refused, a save killed after linking its temporary to the
// library's name and before unlinking the temporary leaves one file under both names.
// The next save must make a temporary of its own: one opened over the old name (with
// O_TRUNC, say) would empty the library itself before its first write.
TEST_F(KillCampaign, NextSaveNeverWritesThroughALinkedTemporary)
{
    const Outcomes outcomes = OutcomesOf({"resave", kLib});
    const Folder folder = Copy("linked");
    const std::string path = folder.Library(), temporary = (folder / "~Library.pdb").string();
    // The first unlink drops the old file's name after its link to the backup.
    const Shim afterLink{"unlink", 2, true, {}}, firstWrite{"write", 1, false, {}};
    ASSERT_TRUE(Killed(RunTool(folder, {"resave", kLib}, &afterLink)));
    struct stat library {
    }, linked{};
    ASSERT_TRUE(::stat(path.c_str(), &library) == 0 && ::stat(temporary.c_str(), &linked) == 0);
    ASSERT_EQ(library.st_ino, linked.st_ino);
    ASSERT_EQ(ReadBytes(path), outcomes.after);
    ASSERT_TRUE(Killed(RunTool(folder, {"resave", kLib}, &firstWrite)));
    EXPECT_EQ(ReadBytes(path), outcomes.after);
    bool asked = false;
    EXPECT_EQ(Check(folder, outcomes, asked), "");
}

} // namespace
