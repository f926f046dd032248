#include "ui/common/ByteText.h"

#include <gtest/gtest.h>

#include <string>

struct ByteTextCase {
    const char* name;
    std::string bytes;
    QString shown;
};

class ByteTextShown : public testing::TestWithParam<ByteTextCase> {};

TEST_P(ByteTextShown, FollowsTheBytes)
{
    EXPECT_EQ(ByteText::ToDisplay(GetParam().bytes), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ByteTextShown,
    testing::Values(
        ByteTextCase{"Ascii", "Smith, John", QStringLiteral("Smith, John")},
        ByteTextCase{"Empty", "", QString()},
        ByteTextCase{"Utf8", "Z\xc3\xbcrich", QString::fromUtf8("Z\xc3\xbcrich")},
        ByteTextCase{"Windows1252Latin", "Z\xfcrich", QString::fromUtf8("Z\xc3\xbcrich")},
        ByteTextCase{"Windows1252Euro", "\x80 5", QString::fromUtf8("\xe2\x82\xac 5")},
        ByteTextCase{"TruncatedUtf8IsWindows1252", "caf\xc3", QString::fromUtf8("caf\xc3\x83")}),
    [](const testing::TestParamInfo<ByteTextCase>& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ByteText, EditedTextIsStoredAsUtf8)
{
    EXPECT_EQ(ByteText::FromDisplay(QString::fromUtf8("Z\xc3\xbcrich")), "Z\xc3\xbcrich");
    EXPECT_EQ(ByteText::FromDisplay(QStringLiteral("plain")), "plain");
}

TEST(ByteText, Utf8SurvivesTheRoundTrip)
{
    const std::string bytes = "\xe2\x82\xac and \xc3\xa9";
    EXPECT_EQ(ByteText::FromDisplay(ByteText::ToDisplay(bytes)), bytes);
}
