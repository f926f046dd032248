#include "core/NameList.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Edits in place may leave two equal entries: Find must still give the first.
TEST(NameListTest, MatchesALinearScanUnderManyEdits)
{
    NameList names;
    std::vector<std::string> plain;
    unsigned seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int step = 0; step < 2000; ++step) {
        const std::string text(1, static_cast<char>('a' + next() % 5));
        if (plain.empty() || next() % 3 == 0) {
            names.Add(text);
            plain.push_back(text);
        } else {
            const auto id = static_cast<int>(next() % plain.size());
            names.Replace(id, text);
            plain[static_cast<size_t>(id)] = text;
        }
        for (char c = 'a'; c < 'a' + 5; ++c) {
            const auto found = std::find(plain.begin(), plain.end(), std::string(1, c));
            const int expected =
                found == plain.end() ? -1 : static_cast<int>(found - plain.begin());
            ASSERT_EQ(names.Find(std::string(1, c)), expected) << "step " << step;
        }
    }
}

} // namespace
