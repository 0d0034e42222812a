#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using core::Board;
using core::Node;
using core::Point;
using core::Segment;

TEST(BuildSegmentsTest, OneSegmentPerLinkInNodeOrder)
{
    const Board board{{{0, 0}, {1, 2}}, {{10, 0}, {2}}, {{5, 9}, {}}};
    const auto segments = core::buildSegments(board);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0].getStart(), (Point{0, 0}));
    EXPECT_EQ(segments[0].getEnd(), (Point{10, 0}));
    EXPECT_EQ(segments[1].getEnd(), (Point{5, 9}));
    EXPECT_EQ(segments[2].getStart(), (Point{10, 0}));
    EXPECT_EQ(segments[2].getEnd(), (Point{5, 9}));
}

TEST(BuildSegmentsTest, NodesListingEachOtherGiveOneSegment)
{
    const Board board{{{0, 0}, {1}}, {{10, 0}, {0}}};
    EXPECT_EQ(core::buildSegments(board).size(), 1u);
}

TEST(BuildSegmentsTest, SkipsReversedLinksByCoordinatesNotByNode)
{
    // Nodes 1 and 2 stand on one point: 2 -> 0 is the reverse of 0 -> 1.
    const Board board{{{0, 0}, {1}}, {{7, 7}, {}}, {{7, 7}, {0}}};
    EXPECT_EQ(core::buildSegments(board).size(), 1u);
    // A link in the same direction between the same points is kept.
    const Board same{{{0, 0}, {1}}, {{7, 7}, {}}, {{0, 0}, {1}}};
    EXPECT_EQ(core::buildSegments(same).size(), 2u);
    // Negative and positive zero are the same coordinate.
    const Board zeros{{{0.0f, 3}, {1}}, {{5, 5}, {2}}, {{-0.0f, 3}, {}}};
    EXPECT_EQ(core::buildSegments(zeros).size(), 1u);
}

TEST(IsSolvedTest, WantsNoCrossingAndNoContact)
{
    const struct {
        const char* what;
        Board board;
        bool solved;
    } cases[] = {
        {"no board", {}, true},
        {"two links crossing", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{10, 0}, {}}}, false},
        {"the same, one end moved away", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{-10, 20}, {}}}, true},
        {"links sharing a circle", {{{0, 0}, {1, 2}}, {{10, 0}, {}}, {{5, 8}, {}}}, true},
        {"links on one line meeting at a circle", {{{0, 0}, {1}}, {{10, 0}, {2}}, {{20, 0}, {}}}, true},
        {"links on one line apart", {{{0, 0}, {1}}, {{10, 0}, {}}, {{20, 0}, {3}}, {{30, 0}, {}}}, true},
        {"a circle on another link", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{5, 6}, {}}}, false},
        {"a circle a point beside it", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 1}, {3}}, {{5, 6}, {}}}, true},
        {"a lone circle on a link", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {}}}, false},
        {"a lone circle on an upright link", {{{0, 0}, {1}}, {{0, 10}, {}}, {{0, 5}, {}}}, false},
        {"a lone circle on a link's end", {{{0, 0}, {1}}, {{10, 0}, {}}, {{10, 0}, {}}}, false},
        {"two circles on one centre", {{{0, 0}, {1}}, {{10, 0}, {}}, {{0, 0}, {3}}, {{0, 10}, {}}}, false},
        {"zero on both sides of the sign", {{{0.0f, 0}, {1}}, {{10, 0}, {}}, {{-0.0f, 0}, {3}}, {{0, 10}, {}}}, false},
        {"every circle heaped on one point", {{{45, 45}, {1, 2}}, {{45, 45}, {2}}, {{45, 45}, {}}}, false},
        {"links on one line overlapping", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{20, 0}, {}}}, false},
        {"one link over another", {{{0, 0}, {1}}, {{30, 0}, {}}, {{10, 0}, {3}}, {{20, 0}, {}}}, false},
        {"a circle exactly on a slanted link", {{{0, 0}, {1}}, {{3, 1}, {}}, {{1.5f, 0.5f}, {3}}, {{1.5f, 9}, {}}}, false},
        {"the same circle a float's step off", {{{0, 0}, {1}}, {{3, 1}, {}}, {{1.5f, std::nextafter(0.5f, 1.0f)}, {3}}, {{1.5f, 9}, {}}}, true},
        {"a circle on a link, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.5e6f}, {}}}, false},
        {"a circle beside it, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.6e6f}, {}}}, true},
        {"a circle on a link, tiny coordinates", {{{0, 0}, {1}}, {{3e-6f, 1e-6f}, {}}, {{1.5e-6f, 0.5e-6f}, {}}}, false},
        {"a circle beside it, tiny coordinates", {{{0, 0}, {1}}, {{3e-6f, 1e-6f}, {}}, {{1.5e-6f, 0.6e-6f}, {}}}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::isSolved(c.board), c.solved) << c.what;
    }
}

