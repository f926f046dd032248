#include "cli/JsonLine.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonLineTest, KeepsKeyOrderAndEscapes)
{
    JsonLine line;
    line.Add("b", "say \"hi\"\\\r\n\t\x01");
    line.Add("a", 12);
    line.Add("list", std::vector<std::string>{"x", "y"});
    line.Add("none", std::vector<std::string>{});
    EXPECT_EQ(line.Text(),
              R"({"b":"say \"hi\"\\\r\n\t\u0001","a":12,"list":["x","y"],"none":[]})");
}

TEST(JsonLineTest, ShowsWindowsTextAsUtf8)
{
    JsonLine line;
    line.Add("name", "M\xFCller");
    line.Add("utf8", "M\xC3\xBCller");
    EXPECT_EQ(line.Text(), "{\"name\":\"M\xC3\xBCller\",\"utf8\":\"M\xC3\xBCller\"}");
}

TEST(JsonLineTest, EmptyObject)
{
    EXPECT_EQ(JsonLine().Text(), "{}");
}

}  // namespace
