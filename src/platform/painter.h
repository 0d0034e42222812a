#pragma once

namespace ui {

class Canvas;
class View;

// Draws a view tree as it looks at this moment (animations included) onto a
// canvas whose user space is the root's bounds.
void paintTree(View& root, Canvas& canvas);

} // namespace ui
