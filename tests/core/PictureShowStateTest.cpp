#include "core/PictureShowState.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Reaction = PictureShowState::Reaction;
using Key = PictureShowState::Key;

TEST(PictureShowStateTest, DelaySettingIsReadAsSecondsWithAtoiRules)
{
    const struct {
        const char* text;
        std::uint32_t delay;
    } cases[] = {{"6", 6000},    {"0", 0},     {"", 0},       {"abc", 0},
                 {"12x", 12000}, {" 3", 3000}, {"60", 60000}, {"-1", 4294966296u}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureShowState::DelayFromSetting(c.text), c.delay) << c.text;
}

TEST(PictureShowStateTest, ClicksWhileRunningChangeTheDelayWithinFloorAndCeiling)
{
    const struct {
        std::uint32_t delay;
        std::uint32_t afterLeft;
        std::uint32_t afterRight;
    } cases[] = {
        {6000, 5500, 6500},    {0, 2000, 500},
        {1000, 2000, 1500},    {2400, 2000, 2900},
        {2500, 2000, 3000},    {60000, 59500, 45000},
        {44800, 44300, 45000}, {4294966296u, 4294965796u, 45000},
    };
    for (const auto& c : cases) {
        PictureShowState left(c.delay);
        EXPECT_EQ(left.LeftButtonDown(), Reaction::None);
        EXPECT_EQ(left.Delay(), c.afterLeft) << c.delay;
        PictureShowState right(c.delay);
        EXPECT_EQ(right.RightButtonDown(), Reaction::None);
        EXPECT_EQ(right.Delay(), c.afterRight) << c.delay;
    }
}

// Paused, clicks step and keep the delay; keys step, pause or end in either state.
TEST(PictureShowStateTest, ClicksWhilePausedStepAndKeysWorkInEitherState)
{
    PictureShowState clicked(6000);
    EXPECT_EQ(clicked.LeftDoubleClick(), Reaction::Pause);
    EXPECT_EQ((std::pair{clicked.LeftButtonDown(), clicked.RightButtonDown()}),
              std::pair(Reaction::Step, Reaction::StepBack));
    EXPECT_EQ(clicked.Delay(), 6000u);
    EXPECT_EQ(clicked.LeftDoubleClick(), Reaction::Step);
    EXPECT_FALSE(clicked.IsPaused());
    for (const bool paused : {false, true}) {
        PictureShowState state(6000);
        if (paused) state.LeftDoubleClick();
        EXPECT_EQ(state.KeyReleased(Key::Next), Reaction::Step);
        EXPECT_EQ(state.KeyReleased(Key::Previous), Reaction::StepBack);
        EXPECT_EQ(state.KeyReleased(Key::Other), Reaction::End);
        EXPECT_EQ(state.KeyReleased(Key::PauseOrResume), paused ? Reaction::Step : Reaction::Pause);
        EXPECT_EQ(state.IsPaused(), !paused);
    }
}

// The rows a show visits from a start, after a list of moves (+1 a step, -1 a step
// back, which is a back-up and a step).
std::vector<int> Visits(int rows, int firstSelected, const std::vector<int>& moves)
{
    PictureShowState state(0);
    state.Start(firstSelected);
    std::vector<int> visited;
    for (const int move : moves) {
        if (move < 0) state.BackUp(rows);
        visited.push_back(state.Advance(rows));
    }
    return visited;
}

TEST(PictureShowStateTest, StepsWrapBothWaysFromTheSelectedRow)
{
    const struct {
        const char* what;
        int rows;
        int firstSelected;
        std::vector<int> moves;
        std::vector<int> visited;
    } cases[] = {
        {"nothing selected starts at the first", 3, -1, {1, 1, 1, 1}, {0, 1, 2, 0}},
        {"starts at the selected row", 5, 3, {1, 1, 1}, {3, 4, 0}},
        {"back from the first goes to the last", 4, 0, {1, -1, -1}, {0, 3, 2}},
        {"back from the second goes to the first", 4, 1, {1, -1, -1}, {1, 0, 3}},
        {"one photo shows itself every way", 1, -1, {1, 1, -1, -1, 1}, {0, 0, 0, 0, 0}},
        {"two photos alternate", 2, 1, {1, -1, -1, 1}, {1, 0, 1, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Visits(c.rows, c.firstSelected, c.moves), c.visited) << c.what;
}

} // namespace
