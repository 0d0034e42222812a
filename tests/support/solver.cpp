#include "support/solver.h"

#include "core/crossing.h"
#include "core/whole_points.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/boyer_myrvold_planar_test.hpp>
// Boost's Chrobak-Payne drawing sets a loop variable before its first use in
// a way GCC cannot follow; its may-be-uninitialized warning is a false alarm.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/graph/chrobak_payne_drawing.hpp>
#include <boost/graph/make_biconnected_planar.hpp>
#include <boost/graph/make_connected.hpp>
#include <boost/graph/make_maximal_planar.hpp>
#include <boost/graph/planar_canonical_ordering.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace testkit {

namespace {

using Graph =
    boost::adjacency_list<boost::setS, boost::vecS, boost::undirectedS, boost::property<boost::vertex_index_t, int>,
                          boost::property<boost::edge_index_t, int>>;
struct GridPoint {
    std::size_t x, y;
};

// Places the graph on the grid [0, 2n - 4] x [0, n - 2] with no two edges
// crossing (Chrobak-Payne, once the graph is made maximal planar).
std::vector<GridPoint> drawOnGrid(Graph graph) {
    const std::size_t n = boost::num_vertices(graph);
    std::vector<std::vector<boost::graph_traits<Graph>::edge_descriptor>> embedding(n);
    // Each step changes the graph: edge indices must be dense again, and the embedding redone.
    const auto embed = [&] {
        int index = 0;
        for (const auto edge : boost::make_iterator_range(boost::edges(graph)))
            boost::put(boost::edge_index, graph, edge, index++);
        if (!boost::boyer_myrvold_planarity_test(boost::boyer_myrvold_params::graph = graph,
                                                 boost::boyer_myrvold_params::embedding = embedding.data())) {
            throw std::invalid_argument("solveLayout needs a planar board");
        }
    };
    boost::make_connected(graph);
    embed();
    boost::make_biconnected_planar(graph, embedding.data());
    embed();
    boost::make_maximal_planar(graph, embedding.data());
    embed();
    const auto index = boost::get(boost::vertex_index, graph);
    const auto embeddingMap = boost::make_iterator_property_map(embedding.begin(), index);
    std::vector<std::size_t> order;
    boost::planar_canonical_ordering(graph, embeddingMap, std::back_inserter(order));
    std::vector<GridPoint> grid(n);
    boost::chrobak_payne_straight_line_drawing(graph, embeddingMap, order.begin(), order.end(),
                                               boost::make_iterator_property_map(grid.begin(), index));
    return grid;
}

// A segment of the board by its end nodes, as core::boardLines gives it.
using Link = std::pair<std::size_t, std::size_t>;

// How often a segment at node v looks crossed with another, by the rule of
// core::isSolved; or 1 when another circle shares v's centre.
int faults(const std::vector<core::Point>& at, const std::vector<Link>& links, std::size_t v) {
    if (std::count(at.begin(), at.end(), at[v]) > 1) return 1;
    const auto whole = [&](const Link& link) { return core::detail::wholeSegment({at[link.first], at[link.second]}); };
    int count = 0;
    for (const Link& link : links) {
        if (link.first != v && link.second != v) continue;
        const auto own = whole(link);
        for (const Link& other : links) count += core::detail::looksCrossed(own, whole(other));
    }
    return count;
}

// Moves each circle with faults to the whole point within 3 points, in the
// area, where it has the fewest, pass after pass while their total falls;
// whether none is left.
bool repair(std::vector<core::Point>& at, const std::vector<Link>& links, core::Area area) {
    for (int total = std::numeric_limits<int>::max(); total > 0;) {
        const int before = std::exchange(total, 0);
        for (std::size_t v = 0; v < at.size(); ++v) {
            const core::Point from = at[v];
            core::Point best = from;
            int fewest = faults(at, links, v);
            for (int step = 0; step < 49 && fewest > 0; ++step) {
                const float x = from.x + static_cast<float>(step % 7 - 3),
                            y = from.y + static_cast<float>(step / 7 - 3);
                at[v] = {std::clamp<float>(x, area.left, area.right), std::clamp<float>(y, area.top, area.bottom)};
                if (const int count = faults(at, links, v); count < fewest) fewest = count, best = at[v];
            }
            at[v] = best;
            total += fewest;
        }
        if (total >= before) return false;
    }
    return true;
}

} // namespace

std::vector<core::Point> solveLayout(const core::Board& board, core::Area area) {
    const std::size_t n = board.size();
    const std::vector<Link> links = core::boardLines(board);
    // The grid, stretched over the area with its long side along the area's
    // and rounded, leaves circles within a point of links; most are freed by
    // small moves. Where some are not, the nodes numbered another way give
    // another drawing.
    const double width = area.right - area.left, height = area.bottom - area.top;
    const double columns = n < 3 ? 1.0 : 2.0 * n - 4, rows = n < 3 ? 1.0 : n - 2.0;
    for (std::size_t shift = 0; shift < std::max<std::size_t>(n, 1); ++shift) {
        Graph graph(n);
        for (const auto& [a, b] : links) {
            if (a != b) boost::add_edge((a + shift) % n, (b + shift) % n, graph);
        }
        const auto grid = n < 3 ? std::vector<GridPoint>{{0, 0}, {1, 1}} : drawOnGrid(graph);
        std::vector<core::Point> at;
        for (std::size_t i = 0; i < n; ++i) {
            const double along = grid[(i + shift) % n].x / columns, across = grid[(i + shift) % n].y / rows;
            at.push_back({static_cast<float>(std::round(area.left + width * (height > width ? across : along))),
                          static_cast<float>(std::round(area.top + height * (height > width ? along : across)))});
        }
        if (repair(at, links, area)) return at;
    }
    throw std::runtime_error("solveLayout found no layout");
}

} // namespace testkit
