#include "ui/editing/RectTracker.h"
#include "ui/editing/ClipPage.h"
#include "ui/editing/ClipTracker.h"

#include <gtest/gtest.h>

namespace {

// The clip page's tracker over 100, 100 - 300, 200: handles of 10 outside a 1-pixel line,
// so the true rectangle is 90, 90 - 310, 210.
template <typename Tracker = RectTracker> Tracker ClipStyled(PageRect rect = {100, 100, 300, 200})
{
    Tracker tracker;
    tracker.m_style = RectTracker::kSolidLine | RectTracker::kResizeOutside;
    tracker.m_handleSize = 10;
    tracker.m_rect = rect;
    return tracker;
}

TEST(RectTracker, HitCodes)
{
    const RectTracker tracker = ClipStyled();
    const struct {
        QPoint point;
        int hit;
    } cases[] = {
        {{89, 89}, -1}, {{90, 90}, 0},   {{309, 90}, 1},  {{309, 209}, 2},  {{90, 209}, 3},
        {{200, 92}, 4}, {{305, 150}, 5}, {{200, 205}, 6}, {{95, 150}, 7},   {{200, 150}, 8},
        {{99, 99}, 0},  {{101, 101}, 8}, {{150, 93}, -1}, {{310, 210}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x() << "," << c.point.y();
}

TEST(RectTracker, EdgeHandlesOnlyWhereThereIsRoom)
{
    RectTracker tracker = ClipStyled();
    EXPECT_EQ(tracker.HandleMask(), 0xFFu);
    tracker.m_rect = {100, 100, 134, 200}; // 34 - 30 < 5: no top and bottom handles
    EXPECT_EQ(tracker.HandleMask(), 0xFFu & ~((1u << 4) | (1u << 6)));
    tracker.m_rect = {100, 100, 134, 134};
    EXPECT_EQ(tracker.HandleMask(), 0x0Fu);
}

TEST(RectTracker, DragsKeepTheGrabOffsetAndEscapeRestores)
{
    RectTracker tracker = ClipStyled();
    ASSERT_TRUE(tracker.BeginTrack({95, 150})); // left edge handle, 5 left of the edge
    tracker.TrackTo({145, 170});
    EXPECT_EQ(tracker.m_rect, (PageRect{150, 100, 300, 200}));
    EXPECT_TRUE(tracker.EndTrack({145, 170}));

    ASSERT_TRUE(tracker.BeginTrack({200, 150})); // inside: moves whole
    tracker.TrackTo({210, 130});
    EXPECT_EQ(tracker.m_rect, (PageRect{160, 80, 310, 180}));
    tracker.CancelTrack();
    EXPECT_EQ(tracker.m_rect, (PageRect{150, 100, 300, 200}));
    EXPECT_FALSE(tracker.BeginTrack({10, 10}));
}

TEST(ClipTracker, StaysInsideThePreviewAndKeepsAMinimumSize)
{
    ClipTracker tracker = ClipStyled<ClipTracker>({30, 40, 530, 290});
    tracker.m_bounds = tracker.m_rect;

    ASSERT_TRUE(tracker.BeginTrack({535, 295})); // bottom-right corner dragged far out
    EXPECT_TRUE(tracker.EndTrack({900, 900}) == false);
    EXPECT_EQ(tracker.m_rect, tracker.m_bounds);

    ASSERT_TRUE(tracker.BeginTrack({25, 165})); // left edge dragged past the right edge
    EXPECT_TRUE(tracker.EndTrack({800, 165}));
    EXPECT_EQ(tracker.m_rect, (PageRect{530 - ClipTracker::kMinimumSize, 40, 530, 290}));

    tracker.m_rect = {100, 100, 200, 200};
    ASSERT_TRUE(tracker.BeginTrack({150, 150})); // moved beyond the top left: keeps its size
    tracker.EndTrack({0, 0});
    EXPECT_EQ(tracker.m_rect, (PageRect{30, 40, 130, 140}));
}

TEST(ClipPage, MapsTheTrackerIntoPixelsOfTheUncutPicture)
{
    const PageRect preview{30, 40, 530, 290};
    const struct {
        PageRect tracker, source, mapped;
    } cases[] = {
        {preview, {0, 0, 2000, 1000}, {0, 0, 2000, 1000}},
        {{30, 40, 280, 290}, {0, 0, 2000, 1000}, {0, 0, 1000, 1000}},
        {{30, 40, 280, 290}, {0, 0, 1000, 1000}, {0, 0, 500, 1000}},
        {{130, 90, 430, 240}, {100, 50, 600, 300}, {200, 100, 500, 250}},
        // products first, then truncation: 999 * 1 / 500 = 1, not 999 * 0 = 0
        {{31, 40, 530, 290}, {0, 0, 999, 500}, {1, 0, 999, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClipPage::MapToSource(c.tracker, preview, c.source), c.mapped);
}

} // namespace
