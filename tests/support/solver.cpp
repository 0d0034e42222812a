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

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <set>
#include <stdexcept>
#include <utility>

namespace testkit {

namespace {

using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS,
                                    boost::property<boost::vertex_index_t, int>,
                                    boost::property<boost::edge_index_t, int>>;
using Edge = boost::graph_traits<Graph>::edge_descriptor;
using Embedding = std::vector<std::vector<Edge>>;

struct GridPoint {
    std::size_t x;
    std::size_t y;
};

// Mutual links name one line; the drawing wants each edge once.
Graph graphOf(const core::Board& board)
{
    std::set<std::pair<std::size_t, std::size_t>> edges;
    for (std::size_t i = 0; i < board.size(); ++i) {
        for (const std::int32_t target : board[i].link) {
            const auto t = static_cast<std::size_t>(target);
            edges.insert({std::min(i, t), std::max(i, t)});
        }
    }
    Graph graph(board.size());
    for (const auto& [a, b] : edges) {
        boost::add_edge(a, b, graph);
    }
    return graph;
}

// Edge indices must be dense after every change to the graph.
Embedding embed(Graph& graph)
{
    int index = 0;
    for (const Edge edge : boost::make_iterator_range(boost::edges(graph))) {
        boost::put(boost::edge_index, graph, edge, index++);
    }
    Embedding embedding(boost::num_vertices(graph));
    if (!boost::boyer_myrvold_planarity_test(boost::boyer_myrvold_params::graph = graph,
                                             boost::boyer_myrvold_params::embedding = embedding.data())) {
        throw std::invalid_argument("solveLayout needs a planar board");
    }
    return embedding;
}

std::vector<GridPoint> drawOnGrid(Graph& graph)
{
    boost::make_connected(graph);
    Embedding embedding = embed(graph);
    boost::make_biconnected_planar(graph, embedding.data());
    embedding = embed(graph);
    boost::make_maximal_planar(graph, embedding.data());
    embedding = embed(graph);

    const auto index = boost::get(boost::vertex_index, graph);
    const auto embeddingMap = boost::make_iterator_property_map(embedding.begin(), index);
    std::vector<std::size_t> order;
    boost::planar_canonical_ordering(graph, embeddingMap, std::back_inserter(order));
    std::vector<GridPoint> grid(boost::num_vertices(graph));
    boost::chrobak_payne_straight_line_drawing(graph, embeddingMap, order.begin(), order.end(),
                                               boost::make_iterator_property_map(grid.begin(), index));
    return grid;
}

} // namespace

std::vector<core::Point> solveLayout(const core::Board& board, PlayArea area)
{
    const std::size_t n = board.size();
    const float left = std::ceil(area.left);
    const float top = std::ceil(area.top);
    const auto width = static_cast<std::size_t>(std::floor(area.right) - left);
    const auto height = static_cast<std::size_t>(std::floor(area.bottom) - top);
    if (n < 3) {
        // Any place will do: at most one line.
        std::vector<core::Point> points;
        for (std::size_t i = 0; i < n; ++i) {
            points.push_back({left + static_cast<float>(width * i), top + static_cast<float>(height * i)});
        }
        return points;
    }
    // Chrobak-Payne uses the grid [0, 2n - 4] x [0, n - 2]. Whole-point steps
    // keep every centre on a whole point, where the crossing test's float
    // arithmetic is exact; at fractional positions two links of one node can
    // be reported as crossing through rounding.
    const std::size_t stepX = width / (2 * n - 4);
    const std::size_t stepY = height / (n - 2);
    if (stepX == 0 || stepY == 0) {
        throw std::invalid_argument("solveLayout: the area is too small for a board of this size");
    }
    Graph graph = graphOf(board);
    std::vector<core::Point> points;
    for (const GridPoint& cell : drawOnGrid(graph)) {
        points.push_back({left + static_cast<float>(stepX * cell.x), top + static_cast<float>(stepY * cell.y)});
    }
    return points;
}

} // namespace testkit
