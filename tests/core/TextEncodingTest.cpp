#include "core/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncodingTest, KeepsValidUtf8AndReadsOtherBytesAsWindows1252)
{
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"M\xC3\xBCller", "M\xC3\xBCller"}, {"M\xFCller", "M\xC3\xBCller"}, {"\x80", "\xE2\x82\xAC"},
        {"\x81", "\xC2\x81"}, {"\xC3", "\xC3\x83"},
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        // One stray byte makes the whole text Windows-1252, sequences that look
        // like UTF-8 included.
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToDisplayUtf8(c.bytes), c.shown) << c.bytes;
}

TEST(TextEncodingTest, FoldsCaseOfUtf8AndWindows1252AlikeForSearch)
{
    const struct {
        std::string bytes;
        std::string folded;
    } cases[] = {
        {"ABC xyz 09", "abc xyz 09"},
        {"M\xC3\x9CLLER \xC3\x89t\xC3\xA9", "m\xC3\xBCller \xC3\xA9t\xC3\xA9"},  // UTF-8 Ü, É
        {"M\xDCLLER \xC9t\xE9", "m\xC3\xBCller \xC3\xA9t\xC3\xA9"},              // the same in 1252
        {"\x8A\x8C\x8E\x9F \xD7", "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF \xC3\x97"},  // Š Œ Ž Ÿ, × stays
        {"\xC5\x81\xC3\x93" "D\xC5\xB9", "\xC5\x82\xC3\xB3" "d\xC5\xBA"},           // ŁÓDŹ
        {"\xCE\x9F\xCE\xA3 \xD0\x9C\xD0\x81", "\xCE\xBF\xCF\x83 \xD0\xBC\xD1\x91"},  // ΟΣ МЁ
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", "\xE2\x82\xAC \xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldCaseForSearch(c.bytes), c.folded) << c.bytes;
}

} // namespace
