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

} // namespace
