#pragma once

#include "platform/geometry.h"

namespace ui::sdl {

// Where the portrait screen lies on a landscape output of pixels: turned a
// quarter clockwise, scaled as large as fits and centred, so that a portrait
// point (x, y) lands at ((H - y) * scale, x * scale) plus the margins left
// when the output's shape differs from the screen's.
class Landscape {
public:
    // `portrait` in points (W x H), `output` in pixels.
    Landscape(Size portrait, Size output);

    Size portrait() const { return portrait_; }
    Size output() const { return output_; }
    // Pixels per point.
    float scale() const { return scale_; }
    // The pixels the screen covers, between the margins.
    Rect screen() const { return {margin_, {portrait_.height * scale_, portrait_.width * scale_}}; }
    // The portrait-to-pixel map.
    Affine transform() const;
    Point toPixels(Point portrait) const { return transform().apply(portrait); }
    Point toPortrait(Point pixel) const;

private:
    Size portrait_;
    Size output_;
    float scale_;
    Point margin_;
};

} // namespace ui::sdl
