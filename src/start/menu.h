#pragma once

#include "platform/geometry.h"

#include <memory>
#include <vector>

namespace ui {
class View;
}

namespace widgets {
class UICustomLabel;
}

namespace start {

// Where a menu entry is made, where it rests while shown, and where it waits beyond the edge.
struct MenuEntry {
    const char* text;
    const char* id;
    ui::Rect first;
    ui::Rect in;
    ui::Rect out;
};

// One column of command labels that slides in from beyond the screen's edge
// and out again. Its labels are made once, the first time it is built, and
// afterwards slide from wherever the last slide left them.
class Menu {
public:
    Menu(std::vector<MenuEntry> entries, float fontSize);
    ~Menu();

    // Makes the labels at their first positions, unless they exist, and puts them on top of `screen`.
    void build(ui::View& screen);
    // Moves every label to its in or out frame; inside an animation block, they slide.
    void slide(bool in) const;
    // Whether it shows, or is on its way in.
    bool isIn() const;
    // Back to the first positions, without animation.
    void reset() const;

    const std::vector<std::shared_ptr<widgets::UICustomLabel>>& labels() const { return labels_; }

private:
    std::vector<MenuEntry> entries_;
    float fontSize_;
    std::vector<std::shared_ptr<widgets::UICustomLabel>> labels_;
};

} // namespace start
