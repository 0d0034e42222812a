#include "support/harness.h"

#include "platform/image.h"
#include "platform/painter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace testkit {

namespace {

// Misuse fails the test instead of asserting: asserts are compiled out of
// the default build, and a crash would take every later test down with it.
bool expect(bool condition, const char* what) {
    if (!condition) ADD_FAILURE() << "harness misused: " << what;
    return condition;
}

class EmptyDelegate final : public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application& app) override { app.window()->makeKeyAndVisible(); }
    void applicationWillTerminate(ui::Application&) override {}
};

} // namespace

Harness::Harness(ui::Size screen) : backend_(screen), ownDelegate_(std::make_unique<EmptyDelegate>()) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    app_ = std::make_unique<ui::Application>(backend_, *ownDelegate_);
    app_->launch();
}

Harness::Harness(ui::ApplicationDelegate& delegate, ui::Size screen) : backend_(screen) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    app_ = std::make_unique<ui::Application>(backend_, delegate);
    app_->launch();
}

Harness::~Harness() = default;

void Harness::show(std::shared_ptr<ui::View> view) { window().addSubview(std::move(view)); }

void Harness::advance(double seconds) { backend_.advance(app_->runLoop(), seconds); }

Harness::Finger Harness::press(ui::Point p) {
    Finger finger(*this, nextFinger_++, p);
    window().touches().began(finger.id_, p);
    advance(kStep);
    return finger;
}

void Harness::Finger::moveTo(ui::Point p) {
    if (!expect(down_, "moving a lifted finger")) return;
    at_ = p;
    harness_->window().touches().moved(id_, p);
    harness_->advance(kStep);
}

void Harness::Finger::slideTo(ui::Point p, int steps) {
    const auto points = path(at_, p, steps);
    for (std::size_t i = 1; i < points.size(); ++i) moveTo(points[i]);
}

void Harness::Finger::lift() {
    if (!expect(down_, "lifting a lifted finger")) return;
    down_ = false;
    harness_->window().touches().ended(id_, at_);
    harness_->advance(kStep);
}

void Harness::Finger::cancel() {
    if (!expect(down_, "cancelling a lifted finger")) return;
    down_ = false;
    harness_->window().touches().cancelled(id_);
    harness_->advance(kStep);
}

void Harness::tap(ui::Point p) { press(p).lift(); }

void Harness::doubleTap(ui::Point p) {
    tap(p);
    tap(p);
}

void Harness::drag(const std::vector<ui::Point>& points) {
    if (!expect(!points.empty(), "dragging along an empty path")) return;
    Finger finger = press(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) finger.moveTo(points[i]);
    finger.lift();
}

void Harness::dragTogether(const std::vector<ui::Point>& first, const std::vector<ui::Point>& second) {
    if (!expect(!first.empty() && !second.empty(), "dragging along an empty path")) return;
    const int a = nextFinger_++, b = nextFinger_++;
    auto& touches = window().touches();
    touches.began(a, first.front());
    touches.began(b, second.front());
    advance(kStep);
    const std::size_t steps = std::max(first.size(), second.size());
    for (std::size_t i = 1; i < steps; ++i) {
        if (i < first.size()) touches.moved(a, first[i]);
        if (i < second.size()) touches.moved(b, second[i]);
        advance(kStep);
    }
    touches.ended(a, first.back());
    touches.ended(b, second.back());
    advance(kStep);
}

void Harness::pressKey(ui::Key key) {
    window().keyPressed(key);
    advance(kStep);
}

void Harness::hover(std::optional<ui::Point> p) {
    window().movePointer(p);
    advance(kStep);
}

void Harness::turnWheel(ui::Point p, float lines) {
    window().turnWheel(p, lines);
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

ui::RecordingCanvas Harness::render() {
    ui::RecordingCanvas canvas;
    ui::paintTree(window(), canvas);
    return canvas;
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
    if (!expect(shown != nullptr, "no alert to dismiss")) return;
    const ui::View& button = shown->button();
    tap(middleOf(button));
    advance(ui::AlertView::kClosing);
}

void Harness::terminate() { app_->terminate(); }

} // namespace testkit
