#include "platform/painter.h"

#include "platform/canvas.h"
#include "platform/view.h"

#include <algorithm>
#include <iterator>

namespace ui {

namespace {

bool covers(const View& sub, const Canvas& canvas) {
    if (canvas.alpha() < 1 || sub.isHidden() || sub.presentationAlpha() < 1 || !sub.isOpaque()) return false;
    if (sub.transform() != Transform::identity() || sub.presentationFlipFactor() != 1) return false;
    return canvas.coversClip(Rect::centeredAt(sub.presentationCenter(), sub.presentationSize()));
}

// With the CTM at the view's bounds: its background, its own drawing, its
// subviews; but nothing beneath an opaque subview that covers the whole clip
// can be seen, so drawing starts at the topmost such subview.
void paintContent(View& view, Canvas& canvas, Rect bounds) {
    // Drawing never changes the tree, but a copy keeps the walk safe regardless.
    const auto subviews = view.subviews();
    const auto cover =
        std::find_if(subviews.rbegin(), subviews.rend(), [&](const auto& sub) { return covers(*sub, canvas); });
    if (cover == subviews.rend()) {
        const auto drawOwn = [&](Canvas& on) {
            if (view.backgroundColor().alpha > 0) on.fillRect(bounds, view.backgroundColor());
            view.drawRect(on, bounds);
        };
        if (view.keepsDrawing())
            canvas.drawKept(&view, view.drawingVersion(), bounds, drawOwn);
        else
            drawOwn(canvas);
    }
    if (view.clipsToBounds()) canvas.clipToRect(bounds);
    for (auto it = cover == subviews.rend() ? subviews.begin() : std::prev(cover.base()); it != subviews.end(); ++it) {
        View* const sub = it->get();
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
