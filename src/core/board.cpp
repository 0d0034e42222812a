#include "core/board.h"

#include <algorithm>
#include <cstddef>

namespace core {

bool Exists(const std::vector<std::int32_t>& list, std::int32_t value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

BoardDescription describe(const Board& board) {
    BoardDescription description;
    for (const Node& node : board) {
        // The conversion truncates toward zero, as the saved format wants.
        description.xNodes.push_back(static_cast<std::int32_t>(node.coord.x));
        description.yNodes.push_back(static_cast<std::int32_t>(node.coord.y));
        description.Links.push_back(node.link);
    }
    return description;
}

namespace {

std::string nodeName(std::size_t index) { return "Node " + std::to_string(index); }

} // namespace

Result<> checkNodeCount(int nodeCount) {
    if (nodeCount < 0) {
        return Failure{"The node count " + std::to_string(nodeCount) + " is negative."};
    }
    if (nodeCount > kMaxNodes) {
        return Failure{"The node count " + std::to_string(nodeCount) + " is more than " + std::to_string(kMaxNodes) +
                       "."};
    }
    return {};
}

Result<> checkDescription(const BoardDescription& description, int nodeCount) {
    if (auto counted = checkNodeCount(nodeCount); !counted) {
        return counted;
    }
    const auto count = static_cast<std::size_t>(nodeCount);
    const auto tooShort = [&](std::size_t size, const char* what) -> Result<> {
        if (size >= count) {
            return {};
        }
        return Failure{"The board has " + std::to_string(count) + " nodes but only " + std::to_string(size) + " " +
                       what + "."};
    };
    if (auto listed = tooShort(description.xNodes.size(), "x coordinates"); !listed) {
        return listed;
    }
    if (auto listed = tooShort(description.yNodes.size(), "y coordinates"); !listed) {
        return listed;
    }
    if (auto listed = tooShort(description.Links.size(), "link lists"); !listed) {
        return listed;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t x = description.xNodes[i];
        const std::int32_t y = description.yNodes[i];
        if (x < 0 || x > kBoardWidth || y < 0 || y > kBoardHeight) {
            return Failure{nodeName(i) + " lies at (" + std::to_string(x) + ", " + std::to_string(y) +
                           "), off the board of " + std::to_string(kBoardWidth) + " x " + std::to_string(kBoardHeight) +
                           " points."};
        }
        if (description.Links[i].size() > kMaxLinksPerNode) {
            return Failure{nodeName(i) + " has " + std::to_string(description.Links[i].size()) +
                           " links; a node has at most " + std::to_string(kMaxLinksPerNode) + "."};
        }
        for (const std::int32_t target : description.Links[i]) {
            if (target < 0 || static_cast<std::size_t>(target) >= count) {
                return Failure{nodeName(i) + " links to node " + std::to_string(target) +
                               ", which does not exist on a board of " + std::to_string(count) + " nodes."};
            }
            if (static_cast<std::size_t>(target) == i) {
                return Failure{nodeName(i) + " links to itself."};
            }
        }
    }
    return {};
}

Result<Board> rebuildBoard(const BoardDescription& description, int nodeCount) {
    if (auto checked = checkDescription(description, nodeCount); !checked) {
        return Failure{checked.reason()};
    }
    Board board(static_cast<std::size_t>(nodeCount));
    for (std::size_t i = 0; i < board.size(); ++i) {
        board[i].coord = {static_cast<float>(description.xNodes[i]), static_cast<float>(description.yNodes[i])};
        board[i].link = description.Links[i];
    }
    return board;
}

} // namespace core
