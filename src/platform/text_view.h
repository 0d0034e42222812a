#pragma once

#include "platform/label.h"

namespace ui {

// A block of text wrapped at the view's width, from its top, inset a little from its edges.
class TextView : public Label {
public:
    static constexpr float kInset = 8;

    explicit TextView(Rect frame = {});

    void drawRect(Canvas& canvas, Rect rect) override;
};

} // namespace ui
