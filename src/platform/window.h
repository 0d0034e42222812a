#pragma once

#include "platform/damage.h"
#include "platform/touch.h"
#include "platform/view.h"

#include <memory>
#include <optional>

namespace ui {

// The root of the view tree: the whole screen. Its bounds are window
// coordinates, the space in which back ends report touches. It records
// what has changed on the screen since it was last drawn.
class Window : public View {
public:
    explicit Window(Rect frame);
    ~Window() override;

    void makeKeyAndVisible();
    bool isVisible() const { return visible_; }
    // The window that alerts appear in.
    static Window* keyWindow();

    TouchDispatcher& touches() { return touches_; }
    // Offers the key to the views on the window, the topmost (an alert) first.
    bool keyPressed(Key key) override;
    // Where the mouse pointer is while no button is down; none once it has left or a button went down.
    void movePointer(std::optional<Point> windowPoint);
    // The view the pointer is over, if any.
    View* hoveredView() const { return hoveredLiveness_.expired() ? nullptr : hovered_; }
    // The wheel turned over a window point.
    void turnWheel(Point windowPoint, float lines);

    bool needsDisplay() const { return !damage_.isEmpty(); }
    const Damage& damage() const { return damage_; }
    // How many pixels a point covers where the back end shows the window.
    void setPixelsPerPoint(float pixels) { damage_.setPixelsPerPoint(pixels); }
    void markDisplayed() { damage_.clear(); }

protected:
    void subtreeNeedsDisplay(const std::optional<Rect>& windowRect) override;

private:
    TouchDispatcher touches_{*this};
    View* hovered_ = nullptr;
    std::weak_ptr<const void> hoveredLiveness_;
    bool visible_ = false;
    Damage damage_;
};

} // namespace ui
