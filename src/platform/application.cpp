#include "platform/application.h"

#include <algorithm>

namespace ui {

Application::Application(Backend& backend, ApplicationDelegate& delegate)
    : backend_(backend), delegate_(delegate), loop_(backend.clock()),
      window_(std::make_shared<Window>(Rect{{0, 0}, backend.screenSize()})) {}

Application::~Application() {
    // Touches still down belong to views that are about to go.
    window_->touches().cancelAll();
}

void Application::launch() {
    if (launched_) return;
    launched_ = true;
    delegate_.applicationDidFinishLaunching(*this);
}

void Application::terminate() {
    if (!launched_ || terminated_) return;
    terminated_ = true;
    delegate_.applicationWillTerminate(*this);
}

int Application::run() {
    launch();
    for (;;) {
        const std::optional<double> deadline = update();
        if (quitting_ || !backend_.waitForInput(deadline, *this) || quitting_) break;
    }
    terminate();
    return exitStatus_;
}

std::optional<double> Application::update() {
    loop_.runDueTasks();
    const bool animating = loop_.isAnimating();
    // Moving views report no changes: each frame of an animation, and the
    // one that shows where it ended, is drawn whole.
    if (animating || animatedLastTime_) window_->setNeedsDisplay();
    animatedLastTime_ = animating;
    if (window_->needsDisplay()) {
        backend_.present(*window_);
        window_->markDisplayed();
    }
    // Nothing to do until the next input, task or animation frame; an idle program does nothing.
    const std::optional<double> deadline = loop_.nextDeadline();
    if (!animating) return deadline;
    return std::min(deadline.value_or(loop_.now() + kFrameInterval), loop_.now() + kFrameInterval);
}

} // namespace ui