// Random boards, many of them degenerate, to hold the fast test against the
// reference loop.
class BoardMaker {
public:
    explicit BoardMaker(unsigned seed) : engine_(seed) {}

    enum class Kind { WholeGrid, SmallGrid, Floats, Stacked, SlantedLine, NearShared, Mixed };

    Board make(Kind kind, int nodeCount)
    {
        Board board(static_cast<std::size_t>(nodeCount));
        for (std::size_t i = 0; i < board.size(); ++i) {
            board[i].coord = kind == Kind::NearShared && i > 0 && pick(0, 1) == 0
                ? nudge(board[static_cast<std::size_t>(pick(0, static_cast<int>(i) - 1))].coord)
                : place(kind);
        }
        for (std::size_t i = 0; i < board.size(); ++i) {
            const int links = pick(0, 2);
            for (int k = 0; k < links && nodeCount > 1; ++k) {
                const auto target = static_cast<std::int32_t>((i + static_cast<std::size_t>(pick(1, nodeCount - 1))) % board.size());
                if (!core::Exists(board[i].link, target)) {
                    board[i].link.push_back(target);
                }
            }
        }
        return board;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    float real(float low, float high) { return std::uniform_real_distribution<float>(low, high)(engine_); }

    Point place(Kind kind)
    {
        switch (kind) {
        case Kind::WholeGrid:
            return {static_cast<float>(pick(45, 314)), static_cast<float>(pick(45, 474))};
        case Kind::SmallGrid: // shared end points, collinear links, stacked nodes
            return {static_cast<float>(15 + 30 * pick(0, 4)), static_cast<float>(15 + 30 * pick(0, 4))};
        case Kind::Floats:
            return {real(15.0f, 305.0f), real(15.0f, 465.0f)};
        case Kind::Stacked: // several nodes on each of a few points
            return {static_cast<float>(100 + 60 * pick(0, 2)) + 0.5f, static_cast<float>(100 + 45 * pick(0, 3)) + 0.25f};
        case Kind::SlantedLine: {
            // Rounded points of one slanted line: rounding decides the codes.
            const float t = real(-0.2f, 1.2f);
            return {33.3f + t * 251.7f, 15.1f + t * 433.9f};
        }
        case Kind::NearShared:
            return {real(15.0f, 305.0f), real(15.0f, 465.0f)};
        case Kind::Mixed:
            break;
        }
        return place(static_cast<Kind>(pick(0, 5)));
    }

    // A point a few units in the last place away: links that nearly share
    // an end point, their boxes apart by a hair.
    Point nudge(Point point)
    {
        for (float* value : {&point.x, &point.y}) {
            for (int steps = pick(-4, 4); steps != 0; steps += steps > 0 ? -1 : 1) {
                *value = std::nextafter(*value, steps > 0 ? INFINITY : -INFINITY);
            }
        }
        return point;
    }

    std::mt19937 engine_;
};

bool fast(const Board& board)
{
    auto segments = core::buildSegments(board);
    return core::hasCrossing(segments);
}

bool reference(const Board& board)
{
    auto segments = core::buildSegments(board);
    return core::hasCrossingAllPairs(segments);
}

TEST(FastCrossingTest, AgreesWithEveryPairOnRandomBoards)
{
    using Kind = BoardMaker::Kind;
    BoardMaker maker(2024);
    for (const Kind kind : {Kind::WholeGrid, Kind::SmallGrid, Kind::Floats, Kind::Stacked, Kind::SlantedLine,
                            Kind::NearShared, Kind::Mixed}) {
        int crossed = 0;
        int solved = 0;
        for (int round = 0; round < 1500; ++round) {
            const Board board = maker.make(kind, 2 + round % 12);
            const bool expected = reference(board);
            ASSERT_EQ(fast(board), expected) << "kind " << static_cast<int>(kind) << ", round " << round;
            (expected ? crossed : solved) += 1;
        }
        // Both answers occur, or the comparison would prove little.
        EXPECT_GT(crossed, 50) << static_cast<int>(kind);
        EXPECT_GT(solved, 50) << static_cast<int>(kind);
    }
}

TEST(FastCrossingTest, FindsRoundingCrossingsBetweenFarApartSegments)
{
    // Two pieces of one slanted line, far apart, each end point rounded to
    // float: mathematically they share only their line, but rounding makes
    // about one pair in a hundred cross.
    std::mt19937 engine(7);
    std::uniform_real_distribution<double> coordinate(15.0, 465.0);
    std::uniform_real_distribution<double> at(0.0, 0.45);
    int crossings = 0;
    for (int round = 0; round < 3000; ++round) {
        const double x0 = coordinate(engine), y0 = coordinate(engine);
        const double x1 = coordinate(engine), y1 = coordinate(engine);
        const auto onLine = [&](double t) {
            return Point{static_cast<float>(x0 + (x1 - x0) * t), static_cast<float>(y0 + (y1 - y0) * t)};
        };
        const double a = at(engine);
        const double b = 0.55 + at(engine);
        std::vector<Segment> segments{Segment(onLine(a), onLine(a + at(engine))),
                                      Segment(onLine(b), onLine(b + at(engine)))};
        std::vector<Segment> copy = segments;
        const bool expected = core::hasCrossingAllPairs(copy);
        ASSERT_EQ(core::hasCrossing(segments), expected) << round;
        crossings += expected ? 1 : 0;
    }
    EXPECT_GT(crossings, 10);
}

TEST(FastCrossingTest, FindsRoundingCrossingsAcrossHairlineGaps)
{
    // Two links whose end points miss each other by a few units in the last
    // place, often with boxes apart by that much: rounding makes some cross.
    std::mt19937 engine(3);
    std::uniform_real_distribution<float> coordinate(15.0f, 465.0f);
    std::uniform_int_distribution<int> steps(-4, 4);
    const auto nudge = [&](float value) {
        for (int k = steps(engine); k != 0; k += k > 0 ? -1 : 1) {
            value = std::nextafter(value, k > 0 ? INFINITY : -INFINITY);
        }
        return value;
    };
    int crossings = 0;
    for (int round = 0; round < 20000; ++round) {
        const Point a{coordinate(engine), coordinate(engine)};
        const Point b{coordinate(engine), coordinate(engine)};
        const Point c{coordinate(engine), coordinate(engine)};
        std::vector<Segment> segments{Segment(a, b), Segment({nudge(b.x), nudge(b.y)}, c)};
        std::vector<Segment> copy = segments;
        const bool expected = core::hasCrossingAllPairs(copy);
        ASSERT_EQ(core::hasCrossing(segments), expected) << round;
        crossings += expected ? 1 : 0;
    }
    EXPECT_GT(crossings, 10);
}

TEST(FastCrossingTest, AgreesOnGeneratedBoards)
{
    testkit::ScriptedRandom random;
    for (int round = 0; round < 300; ++round) {
        random.setTime(round);
        core::seedFromClock(random);
        const Board board = core::generateBoard(3 + round % 120, 320, 480, random);
        ASSERT_EQ(fast(board), reference(board)) << round;
    }
}

TEST(FastCrossingTest, AgreesOutsideTheUsualCoordinateRange)
{
    // Tiny and huge coordinates are answered by the reference loop itself.
    BoardMaker maker(11);
    for (int round = 0; round < 300; ++round) {
        Board board = maker.make(BoardMaker::Kind::Floats, 8);
        const float scale = round % 2 == 0 ? 1e-6f : 1e6f;
        for (auto& node : board) {
            node.coord = {node.coord.x * scale, node.coord.y * scale};
        }
        ASSERT_EQ(fast(board), reference(board)) << round;
    }
}

} // namespace
