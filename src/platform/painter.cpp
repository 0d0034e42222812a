#include "platform/painter.h"

#include "platform/canvas.h"
#include "platform/view.h"

namespace ui {

namespace {

// With the CTM at the view's bounds: its background, its own drawing, its subviews.
void paintContent(View& view, Canvas& canvas, Rect bounds) {
    if (view.backgroundColor().alpha > 0) canvas.fillRect(bounds, view.backgroundColor());
    view.drawRect(canvas, bounds);
    if (view.clipsToBounds()) canvas.clipToRect(bounds);
    // Drawing never changes the tree, but a copy keeps the walk safe regardless.
    const auto subviews = view.subviews();
    for (const auto& sub : subviews) {
        if (sub->isHidden()) continue;
        const float alpha = sub->presentationAlpha();
        if (alpha <= 0) continue;

        const Point center = sub->presentationCenter();
        const Size size = sub->presentationSize();
        const Point origin = sub->bounds().origin;
        canvas.saveGState();
        canvas.translateCTM(center.x, center.y);
        canvas.rotateCTM(sub->transform());
        canvas.scaleCTM(sub->presentationFlipFactor(), 1);
        canvas.translateCTM(-size.width / 2 - origin.x, -size.height / 2 - origin.y);
        canvas.multiplyAlpha(alpha);
        paintContent(*sub, canvas, {origin, size});
        canvas.restoreGState();
    }
}

} // namespace

void paintTree(View& root, Canvas& canvas) {
    canvas.saveGState();
    paintContent(root, canvas, root.bounds());
    canvas.restoreGState();
}

} // namespace ui
