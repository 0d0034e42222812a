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

    // True when the edge u-v (u != v) keeps the embedding plane, as it does
    // when it is there already.
    bool canJoin(int u, int v);

    // Adds the edge u-v; canJoin(u, v) must hold.
    void join(int u, int v);

    bool connected(int u, int v) { return root(u) == root(v); }

    // How many vertices the piece of `vertex` holds.
    std::size_t pieceSize(int vertex) { return pieceSize_[static_cast<std::size_t>(root(vertex))]; }

    // The vertices an edge from `vertex` can reach inside its own piece are
    // those on the faces around it. Walking each of those faces once meets
    // this many vertices, some more than once, `vertex` itself included.
    std::size_t lengthAround(int vertex) const;

    // The first `count` vertices of that walk, in an order that stays the
    // same while no edge is added. Costs `count` steps along the faces.
    std::vector<int> walkAround(int vertex, std::size_t count) const;

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
    bool firstCornerOf(int vertex, std::size_t corner) const;
    void insert(int vertex, std::size_t index, int neighbour, int face);
    void relabel(Dart from, Dart until, int face);
    int newFace(int size);
    void joinPieces(int u, int v);
    void splitFace(int u, int v, std::size_t uCorner, std::size_t vCorner);

    std::vector<std::vector<int>> around_; // neighbours in the order around each vertex
    std::vector<std::vector<int>> faces_;  // faces_[v][k]: face on the left of dart (v, k)
    std::vector<int> faceSize_;            // darts on each face
    std::vector<int> parent_;              // union-find over connected pieces
    std::vector<std::size_t> pieceSize_;   // vertices of each piece, at its root
};

} // namespace core
