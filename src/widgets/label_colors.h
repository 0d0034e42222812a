#pragma once

#include "platform/geometry.h"

namespace widgets {

// The colours of command labels.
inline constexpr ui::Color kNormalText{0.06f, 0.06f, 0.06f, 1};
inline constexpr ui::Color kBackEntryGrey{0.44f, 0.44f, 0.44f, 1};
inline constexpr ui::Color kInertText{0.4f, 0.4f, 0.4f, 1};
// A label under a finger, and titles.
inline constexpr ui::Color kHighlight{0.3f, 0.55f, 0.14f, 1};

} // namespace widgets
