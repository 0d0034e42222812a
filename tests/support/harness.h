#pragma once

#include "platform/alert_view.h"
#include "platform/application.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/recording_canvas.h"
#include "platform/painter.h"

#include <memory>
#include <optional>
#include <vector>

namespace testkit {

// The window point at the middle of a view, where a finger taps it.
inline ui::Point middleOf(const ui::View& view) { return view.convertToWindow(view.bounds().center()); }

// Runs an application on the headless back end for a test: virtual time
// that moves only when told, and fingers at window points. Every touch step
// lets a frame of time pass, as a real hand would, so timers and animations
// due meanwhile run in between.
class Harness {
public:
    static constexpr double kStep = 1.0 / 60;

    // An application with an empty window, for showing views directly.
    explicit Harness(ui::Size screen = {320, 480});
    // An application with this delegate, launched.
    explicit Harness(ui::ApplicationDelegate& delegate, ui::Size screen = {320, 480});

    ui::Application& app() { return *app_; }
    ui::HeadlessBackend& backend() { return backend_; }
    ui::Window& window() { return *app_->window(); }
    // Puts a view on the window, on top.
    void show(std::shared_ptr<ui::View> view) { window().addSubview(std::move(view)); }

    double now() const { return backend_.clock().now(); }
    void advance(double seconds) { backend_.advance(app_->runLoop(), seconds); }
    // What a hand does, then a frame of time, as a real hand takes one.
    template <typename Action>
    void act(Action&& action) {
        action();
        advance(kStep);
    }

    // One finger, held down until lifted.
    class Finger {
    public:
        void moveTo(ui::Point p) {
            harness_->act([&] { harness_->window().touches().moved(id_, at_ = p); });
        }
        // Moves in even steps to `p`, a frame apart.
        void slideTo(ui::Point p, int steps = 10);
        void lift() {
            harness_->act([&] { harness_->window().touches().ended(id_, at_); });
        }
        void cancel() {
            harness_->act([&] { harness_->window().touches().cancelled(id_); });
        }
        ui::Point position() const { return at_; }

    private:
        friend class Harness;
        Finger(Harness& harness, int id, ui::Point at) : harness_(&harness), id_(id), at_(at) {}
        Harness* harness_;
        int id_;
        ui::Point at_;
    };
    Finger press(ui::Point p);

    void tap(ui::Point p) { press(p).lift(); }
    void doubleTap(ui::Point p) {
        tap(p);
        tap(p);
    }
    // Down at the first point, through the others, up at the last.
    void drag(const std::vector<ui::Point>& path);
    // Two fingers down together, moving in step along their paths (the
    // shorter one waits at its end), lifted together.
    void dragTogether(const std::vector<ui::Point>& first, const std::vector<ui::Point>& second);
    // A straight path from `from` to `to` in even steps, both ends included.
    static std::vector<ui::Point> path(ui::Point from, ui::Point to, int steps = 10);

    // A key pressed and released.
    void pressKey(ui::Key key) {
        act([&] { window().keyPressed(key); });
    }
    // The mouse pointer, no button down, moved to `p`; none: it left the window.
    void hover(std::optional<ui::Point> p) {
        act([&] { window().movePointer(p); });
    }
    // The mouse wheel turned over `p`, `lines` notches away from the player.
    void turnWheel(ui::Point p, float lines) {
        act([&] { window().turnWheel(p, lines); });
    }

    // Everything the screen shows now.
    ui::RecordingCanvas render() {
        ui::RecordingCanvas canvas;
        ui::paintTree(window(), canvas);
        return canvas;
    }
    // The alert on top of the window, if one shows.
    ui::AlertView* alert();
    // Taps the alert's button and lets the alert close.
    void dismissAlert();

    // The program's end, as when the window is closed.
    void terminate() { app_->terminate(); }
    // The player closes the window: the program ends unless its delegate keeps it running.
    bool closeWindow() {
        if (!app_->shouldTerminate()) return false;
        app_->terminate();
        return true;
    }

private:
    ui::HeadlessBackend backend_;
    std::unique_ptr<ui::Application> app_;
    int nextFinger_ = 1;
};

} // namespace testkit
