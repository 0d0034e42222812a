#pragma once

#include "platform/view.h"

namespace ui {

// A window onto content larger than itself, scrolled by dragging. The
// content offset is the origin of its bounds; subviews are laid out in
// content coordinates and clipped to the view.
class ScrollView : public View {
public:
    // How far one notch of the wheel scrolls.
    static constexpr float kWheelLine = 15;

    explicit ScrollView(Rect frame = {});

    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    Point contentOffset() const { return bounds().origin; }
    // Kept within the content: from 0 to content size minus the view's size.
    void setContentOffset(Point offset);

    bool takesOverDraggedTouches() const override;
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;
    void scrollWheel(float lines) override;

protected:
    // The content offset has changed.
    virtual void didScroll() {}

private:
    Size contentSize_;
};

} // namespace ui
