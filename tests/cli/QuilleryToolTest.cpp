#include "FileBytes.h"
#include "TempDir.h"

#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"
#include "cli/ResaveCommand.h"
#include "store/LibraryLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

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

TEST_F(QuilleryToolTest, ResaveWritesTheLibraryBackWithNormalDates)
{
    WriteBytes(m_path, "a|01/5/99|P||||\r\n" + kWorkedExample);
    EXPECT_EQ(Run({"resave", m_path}), 0);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(ReadBytes(m_path), "a|1/05/1999|P||||\r\n" + kWorkedExample);
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
        // The backup name is taken.
        {"resave", m_path, kWorkedExample, "Quillery: Error writing output file #4\n"},
    };
    // clang-format on
    WriteBytes(m_dir.File("Family.bak"), "");
    for (const auto& c : cases) {
        if (c.library == m_path) WriteBytes(m_path, c.bytes);
        EXPECT_EQ(Run({c.command, c.library}), 1) << c.err;
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(m_err.str(), c.err);
        if (c.library == m_path) {
            EXPECT_EQ(ReadBytes(m_path), c.bytes);
        }
    }
}

// Resave reads and writes under the library's lock, so it never writes back over a
// save of the program that holds it.
TEST_F(QuilleryToolTest, ResaveLeavesALibraryOpenElsewhere)
{
    WriteBytes(m_path, kWorkedExample);
    const LibraryLock other = LibraryLock::Take(m_path);
    CliPrompter prompter(m_err);
    ToolContext context{m_out, m_err, prompter};
    EXPECT_EQ(ResaveCommand(std::chrono::milliseconds(50)).Run({m_path}, context),
              ToolCommand::kFailure);
    EXPECT_EQ(m_err.str(), "Quillery: The library " + m_path + " is open in another Quillery.\n");
}

// Two programs resaving one library at the same moment: the second waits for the
// first, so the library reads whole afterwards and no temporary file or backup is left.
TEST_F(QuilleryToolTest, ProgramsResavingAtOnceLeaveTheLibraryWhole)
{
    const std::string tool = QUILLERY_TOOL_PATH;
    for (int run = 0; run < 20; ++run) {
        const std::string folder = m_dir.File("run" + std::to_string(run));
        std::filesystem::create_directory(folder);
        const std::string library = folder + "/Library.pdb";
        WriteBytes(library, kWorkedExample);
        const auto resave = [&](const std::string& err) {
            return "'" + tool + "' resave '" + library + "' 2>'" + err + "'";
        };
        const std::string command = resave(folder + "/err1") + " & a=$!; " +
                                    resave(folder + "/err2") + " & b=$!; wait $a && wait $b";
        ASSERT_EQ(std::system(command.c_str()), 0)
            << run << ReadBytes(folder + "/err1") << ReadBytes(folder + "/err2");
        EXPECT_EQ(ReadBytes(library), kWorkedExample) << "run " << run;
        EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Library.pdb", "Library.pdb.lock",
                                                             "err1", "err2"}))
            << "run " << run;
    }
}

TEST_F(QuilleryToolTest, HelpExplainsEveryCommandAndWrongUsageExitsWithTwo)
{
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("quillery-tool add LIB.pdb IMAGE..."), std::string::npos);
    for (const auto& arguments : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"dump"}, {"resave", "a", "b"}})
        EXPECT_EQ(Run(arguments), 2) << arguments.size();
    EXPECT_NE(m_err.str().find("usage: quillery-tool resave LIB.pdb"), std::string::npos);
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
