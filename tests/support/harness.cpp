#include "support/harness.h"

#include "platform/image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace testkit {

namespace {

class EmptyDelegate final : public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application& app) override { app.window()->makeKeyAndVisible(); }
    void applicationWillTerminate(ui::Application&) override {}
} emptyDelegate;

} // namespace

Harness::Harness(ui::Size screen) : Harness(emptyDelegate, screen) {}

Harness::Harness(ui::ApplicationDelegate& delegate, ui::Size screen) : backend_(screen) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    app_ = std::make_unique<ui::Application>(backend_, delegate);
    app_->launch();
}

Harness::Finger Harness::press(ui::Point p) {
    Finger finger(*this, nextFinger_++, p);
    window().touches().began(finger.id_, p);
    advance(kStep);
    return finger;
}

void Harness::Finger::slideTo(ui::Point p, int steps) {
    const auto points = path(at_, p, steps);
    std::for_each(points.begin() + 1, points.end(), [this](ui::Point q) { moveTo(q); });
}

void Harness::drag(const std::vector<ui::Point>& points) {
    Finger finger = press(points.front());
    std::for_each(points.begin() + 1, points.end(), [&](ui::Point p) { finger.moveTo(p); });
    finger.lift();
}

void Harness::dragTogether(const std::vector<ui::Point>& first, const std::vector<ui::Point>& second) {
    const int a = nextFinger_++, b = nextFinger_++;
    auto& touches = window().touches();
    for (std::size_t i = 0; i < std::max(first.size(), second.size()); ++i) {
        const auto step = [&](int id, const std::vector<ui::Point>& path) {
            if (i == 0)
                touches.began(id, path.front());
            else if (i < path.size())
                touches.moved(id, path[i]);
        };
        step(a, first);
        step(b, second);
        advance(kStep);
    }
    touches.ended(a, first.back());
    touches.ended(b, second.back());
    advance(kStep);
}

std::vector<ui::Point> Harness::path(ui::Point from, ui::Point to, int steps) {
    std::vector<ui::Point> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        points.push_back({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    return points;
}

ui::AlertView* Harness::alert() {
    const auto& subviews = window().subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (auto* alert = dynamic_cast<ui::AlertView*>(it->get())) return alert;
    }
    return nullptr;
}

void Harness::dismissAlert() {
    ui::AlertView* shown = alert();
    ASSERT_NE(shown, nullptr) << "no alert to dismiss";
    tap(middleOf(shown->button()));
    advance(ui::AlertView::kClosing);
}

} // namespace testkit
