#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace core {

// A graph that grows one edge at a time and stays planar by construction:
// it keeps a plane embedding (the order of the edges around each vertex)
// and admits an edge only where it can be drawn without a crossing, that
// is between two separate pieces or between two vertices on a common face.
// Each query costs the degrees of the two vertices, each edge the length of
// the smaller face it touches, so boards of any size grow quickly.
class PlaneEmbedding {
public:
    explicit PlaneEmbedding(std::size_t vertexCount);

    // True when the edge u-v (u != v, not present yet) keeps the embedding plane.
    bool canJoin(int u, int v);

    // Adds the edge u-v; canJoin(u, v) must hold.
    void join(int u, int v);

private:
    // The edge from `from` to around_[from][index], in that direction.
    struct Dart {
        int from;
        std::size_t index;
        friend bool operator==(const Dart&, const Dart&) = default;
    };

    int root(int vertex);
    Dart next(Dart dart) const;
    int& faceOf(Dart dart) { return faces_[static_cast<std::size_t>(dart.from)][dart.index]; }
    std::optional<std::pair<std::size_t, std::size_t>> sharedCorner(int u, int v) const;
    void insert(int vertex, std::size_t index, int neighbour, int face);
    void relabel(Dart from, Dart until, int face);
    int newFace(int size);
    void joinPieces(int u, int v);
    void splitFace(int u, int v, std::size_t uCorner, std::size_t vCorner);

    std::vector<std::vector<int>> around_; // neighbours in the order around each vertex
    std::vector<std::vector<int>> faces_;  // faces_[v][k]: face on the left of dart (v, k)
    std::vector<int> faceSize_;            // darts on each face
    std::vector<int> parent_;              // union-find over connected pieces
};

} // namespace core
