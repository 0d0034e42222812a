#include "core/plane_embedding.h"

#include <algorithm>
#include <numeric>

namespace core {

namespace {

std::size_t at(int vertex) { return static_cast<std::size_t>(vertex); }

} // namespace

PlaneEmbedding::PlaneEmbedding(std::size_t vertexCount)
    : around_(vertexCount), faces_(vertexCount), parent_(vertexCount), pieceSize_(vertexCount, 1) {
    std::iota(parent_.begin(), parent_.end(), 0);
}

int PlaneEmbedding::root(int vertex) {
    while (parent_[at(vertex)] != vertex) {
        parent_[at(vertex)] = parent_[at(parent_[at(vertex)])];
        vertex = parent_[at(vertex)];
    }
    return vertex;
}

// A face is walked by arriving at a vertex and leaving along the next edge
// around it.
PlaneEmbedding::Dart PlaneEmbedding::next(Dart dart) const {
    const int to = around_[at(dart.from)][dart.index];
    const std::vector<int>& ring = around_[at(to)];
    const auto back = static_cast<std::size_t>(std::find(ring.begin(), ring.end(), dart.from) - ring.begin());
    return {to, (back + 1) % ring.size()};
}

std::optional<std::pair<std::size_t, std::size_t>> PlaneEmbedding::sharedCorner(int u, int v) const {
    const std::vector<int>& uFaces = faces_[at(u)];
    const std::vector<int>& vFaces = faces_[at(v)];
    for (std::size_t i = 0; i < uFaces.size(); ++i) {
        for (std::size_t j = 0; j < vFaces.size(); ++j) {
            if (uFaces[i] == vFaces[j]) {
                return std::pair{i, j};
            }
        }
    }
    return std::nullopt;
}

bool PlaneEmbedding::canJoin(int u, int v) { return !connected(u, v) || sharedCorner(u, v).has_value(); }

void PlaneEmbedding::join(int u, int v) {
    if (!connected(u, v)) {
        joinPieces(u, v);
    } else {
        const auto [uCorner, vCorner] = *sharedCorner(u, v);
        splitFace(u, v, uCorner, vCorner);
    }
}

// A face comes round a vertex at each of its corners there; it counts at the first.
bool PlaneEmbedding::firstCornerOf(int vertex, std::size_t corner) const {
    const std::vector<int>& ringFaces = faces_[at(vertex)];
    const auto face = ringFaces.begin() + static_cast<std::ptrdiff_t>(corner);
    return std::find(ringFaces.begin(), face, *face) == face;
}

std::size_t PlaneEmbedding::lengthAround(int vertex) const {
    std::size_t length = 0;
    for (std::size_t corner = 0; corner < faces_[at(vertex)].size(); ++corner) {
        if (firstCornerOf(vertex, corner)) {
            length += static_cast<std::size_t>(faceSize_[static_cast<std::size_t>(faces_[at(vertex)][corner])]);
        }
    }
    return length;
}

std::vector<int> PlaneEmbedding::walkAround(int vertex, std::size_t count) const {
    std::vector<int> vertices;
    for (std::size_t corner = 0; corner < faces_[at(vertex)].size() && vertices.size() < count; ++corner) {
        if (!firstCornerOf(vertex, corner)) {
            continue;
        }
        const Dart start{vertex, corner};
        Dart dart = start;
        do {
            vertices.push_back(dart.from);
            dart = next(dart);
        } while (!(dart == start) && vertices.size() < count);
    }
    return vertices;
}

// Puts `neighbour` just before around_[vertex][index]: the new edge then
// leaves `vertex` inside the face of the dart it pushes along.
void PlaneEmbedding::insert(int vertex, std::size_t index, int neighbour, int face) {
    auto& ring = around_[at(vertex)];
    auto& ringFaces = faces_[at(vertex)];
    ring.insert(ring.begin() + static_cast<std::ptrdiff_t>(index), neighbour);
    ringFaces.insert(ringFaces.begin() + static_cast<std::ptrdiff_t>(index), face);
}

void PlaneEmbedding::relabel(Dart from, Dart until, int face) {
    for (Dart dart = from; !(dart == until); dart = next(dart)) {
        faceOf(dart) = face;
    }
}

int PlaneEmbedding::newFace(int size) {
    faceSize_.push_back(size);
    return static_cast<int>(faceSize_.size()) - 1;
}

// Two pieces joined by an edge: one face of each becomes a single face. Only
// the darts of the smaller of the two are renamed.
void PlaneEmbedding::joinPieces(int u, int v) {
    const auto faceAt = [this](int vertex) { return faces_[at(vertex)].empty() ? -1 : faces_[at(vertex)].front(); };
    const auto sizeOf = [this](int face) { return face < 0 ? 0 : faceSize_[static_cast<std::size_t>(face)]; };
    const int uFace = faceAt(u);
    const int vFace = faceAt(v);
    const bool keepU = sizeOf(uFace) >= sizeOf(vFace);
    int kept = keepU ? uFace : vFace;
    if (kept < 0) {
        kept = newFace(0);
    }
    faceSize_[static_cast<std::size_t>(kept)] = sizeOf(uFace) + sizeOf(vFace) + 2;

    insert(u, 0, v, kept);
    insert(v, 0, u, kept);
    const Dart uv{u, 0};
    const Dart vu{v, 0};
    // Walking from u->v covers v's old face; from v->u, u's old face.
    if (keepU) {
        relabel(uv, vu, kept);
    } else {
        relabel(vu, uv, kept);
    }
    const int joined = root(u);
    parent_[at(joined)] = root(v);
    pieceSize_[at(root(v))] += pieceSize_[at(joined)];
}

// An edge drawn across a face cuts it in two; the shorter part, found by
// walking both at once, gets a new name.
void PlaneEmbedding::splitFace(int u, int v, std::size_t uCorner, std::size_t vCorner) {
    const int face = faces_[at(u)][uCorner];
    insert(u, uCorner, v, face);
    insert(v, vCorner, u, face);
    const Dart uv{u, uCorner};
    const Dart vu{v, vCorner};

    Dart a = next(uv);
    Dart b = next(vu);
    int length = 1;
    while (!(a == uv) && !(b == vu)) {
        a = next(a);
        b = next(b);
        ++length;
    }
    const Dart shorter = a == uv ? uv : vu;
    const int part = newFace(length);
    faceSize_[static_cast<std::size_t>(face)] += 2 - length;
    Dart dart = shorter;
    do {
        faceOf(dart) = part;
        dart = next(dart);
    } while (!(dart == shorter));
}

} // namespace core
