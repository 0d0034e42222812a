#include "support/solver.h"

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

#include <stdexcept>

namespace testkit {

std::vector<core::Point> solveLayout(const core::Board& board, core::Area area) {
    const std::size_t n = board.size();
    const auto width = static_cast<std::size_t>(area.right - area.left);
    const auto height = static_cast<std::size_t>(area.bottom - area.top);
    // Chrobak-Payne uses the grid [0, 2n - 4] x [0, n - 2]. Whole-point steps
    // keep every centre on a whole point, where the crossing test's float
    // arithmetic is exact; at fractional positions two links of one node can
    // be reported as crossing through rounding. Below 3 nodes any place will do.
    const std::size_t stepX = n < 3 ? width : width / (2 * n - 4), stepY = n < 3 ? height : height / (n - 2);
    if (stepX == 0 || stepY == 0)
        throw std::invalid_argument("solveLayout: the area is too small for a board of this size");
    using Graph =
        boost::adjacency_list<boost::setS, boost::vecS, boost::undirectedS, boost::property<boost::vertex_index_t, int>,
                              boost::property<boost::edge_index_t, int>>;
    Graph graph(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (const std::int32_t target : board[i].link)
            boost::add_edge(i, static_cast<std::size_t>(target), graph); // a set: mutual links name one edge
    }
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
    struct GridPoint {
        std::size_t x, y;
    };
    std::vector<GridPoint> grid(n, GridPoint{0, 0});
    if (n >= 3) {
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
        boost::chrobak_payne_straight_line_drawing(graph, embeddingMap, order.begin(), order.end(),
                                                   boost::make_iterator_property_map(grid.begin(), index));
    }
    std::vector<core::Point> points;
    for (std::size_t i = 0; i < n; ++i) {
        const GridPoint cell = n < 3 ? GridPoint{i, i} : grid[i];
        points.push_back({static_cast<float>(static_cast<std::size_t>(area.left) + stepX * cell.x),
                          static_cast<float>(static_cast<std::size_t>(area.top) + stepY * cell.y)});
    }
    return points;
}

} // namespace testkit
