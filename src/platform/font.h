#pragma once

#include <string>

namespace ui {

// A font by the name the screens use ("Trebuchet MS", "Helvetica-Bold", ...)
// and its size in points. Back ends map the name to an installed font.
struct Font {
    std::string name = "Helvetica";
    float size = 17;

    friend bool operator==(const Font&, const Font&) = default;
};

enum class TextAlignment { Left, Center, Right };

} // namespace ui
