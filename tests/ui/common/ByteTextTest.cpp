#include "ui/common/ByteText.h"

#include <gtest/gtest.h>

#include <string>

TEST(ByteText, ShowsUtf8AsItIsAndAnythingElseAsWindows1252)
{
    const std::vector<std::pair<std::string, QString>> cases = {
        {"", QString()},
        {"Z\xc3\xbcrich", QString::fromUtf8("Z\xc3\xbcrich")},
        {"Z\xfcrich", QString::fromUtf8("Z\xc3\xbcrich")},
        {"\x80 5", QString::fromUtf8("\xe2\x82\xac 5")},
        {"caf\xc3", QString::fromUtf8("caf\xc3\x83")},  // cut UTF-8 is no UTF-8
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(ByteText::ToDisplay(bytes), shown) << bytes;
}

TEST(ByteText, EditedTextIsStoredAsUtf8)
{
    EXPECT_EQ(ByteText::FromDisplay(QString::fromUtf8("Z\xc3\xbcrich")), "Z\xc3\xbcrich");
    const std::string bytes = "\xe2\x82\xac and \xc3\xa9";
    EXPECT_EQ(ByteText::FromDisplay(ByteText::ToDisplay(bytes)), bytes);
}
