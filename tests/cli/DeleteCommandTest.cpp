#include "PictureFiles.h"
#include "TempDir.h"

#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kBeach = "beach|6/05/1999|||||\r\n";
const std::string kTwinA = "twin|1999|||||\r\n";
const std::string kTwinB = "twin|2000|||||\r\n";

class DeleteCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        Library::CreatePictureFolders(m_dir.Path().string());
        WriteBytes(m_path, kBeach + kTwinA + kTwinB);
        for (const char* name : {"beach", "twin"}) PictureFiles::Write(m_dir.Path().string(), name);
    }
    int FilesOf(const std::string& name) const { return PictureFiles::Count(m_dir.Path().string(), name); }
    int Run(std::vector<std::string> arguments)
    {
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        arguments.insert(arguments.begin(), {"delete", m_path});
        return QuilleryTool().Run(arguments, context);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(DeleteCommandTest, ASharedNameIsRefusedWithItsCountAndNothingChanges)
{
    EXPECT_EQ(Run({"beach", "twin", "--with-files"}), 1);
    EXPECT_EQ(m_err.str(), "Quillery: 2 photos have the picture file name \"twin\"; give --all "
                           "to delete them all\n");
    EXPECT_EQ(ReadBytes(m_path), kBeach + kTwinA + kTwinB);
    EXPECT_EQ(FilesOf("beach"), 4);
}

// Once both records of the shared name are gone, no record names its files.
// Without --with-files the pictures stay.
TEST_F(DeleteCommandTest, AllDeletesEveryPhotoOfTheNameAndThenItsFiles)
{
    EXPECT_EQ(Run({"twin", "--all", "--with-files"}), 0);
    EXPECT_EQ(m_out.str(), "Deleted \"twin\"\nDeleted \"twin\"\nDeleted 4 picture files\n");
    EXPECT_EQ(ReadBytes(m_path), kBeach);
    EXPECT_EQ(FilesOf("twin"), 0);
    EXPECT_EQ(Run({"beach"}), 0);
    EXPECT_EQ(ReadBytes(m_path), "");
    EXPECT_EQ(FilesOf("beach"), 4);
}

TEST_F(DeleteCommandTest, RefusalsAndUsageChangeNothingAndMakeNoLibrary)
{
    const struct {
        std::vector<std::string> arguments;
        int code;
        std::string error;
    } cases[] = {
        {{"nobody"}, 1, "Quillery: No photo has the picture file name \"nobody\"\n"},
        {{"beach", "--force"}, 2, "quillery-tool delete: unknown option: --force\n"},
        {{}, 2, ""},
    };
    for (const auto& c : cases) {
        m_err.str("");
        EXPECT_EQ(Run(c.arguments), c.code);
        EXPECT_EQ(m_err.str().substr(0, m_err.str().find("usage:")), c.error);
        EXPECT_EQ(ReadBytes(m_path), kBeach + kTwinA + kTwinB);
    }
    m_path = m_dir.File("None.pdb");
    EXPECT_EQ(Run({"beach"}), 1);
    EXPECT_FALSE(Exists(m_path)) << "a missing library is not created";
}

}  // namespace
