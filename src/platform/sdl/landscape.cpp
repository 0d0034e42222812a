#include "platform/sdl/landscape.h"

#include <algorithm>
#include <cmath>

namespace ui::sdl {

Landscape::Landscape(Size portrait, Size output)
    : portrait_(portrait), output_(output),
      scale_(std::min(output.width / portrait.height, output.height / portrait.width)),
      // Whole-pixel margins keep images and text on the pixel grid.
      margin_{std::floor((output.width - portrait.height * scale_) / 2),
              std::floor((output.height - portrait.width * scale_) / 2)} {}

Affine Landscape::transform() const {
    // x' = (H - y) s + mx, y' = x s + my
    return {0, scale_, -scale_, 0, portrait_.height * scale_ + margin_.x, margin_.y};
}

Point Landscape::toPortrait(Point pixel) const {
    return {(pixel.y - margin_.y) / scale_, portrait_.height - (pixel.x - margin_.x) / scale_};
}

} // namespace ui::sdl
