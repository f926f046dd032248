#include "FileBytes.h"
#include "FileSizeLimit.h"
#include "TempDir.h"

#include "base/AtomicFile.h"
#include "base/FileOps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const std::vector<std::string> kOnlyTarget{"v.jpg"};
}

TEST(AtomicFile, TargetUntouchedUntilCommitThenReplacedWithTheUsualMode)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    WriteBytes(target, "old");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    AtomicFile file;
    ASSERT_TRUE(file.Create(target) && file.Write(std::string_view("new picture")));
    EXPECT_EQ(ReadBytes(target), "old");
    ASSERT_TRUE(file.Flush() && file.Commit(AtomicFile::Replace::Existing));
    EXPECT_EQ(ReadBytes(target), "new picture");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u & ~static_cast<unsigned>(mask));
}

// A temporary never committed, moved from or not, leaves nothing behind.
TEST(AtomicFile, UncommittedTemporaryIsRemoved)
{
    TempDir dir;
    {
        AtomicFile file;
        ASSERT_TRUE(file.Create(dir.File("v.jpg")) && file.Write(std::string_view("never used")));
        AtomicFile moved = std::move(file);
        EXPECT_TRUE(moved.Staged() && !file.Staged());
    }
    EXPECT_TRUE(Entries(dir.Path()).empty());
}

// A full disk fails the write and a failed sync the commit, before anything is
// renamed: the old file stays whole and the temporary goes. A good commit renames only
// after the sync.
TEST(AtomicFile, FailedWriteOrSyncLeavesTheOldFileAndNothingIsRenamedUnsynced)
{
    enum class Fault { None, FullDisk, Sync };
    const std::vector<std::string> expectedSteps[] = {{"sync", "rename"}, {}, {"sync"}};
    for (const Fault fault : {Fault::None, Fault::FullDisk, Fault::Sync}) {
        TempDir dir;
        const std::string target = dir.File("v.jpg");
        WriteBytes(target, "old");
        std::vector<std::string> steps;
        {
            std::optional<FileSizeLimit> limit;
            if (fault == Fault::FullDisk) limit.emplace(1024);
            AtomicFile file;
            file.SyncThrough([&steps, fault](int fd, const std::string& temporary) {
                steps.push_back("sync");
                return fault != Fault::Sync && AtomicFile::SyncToDisk(fd, temporary);
            });
            ASSERT_TRUE(file.Create(target));
            EXPECT_EQ(file.Write(std::string_view(std::string(64 * 1024, 'x'))), fault != Fault::FullDisk);
            const auto move = [&steps](const std::string& from, const std::string& to) {
                steps.push_back("rename");
                return FileOps::RenameReplacing(from, to);
            };
            EXPECT_EQ(file.Commit(move), fault == Fault::None);
            EXPECT_FALSE(file.Staged());
        }
        EXPECT_EQ(steps, expectedSteps[static_cast<int>(fault)]);
        EXPECT_EQ(ReadBytes(target).size(), fault == Fault::None ? 64 * 1024u : 3u);
        EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
    }
}

TEST(AtomicFile, FolderInTheWayFailsTheCommitAndMissingFolderTheCreate)
{
    TempDir dir;
    const std::string target = dir.File("v.jpg");
    std::filesystem::create_directory(target);
    AtomicFile file;
    ASSERT_TRUE(file.Create(target) && file.Write(std::string_view("x")));
    EXPECT_FALSE(file.Commit(AtomicFile::Replace::Existing));
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    AtomicFile missing;
    EXPECT_FALSE(missing.Create(dir.File("gone/v.jpg")) || missing.Staged());

    // Without replacing, an existing target is refused and kept.
    std::filesystem::remove(target);
    WriteBytes(target, "kept");
    AtomicFile never;
    ASSERT_TRUE(never.CreateAt(target, dir.File("~v.jpg")) && never.Write(std::string_view("new")));
    EXPECT_FALSE(never.Commit(AtomicFile::Replace::Never));
    EXPECT_EQ(ReadBytes(target), "kept");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
}

// A source the kernel's copy refuses (a pipe) is copied by the plain loop, whole;
// the copy after the data is unsynced and renamed into place.
TEST(AtomicFile, CopyFromFallsBackToReadingAndWriting)
{
    TempDir dir;
    int ends[2] = {-1, -1};
    ASSERT_EQ(::pipe(ends), 0);
    const FileDescriptor reading(ends[0]);
    {
        const FileDescriptor writing(ends[1]);
        ASSERT_EQ(::write(writing.Get(), "piped picture", 13), 13);
    }
    AtomicFile file;
    ASSERT_TRUE(file.Create(dir.File("v.jpg")));
    ASSERT_EQ(file.CopyFrom(reading.Get()), AtomicFile::CopyOutcome::Done);
    ASSERT_TRUE(file.CommitUnsynced(AtomicFile::Replace::Existing));
    EXPECT_EQ(ReadBytes(dir.File("v.jpg")), "piped picture");
    EXPECT_EQ(Entries(dir.Path()), kOnlyTarget);
}
