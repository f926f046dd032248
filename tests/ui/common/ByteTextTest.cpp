#include "ui/common/ByteText.h"

#include <gtest/gtest.h>

#include <string>

TEST(ByteText, ShowsUtf8AsItIsAndAnythingElseAsWindows1252)
{
    const std::vector<std::pair<std::string, QString>> cases = {
        {"Z\xc3\xbcrich", QString::fromUtf8("Z\xc3\xbcrich")},
        {"Z\xfcrich", QString::fromUtf8("Z\xc3\xbcrich")},
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(ByteText::ToDisplay(bytes), shown) << bytes;
}

TEST(ByteText, EditedTextIsStoredAsUtf8)
{
    EXPECT_EQ(ByteText::FromDisplay(QString::fromUtf8("Z\xc3\xbcrich")), "Z\xc3\xbcrich");
    const std::string bytes = "\xe2\x82\xac and \xc3\xa9";
    EXPECT_EQ(ByteText::FromDisplay(ByteText::ToDisplay(bytes)), bytes);
}
