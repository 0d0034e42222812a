#include "game/nod.h"

#include "game/main_view.h"
#include "platform/touch.h"

namespace game {

Nod::Nod(std::shared_ptr<const ui::Image> image, std::size_t index) : index_(index) { setImage(std::move(image)); }

bool Nod::pointInside(ui::Point local) const { return ui::distance(local, bounds().center()) <= bounds().width() / 2; }

MainView* Nod::screen() const { return dynamic_cast<MainView*>(superview()); }

void Nod::touchesBegan(const ui::TouchSet& touches, const ui::Event&) {
    if (MainView* board = screen(); board && board->startDragging(*this))
        startLocation_ = touches.anyObject().locationInView(this);
}

void Nod::touchesMoved(const ui::TouchSet& touches, const ui::Event&) {
    // The point of the circle first touched stays under the finger.
    if (MainView* board = screen())
        board->dragCircle(*this, center() + (touches.anyObject().locationInView(this) - startLocation_));
}

void Nod::touchesEnded(const ui::TouchSet&, const ui::Event&) {
    if (MainView* board = screen()) {
        board->stopDragging(*this);
        // Asked on every lift, but the level ends only once.
        board->GameEnded();
    }
}

void Nod::touchesCancelled(const ui::TouchSet&, const ui::Event&) {
    if (MainView* board = screen()) board->stopDragging(*this);
}

} // namespace game
