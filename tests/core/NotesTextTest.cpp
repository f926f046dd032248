#include "core/NotesText.h"

#include <gtest/gtest.h>

namespace {

// Notes shown and handed back unchanged must keep their bytes, odd line ends from
// files written elsewhere included.
TEST(NotesTextTest, EditorFormAndBackKeepEveryStoredByte)
{
    const struct {
        std::string stored;
        std::string edited;
    } cases[] = {
        {"one\r\ntwo\r\n", "one\ntwo\n"},
        {"lone\rcarriage", "lone\rcarriage"},
        {"double\r\r\nend", "double\r\nend"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotesForEditor(c.stored), c.edited) << c.stored;
        EXPECT_EQ(NotesFromEditor(c.edited), c.stored) << c.stored;
    }
}

} // namespace
