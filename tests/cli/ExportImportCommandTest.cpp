#include "FileBytes.h"
#include "TempDir.h"

#include "cli/CliPrompter.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using Version = PictureStore::Version;

class ExportImportCommandTest : public testing::Test {
  protected:
    void SetUp() override
    {
        Library::CreatePictureFolders(m_dir.Path().string());
        WriteBytes(m_dir.File("Src.pdb"), "beach|6/05/1999|Smith, Ann||||\r\ngarden|2001|Brown, "
                                          "Bob||||\r\npond|2003|Smith, Ann||||\r\n");
        for (const char* name : {"beach", "garden", "pond"}) {
            for (const Version version : {Version::FullScreen, Version::Thumbnail})
                WriteBytes(PictureStore::VersionPath(m_dir.Path().string(), version, name), name);
        }
    }
    int Run(ToolCommand& command, const std::vector<std::string>& arguments)
    {
        m_out.str({});
        m_err.str({});
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        return command.Run(arguments, context);
    }
    std::string Out() const { return m_dir.File("Out.pdb"); }

    TempDir m_dir;
    TempDir m_other;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(ExportImportCommandTest, ExportNarrowsByTheFiltersInTurn)
{
    ExportCommand command;
    const std::string target = m_other.File("Out.pdb");
    EXPECT_EQ(Run(command, {m_dir.File("Src.pdb"), target, "--from", "1999", "--to", "2001",
                            "--person", "Smith, Ann"}),
              ToolCommand::kSuccess)
        << m_err.str();
    EXPECT_EQ(m_out.str(), "Exported 1 photos to " + target + "\n");
    EXPECT_EQ(ReadBytes(target).substr(0, 6), "beach|");
    EXPECT_EQ(
        ReadBytes(PictureStore::VersionPath(m_other.Path().string(), Version::Thumbnail, "beach")),
        "beach");
    EXPECT_EQ(Run(command, {m_dir.File("Src.pdb"), target, "--from", "1999"}), ToolCommand::kUsage);
}

// Without a terminal, duplicates are skipped and files kept, and the tool says so;
// the options answer the questions otherwise. The library is saved either way.
TEST_F(ExportImportCommandTest, ImportAnswersByOptionOrWithoutATerminal)
{
    Library::CreatePictureFolders(m_other.Path().string());
    WriteBytes(m_other.File("Dest.pdb"), "beach|1990|||||\r\n");
    ImportCommand quiet;
    EXPECT_EQ(Run(quiet, {m_other.File("Dest.pdb"), m_dir.File("Src.pdb")}), ToolCommand::kSuccess);
    EXPECT_NE(
        m_err.str().find(
            "no terminal to ask: duplicate photos are skipped; existing picture files are kept;"),
        std::string::npos);
    EXPECT_EQ(m_out.str(), "Imported 2 photos, skipped 1, added 2 names, copied 4 picture files\n");

    std::istringstream typed("n\n");
    ImportCommand asking(&typed);
    EXPECT_EQ(Run(asking, {m_other.File("Dest.pdb"), m_dir.File("Src.pdb"), "--add-duplicates"}),
              ToolCommand::kSuccess);
    EXPECT_NE(m_err.str().find("replace the existing picture files?\n[y]es, [n]o, [c]ancel? "),
              std::string::npos);
    EXPECT_EQ(m_out.str(), "Imported 3 photos, skipped 0, added 0 names, copied 2 picture files\n");

    ImportCommand adding;
    EXPECT_EQ(Run(adding, {m_other.File("Dest.pdb"), m_dir.File("Src.pdb"), "--add-duplicates",
                           "--replace-files"}),
              ToolCommand::kSuccess);
    EXPECT_EQ(m_out.str(), "Imported 3 photos, skipped 0, added 0 names, copied 6 picture files\n");
    const std::string saved = ReadBytes(m_other.File("Dest.pdb"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 9);
}

} // namespace
