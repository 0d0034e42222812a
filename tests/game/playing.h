#pragma once

#include "core/board.h"
#include "game/main_view.h"
#include "game/nod.h"
#include "support/harness.h"
#include "support/solver.h"

#include <gtest/gtest.h>

namespace testkit {

// The game screen's board as it stands.
inline core::Board boardOf(const game::MainView& screen) {
    core::Board b;
    for (const auto& nod : screen.collection()) b.push_back({nod->getCoord(), nod->getLink()});
    return b;
}

// Drags a node by a point of it that no other view covers, so that its centre ends exactly at `target`.
inline void dragNodeTo(Harness& h, const game::MainView& screen, std::size_t node, ui::Point target) {
    const auto& nod = screen.collection().at(node);
    const ui::Rect f = nod->frame();
    for (float dy : {0.f, -10.f, 10.f, -14.f, 14.f}) {
        for (float dx : {0.f, -10.f, 10.f, -14.f, 14.f}) {
            const ui::Point grab{f.center().x + dx, f.center().y + dy};
            if (h.window().hitTest(grab) != nod.get()) continue;
            const ui::Point centre = nod->center();
            const ui::Point drop{grab.x + target.x - centre.x, grab.y + target.y - centre.y};
            h.drag(Harness::path(grab, drop, 8));
            return;
        }
    }
    FAIL() << "node " << node << " is covered everywhere";
}

// Moves circles to a crossing-free layout by dragging them there, until the level ends.
inline void solveByDragging(Harness& h, const game::MainView& screen) {
    const auto layout = solveLayout(boardOf(screen), kGamePlayArea);
    for (std::size_t i = 0; i < layout.size() && !game::Nod::getGameEnded(); ++i) {
        dragNodeTo(h, screen, i, {layout[i].x, layout[i].y});
    }
}

} // namespace testkit
