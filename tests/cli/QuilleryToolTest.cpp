#include "FileBytes.h"
#include "TempDir.h"

#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace {

const std::string kWorkedExample =
    "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one \x01 sunny|\r\n"
    "garden|1999||Summer holiday|||\r\n";

class QuilleryToolTest : public testing::Test {
protected:
    int Run(std::vector<std::string> arguments)
    {
        m_out.str("");
        m_err.str("");
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        return QuilleryTool().Run(arguments, context);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(QuilleryToolTest, DumpPrintsOneObjectPerPhotoWithKeysInOrder)
{
    WriteBytes(m_path, kWorkedExample +
                           "notes|01/5/99|M\xFCller, Hans|||two\r\r\nlines \"quoted\" \\\t\x02|\r\n");
    EXPECT_EQ(Run({"dump", m_path}), 0);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(m_out.str(), R"({"file":"beach01","date":"6/05/1999","month":6,"day":5,"year":1999,)"
                           R"("persons":["Smith, John","Doe, Jane"],"events":["Summer holiday"],)"
                           R"("locations":["France, Paris"],"notes":"Day one | sunny"})"
                           "\n"
                           R"({"file":"garden","date":"1999","month":0,"day":0,"year":1999,)"
                           R"("persons":[],"events":["Summer holiday"],"locations":[],"notes":""})"
                           "\n"
                           R"({"file":"notes","date":"1/05/1999","month":1,"day":5,"year":1999,)"
                           "\"persons\":[\"M\xC3\xBCller, Hans\"],"
                           R"("events":[],"locations":[],"notes":"two\r\nlines \"quoted\" \\\t\u0002"})"
                           "\n");
}

// The path is given as bytes that are not UTF-8, as a shell passes a Windows-named file.
TEST_F(QuilleryToolTest, ResaveWritesTheLibraryBackWithNormalDates)
{
    const std::string path = m_dir.File("caf\xe9.pdb");
    WriteBytes(path, "a|01/5/99|P||||\r\n" + kWorkedExample);
    // A backup older than the file, left by a save killed before its last step, is
    // kept aside rather than failing the save.
    const std::string backup = m_dir.File("caf\xe9.bak");
    WriteBytes(backup, kWorkedExample);
    std::filesystem::last_write_time(backup, std::filesystem::last_write_time(path) - std::chrono::hours(1));
    EXPECT_EQ(Run({"resave", path}), 0);
    EXPECT_NE(m_err.str().find(".bak.1"), std::string::npos) << m_err.str();
    EXPECT_EQ(ReadBytes(path), "a|1/05/1999|P||||\r\n" + kWorkedExample);
    EXPECT_EQ(ReadBytes(backup + ".1"), kWorkedExample);
}

TEST_F(QuilleryToolTest, FailuresExitWithOneAndTheMessageAndLeaveTheLibrary)
{
    const std::string missing = m_dir.File("missing.pdb");
    const std::string damaged = kWorkedExample + "x|1999|a|b|c|d|e\r\nlast|2000|||||\r\n";
    // clang-format off
    const struct {
        const char* command;
        std::string library;
        std::string bytes;
        std::string err;
    } cases[] = {
        {"dump", missing, "", missing + ": Unable to open file\n"},
        {"resave", m_path, damaged, m_path + ": Database format error - incorrect picture entry\n"},
        // The backup name is taken by something no save may move.
        {"resave", m_path, kWorkedExample, "Quillery: Error writing output file #4\n"},
    };
    // clang-format on
    std::filesystem::create_directory(m_dir.File("Family.bak"));
    for (const auto& c : cases) {
        if (c.library == m_path) WriteBytes(m_path, c.bytes);
        EXPECT_EQ(Run({c.command, c.library}), 1) << c.err;
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(m_err.str(), c.err);
        EXPECT_TRUE(c.library != m_path || ReadBytes(m_path) == c.bytes) << c.err;
    }
}

// Output that cannot be written fails the command with the reason, for a script
// would otherwise take a short listing for the whole library.
TEST_F(QuilleryToolTest, OutputThatCannotBeWrittenFailsWithTheReason)
{
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    WriteBytes(m_path, kWorkedExample);
    const std::string err = m_dir.File("err");
    for (const std::string& command : {"dump '" + m_path + "'", std::string("--help")}) {
        const std::string line = "'" + std::string(QUILLERY_TOOL_PATH) + "' " + command + " >/dev/full 2>'" + err + "'";
        const int status = std::system(line.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << command << ": " << status;
        EXPECT_EQ(ReadBytes(err), "quillery-tool: cannot write the output: No space left on device\n") << command;
    }
}

// A script must never be taken for a user who said yes.
TEST(CliPrompterTest, AnswersEveryQuestionCautiously)
{
    std::ostringstream err;
    CliPrompter prompter(err);
    EXPECT_FALSE(prompter.AskOkCancel("Go on?"));
    EXPECT_FALSE(prompter.AskYesNo("Save?"));
    EXPECT_EQ(prompter.AskYesNoCancel("Replace?"), PromptAnswer::Cancel);
}

} // namespace
