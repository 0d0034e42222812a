#include "core/segment.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using core::Point;
using core::Segment;

struct Example {
    const char* name;
    Point p, q, r, s;
    int code;
};

// The classification examples of the end-of-level test, each checked with
// both segments as receiver.
const Example kExamples[] = {
    {"proper crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, Segment::ProperCrossing},
    {"shared end point", {0, 0}, {10, 0}, {10, 0}, {20, 5}, Segment::Touching},
    {"parallel", {0, 0}, {10, 0}, {0, 5}, {10, 5}, Segment::Parallel},
    {"same line apart", {0, 0}, {10, 0}, {20, 0}, {30, 0}, Segment::Touching},
    {"lines meet outside", {0, 0}, {10, 0}, {5, 5}, {5, 1}, Segment::MeetOutside},
    {"end point inside the other", {0, 0}, {10, 0}, {5, 0}, {5, 5}, Segment::Touching},
};

TEST(SegmentTest, ClassifiesTheExamplesInBothOrders)
{
    for (const Example& e : kExamples) {
        Segment first(e.p, e.q);
        Segment second(e.r, e.s);
        EXPECT_EQ(first.RezultatulIntersectiei(second), e.code) << e.name;
        EXPECT_EQ(second.RezultatulIntersectiei(first), e.code) << e.name << ", swapped";
    }
}

TEST(SegmentTest, SegmentAgainstItselfTouches)
{
    Segment segment({3.5f, 7.25f}, {100.0f, 42.0f});
    EXPECT_EQ(segment.RezultatulIntersectiei(segment), Segment::Touching);
}

TEST(SegmentTest, StoresTheMeetingPointInTheReceiverOnly)
{
    Segment receiver({0, 0}, {10, 10});
    Segment argument({0, 10}, {10, 0});
    ASSERT_EQ(receiver.RezultatulIntersectiei(argument), Segment::ProperCrossing);
    EXPECT_EQ(receiver.getIntersX(), 5.0f);
    EXPECT_EQ(receiver.getIntersY(), 5.0f);
    EXPECT_EQ(argument.getIntersX(), 0.0f);
    EXPECT_EQ(argument.getIntersY(), 0.0f);

    // The point lies on the receiver's own line, so it depends on who asks.
    Segment steep({2, 0}, {2, 9});
    Segment flat({0, 3}, {7, 3});
    ASSERT_EQ(flat.RezultatulIntersectiei(steep), Segment::ProperCrossing);
    EXPECT_EQ(flat.getIntersX(), 2.0f);
    EXPECT_EQ(flat.getIntersY(), 3.0f);
    ASSERT_EQ(steep.RezultatulIntersectiei(flat), Segment::ProperCrossing);
    EXPECT_EQ(steep.getIntersX(), 2.0f);
    EXPECT_EQ(steep.getIntersY(), 3.0f);
}

TEST(SegmentTest, TouchingAtAnEndPointStoresThatPoint)
{
    Segment segment({0, 0}, {10, 0});
    ASSERT_EQ(segment.RezultatulIntersectiei(Segment({10, 0}, {20, 5})), Segment::Touching);
    EXPECT_EQ(segment.getIntersX(), 10.0f);
    EXPECT_EQ(segment.getIntersY(), 0.0f);
}

TEST(SegmentTest, MissesAndParallelsKeepThePreviousMeetingPoint)
{
    Segment segment({0, 0}, {10, 0});
    segment.setIntersX(-4.0f);
    segment.setIntersY(8.5f);
    EXPECT_EQ(segment.RezultatulIntersectiei(Segment({5, 5}, {5, 1})), Segment::MeetOutside);
    EXPECT_EQ(segment.RezultatulIntersectiei(Segment({0, 5}, {10, 5})), Segment::Parallel);
    EXPECT_EQ(segment.RezultatulIntersectiei(Segment({20, 0}, {30, 0})), Segment::Touching);
    EXPECT_EQ(segment.getIntersX(), -4.0f);
    EXPECT_EQ(segment.getIntersY(), 8.5f);
}

TEST(SegmentTest, LinksOfOneNodeTouchOnWholePointBoards)
{
    // Two links of the same node share an end point; with whole-point
    // coordinates as a fresh board has, that is never a crossing.
    for (int ax = 0; ax <= 2048; ax += 97) {
        for (int by = 0; by <= 2048; by += 89) {
            const Point shared{static_cast<float>(ax % 613), static_cast<float>(by % 571)};
            Segment one(shared, {static_cast<float>(ax), static_cast<float>(by)});
            Segment two(shared, {static_cast<float>(2048 - by), static_cast<float>(ax / 2)});
            const int code = one.RezultatulIntersectiei(two);
            EXPECT_NE(code, Segment::ProperCrossing) << ax << ", " << by;
            EXPECT_NE(code, Segment::MeetOutside) << ax << ", " << by;
        }
    }
}

TEST(SegmentTest, RoundsEveryStepToFloat)
{
    // Near-degenerate pairs whose code depends on the arithmetic: computed
    // in double, or with fused multiply-adds, the first gives 3 and the
    // second 2. Only step-by-step 32-bit rounding gives these codes.
    Segment first({236.800003f, 108.699997f}, {280.100006f, 427.600006f});
    EXPECT_EQ(first.RezultatulIntersectiei(Segment({258.839691f, 271.020111f}, {447.700012f, 452.899994f})),
              Segment::Touching);
    Segment second({410.0f, 28.7000008f}, {81.8000031f, 463.200012f});
    EXPECT_EQ(second.RezultatulIntersectiei(Segment({145.142609f, 379.341492f}, {274.100006f, 168.300003f})),
              Segment::ProperCrossing);
}

} // namespace
