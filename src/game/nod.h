#pragma once

#include "core/point.h"
#include "platform/image_view.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace game {

// One node of the board as the player sees and touches it: a circle that
// follows a finger within the playing area, redraws the links as it moves
// and, when the finger lifts, asks the game screen whether the level is over.
// One flag shared by every node freezes them all while a level is over.
class Nod : public ui::ImageView {
public:
    // The circle's size, and the left edge of the playing area beside the heads-up display.
    static constexpr float kSize = 30;
    static constexpr float kLeftEdge = 18;

    // The frame stays empty until the board builder sets it.
    Nod(std::shared_ptr<const ui::Image> image, int nbrOfLinks);

    // Freezes (YES) or frees every node.
    static void GameEnded(bool ended) { gameEnded = ended; }
    static bool getGameEnded() { return gameEnded; }

    core::Point getCoord() const { return coord_; }
    void setCoord(core::Point coord) { coord_ = coord; }
    const std::vector<std::int32_t>& getLink() const { return link_; }
    void setLink(std::vector<std::int32_t> link) { link_ = std::move(link); }

    // Only the drawn circle, not the corners of its square: a double tap just beside it reaches the board.
    bool pointInside(ui::Point local) const override;
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesEnded(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) override;

private:
    static inline bool gameEnded = false;

    core::Point coord_;
    std::vector<std::int32_t> link_;
    ui::Point startLocation_;
};

} // namespace game
