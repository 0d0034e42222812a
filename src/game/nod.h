#pragma once

#include "platform/image_view.h"

#include <cstddef>
#include <memory>

namespace game {

class MainView;

// One circle of the board as the player sees and touches it: node `index`
// of the game's board, drawn where the game puts it. A finger drags it
// through the game screen, which on every lift asks whether the level is over.
class Nod : public ui::ImageView {
public:
    // The frame stays empty until the board's builder sets it.
    Nod(std::shared_ptr<const ui::Image> image, std::size_t index);

    std::size_t index() const { return index_; }

    // Only the drawn circle, not the corners of its square: a double tap just beside it reaches the board.
    bool pointInside(ui::Point local) const override;
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesEnded(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) override;

private:
    // The game screen it lies on; none once its board has gone.
    MainView* screen() const;

    std::size_t index_;
    ui::Point startLocation_;
};

} // namespace game
