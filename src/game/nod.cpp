#include "game/nod.h"

#include "core/board.h"
#include "game/main_view.h"
#include "platform/touch.h"

#include <algorithm>
#include <cmath>

namespace game {

Nod::Nod(std::shared_ptr<const ui::Image> image, int nbrOfLinks) {
    link_.reserve(static_cast<std::size_t>(std::max(nbrOfLinks, 0)));
    setImage(std::move(image));
    // A new board can always be played, whatever ended the last one.
    gameEnded = false;
}

bool Nod::pointInside(ui::Point local) const { return ui::distance(local, bounds().center()) <= bounds().width() / 2; }

void Nod::touchesBegan(const ui::TouchSet& touches, const ui::Event&) {
    if (gameEnded) return;
    startLocation_ = touches.anyObject().locationInView(this);
    if (ui::View* screen = superview()) {
        if (auto* board = dynamic_cast<MainView*>(screen))
            board->startDragging(*this);
        else
            screen->setNeedsDisplay();
        // The dragged circle lies above the others.
        screen->bringSubviewToFront(this);
    }
}

void Nod::touchesMoved(const ui::TouchSet& touches, const ui::Event&) {
    ui::View* screen = superview();
    if (gameEnded || !screen) return;
    const ui::Point loc = touches.anyObject().locationInView(this);
    const ui::Rect f = frame();
    // Circles rest on whole points. There the crossing arithmetic is exact;
    // at fractional points two links of one circle can count as crossing by
    // rounding, and the level could not be won.
    float nx = std::round((loc.x - startLocation_.x) + f.minX());
    float ny = std::round((loc.y - startLocation_.y) + f.minY());

    // Keep the circle in the playing area: right of the heads-up display,
    // and wholly on the board, where a saved game's centres must lie. The
    // right and bottom edges win.
    if (nx <= kLeftEdge) nx = kLeftEdge;
    if (ny <= 0) ny = 0;
    if (nx >= core::kBoardWidth - kSize) nx = core::kBoardWidth - kSize;
    if (ny >= core::kBoardHeight - kSize) ny = core::kBoardHeight - kSize;

    const ui::Point centre{nx + kSize / 2, ny + kSize / 2};
    coord_ = {centre.x, centre.y};
    // The links drawn to this circle change where they lay and where they lie now.
    auto* board = dynamic_cast<MainView*>(screen);
    if (board)
        board->linksNeedDisplay(*this);
    else
        screen->setNeedsDisplay();
    setCenter(centre);
    if (board) board->linksNeedDisplay(*this);
}

void Nod::touchesEnded(const ui::TouchSet&, const ui::Event&) {
    auto* screen = dynamic_cast<MainView*>(superview());
    if (!screen) return;
    screen->stopDragging(*this);
    // Asked on every lift, but the level ends only once.
    screen->endLevelIfOver();
}

void Nod::touchesCancelled(const ui::TouchSet&, const ui::Event&) {
    if (auto* screen = dynamic_cast<MainView*>(superview())) screen->stopDragging(*this);
}

} // namespace game
