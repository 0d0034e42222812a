#pragma once

#include "core/board.h"
#include "game/main_view.h"
#include "game/nod.h"
#include "support/harness.h"
#include "support/solver.h"

#include <gtest/gtest.h>

namespace testkit {

// The game screen's board as it stands.
inline const core::Board& boardOf(const game::MainView& screen) { return screen.game().board(); }

// Drags a node by a point of it that no other view covers, so that its centre ends exactly at `target`.
inline void dragNodeTo(Harness& h, const game::MainView& screen, std::size_t node, ui::Point target) {
    const auto& nod = screen.collection().at(node);
    const ui::Point centre = nod->center();
    for (const float dy : {0.f, -10.f, 10.f, -14.f, 14.f}) {
        for (const float dx : {0.f, -10.f, 10.f, -14.f, 14.f}) {
            const ui::Point grab{centre.x + dx, centre.y + dy};
            if (h.window().hitTest(grab) != nod.get()) continue;
            return h.drag(Harness::path(grab, {grab.x + target.x - centre.x, grab.y + target.y - centre.y}, 8));
        }
    }
    FAIL() << "node " << node << " is covered everywhere";
}

// Moves circles to a crossing-free layout by dragging them there, until the level ends.
inline void solveByDragging(Harness& h, const game::MainView& screen) {
    const auto layout = solveLayout(boardOf(screen), core::kDragArea);
    for (std::size_t i = 0; i < layout.size() && screen.game().isLevelInPlay(); ++i) {
        dragNodeTo(h, screen, i, {layout[i].x, layout[i].y});
    }
}

} // namespace testkit
