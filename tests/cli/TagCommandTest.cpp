#include "FileBytes.h"
#include "TempDir.h"

#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"
#include "store/Library.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kBeach = "beach|6/05/1999|Doe, Jane|||Caf\xE9 at the sea|\r\n";
const std::string kGarden = "garden|1999||Summer holiday|||\r\n";

class TagCommandTest : public testing::Test {
  protected:
    void SetUp() override
    {
        Library::CreatePictureFolders(m_dir.Path().string());
        std::string crowded = "crowded|2000|";
        for (int i = 0; i < 16; ++i)
            crowded += (i ? "^P" : "P") + std::to_string(i);
        WriteBytes(m_path, kBeach + kGarden + crowded + "||||\r\n");
        m_before = ReadBytes(m_path);
    }
    int Run(std::vector<std::string> arguments)
    {
        m_out.str("");
        m_err.str("");
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        arguments.insert(arguments.begin() + 1, m_path);
        return QuilleryTool().Run(arguments, context);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    std::string m_before;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(TagCommandTest, TagsEveryPhotoThatCanTakeTheNamesAndReportsTheOthers)
{
    EXPECT_EQ(
        Run({"tag", "beach", "garden", "crowded", "--person", "Doe, Jane", "--person=Smith, John",
             "--event", "Summer holiday", "--location", "France, Paris"}),
        1);
    EXPECT_EQ(m_out.str(), "Tagged \"beach\"\nTagged \"garden\"\n");
    EXPECT_EQ(m_err.str(), "Quillery: These photos would hold more than 16 names of a kind and "
                           "were left as they were:\ncrowded\n");
    EXPECT_EQ(ReadBytes(m_path),
              "beach|6/05/1999|Doe, Jane^Smith, John|Summer holiday|France, Paris|Caf\xE9 at the sea|\r\n"
              "garden|1999|Doe, Jane^Smith, John|Summer holiday|France, Paris||\r\n" +
                  m_before.substr(kBeach.size() + kGarden.size()));
}

TEST_F(TagCommandTest, RefusalsChangeNothing)
{
    const struct {
        std::vector<std::string> arguments;
        int code;
        std::string error;
    } cases[] = {
        {{"tag", "nobody", "--person", "Doe, Jane"},
         1,
         "Quillery: No photo has the picture file name \"nobody\"\n"},
        {{"tag", "beach", "--person", "Doe|Jane"},
         1,
         "Quillery: Input cannot contain either | or ^ characters, and cannot be empty: "
         "\"Doe|Jane\"\n"},
        {{"tag", "beach", "--colour", "red"},
         2,
         "quillery-tool tag: unknown option or missing value: --colour\n"},
        {{"tag", "beach"}, 2, "quillery-tool tag: give at least one --person, --event or --location\n"},
        {{"tag", "--person", "Doe, Jane"}, 2, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.arguments), c.code);
        EXPECT_EQ(m_err.str().substr(0, m_err.str().find("usage:")), c.error);
        EXPECT_EQ(ReadBytes(m_path), m_before);
    }
}

TEST_F(TagCommandTest, DumpFindListsThePhotosThatHoldTheTextIgnoringCase)
{
    const auto files = [this](const std::string& text) {
        EXPECT_EQ(Run({"dump", "--find", text}), 0);
        std::string found;
        for (size_t at = m_out.str().find("\"file\":\""); at != std::string::npos;
             at = m_out.str().find("\"file\":\"", at + 1)) {
            const size_t start = at + 8;
            found += m_out.str().substr(start, m_out.str().find('"', start) - start) + ' ';
        }
        return found;
    };
    const std::pair<const char*, const char*> cases[] = {
        {"CAF\xC3\x89", "beach "}, {"jane doe", "beach "}, {"SUMMER", "garden "},
        {"p15", "crowded "},       {"", "beach garden crowded "}, {"nothing", ""}};
    for (const auto& [text, found] : cases) EXPECT_EQ(files(text), found) << text;
    EXPECT_EQ(Run({"dump", "--find"}), 2);
}

} // namespace
