#include "cli/JsonLine.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonLineTest, KeepsKeyOrderEscapesAndShowsWindowsTextAsUtf8)
{
    EXPECT_EQ(JsonLine().Text(), "{}");
    JsonLine line;
    line.Add("b", "say \"hi\"\\\r\n\t\x01");
    line.Add("a", 12);
    line.Add("list", std::vector<std::string>{"x", "M\xFCller"});
    line.Add("none", std::vector<std::string>{});
    EXPECT_EQ(line.Text(), "{\"b\":\"say \\\"hi\\\"\\\\\\r\\n\\t\\u0001\",\"a\":12,"
                           "\"list\":[\"x\",\"M\xC3\xBCller\"],\"none\":[]}");
}

}  // namespace
