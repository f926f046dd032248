#include "cli/CliPrompter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

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
