#include "cli/CliPrompter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(CliPrompterTest, PrintsCaptionAndText)
{
    std::ostringstream err;
    CliPrompter prompter(err);
    prompter.Message("Unable to open file", "/x/Family.pdb");
    prompter.Message("Error writing output file #4");
    EXPECT_EQ(err.str(), "/x/Family.pdb: Unable to open file\nQuillery: Error writing output file #4\n");
}

TEST(CliPrompterTest, AnswersQuestionsCautiouslyUnlessToldOtherwise)
{
    std::ostringstream err;
    CliPrompter cautious(err);
    EXPECT_FALSE(cautious.AskOkCancel("Go on?"));
    EXPECT_FALSE(cautious.AskYesNo("Save?"));
    EXPECT_EQ(cautious.AskYesNoCancel("Replace?"), PromptAnswer::Cancel);

    CliPrompter willing(err, CliPrompter::Answers::AssumeYes);
    EXPECT_TRUE(willing.AskOkCancel("Go on?"));
    EXPECT_TRUE(willing.AskYesNo("Save?"));
    EXPECT_EQ(willing.AskYesNoCancel("Replace?"), PromptAnswer::Yes);
}

}  // namespace
