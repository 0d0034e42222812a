#include "core/board.h"

#include <algorithm>
#include <cstddef>

namespace core {

bool Exists(const std::vector<std::int32_t>& list, std::int32_t value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

BoardDescription describe(const Board& board)
{
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

std::string nodeName(std::size_t index)
{
    return "Node " + std::to_string(index);
}

} // namespace

std::optional<std::string> checkNodeCount(int nodeCount)
{
    if (nodeCount < 0) {
        return "The node count " + std::to_string(nodeCount) + " is negative.";
    }
    if (nodeCount > kMaxRebuildNodes) {
        return "The node count " + std::to_string(nodeCount) + " is more than "
            + std::to_string(kMaxRebuildNodes) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> checkDescription(const BoardDescription& description, int nodeCount)
{
    if (auto problem = checkNodeCount(nodeCount)) {
        return problem;
    }
    const auto count = static_cast<std::size_t>(nodeCount);
    const auto tooShort = [&](std::size_t size, const char* what) -> std::optional<std::string> {
        if (size >= count) {
            return std::nullopt;
        }
        return "The board has " + std::to_string(count) + " nodes but only "
            + std::to_string(size) + " " + what + ".";
    };
    if (auto problem = tooShort(description.xNodes.size(), "x coordinates")) {
        return problem;
    }
    if (auto problem = tooShort(description.yNodes.size(), "y coordinates")) {
        return problem;
    }
    if (auto problem = tooShort(description.Links.size(), "link lists")) {
        return problem;
    }
    const auto outside = [](std::int32_t v) { return v < 0 || v > kMaxCoordinate; };
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t x = description.xNodes[i];
        const std::int32_t y = description.yNodes[i];
        if (outside(x) || outside(y)) {
            return nodeName(i) + " lies at (" + std::to_string(x) + ", " + std::to_string(y)
                + "), outside the play area.";
        }
        if (description.Links[i].size() > kMaxLinksPerNode) {
            return nodeName(i) + " has " + std::to_string(description.Links[i].size())
                + " links; a node has at most " + std::to_string(kMaxLinksPerNode) + ".";
        }
        for (const std::int32_t target : description.Links[i]) {
            if (target < 0 || static_cast<std::size_t>(target) >= count) {
                return nodeName(i) + " links to node " + std::to_string(target)
                    + ", which does not exist on a board of " + std::to_string(count) + " nodes.";
            }
            if (static_cast<std::size_t>(target) == i) {
                return nodeName(i) + " links to itself.";
            }
        }
    }
    return std::nullopt;
}

RebuildResult rebuildBoard(const BoardDescription& description, int nodeCount)
{
    if (auto problem = checkDescription(description, nodeCount)) {
        return {std::nullopt, std::move(*problem)};
    }
    Board board(static_cast<std::size_t>(nodeCount));
    for (std::size_t i = 0; i < board.size(); ++i) {
        board[i].coord = {static_cast<float>(description.xNodes[i]),
                          static_cast<float>(description.yNodes[i])};
        board[i].link = description.Links[i];
    }
    return {std::move(board), {}};
}

} // namespace core
