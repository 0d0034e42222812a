#pragma once

#include "platform/backend.h"
#include "platform/geometry.h"
#include "platform/run_loop.h"
#include "platform/window.h"

#include <memory>
#include <optional>

namespace ui {

class Application;

// What the program is told about its own start and end.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching(Application& application) = 0;
    // The player asks the program to end (closes its window): false keeps it running.
    virtual bool applicationShouldTerminate(Application&) { return true; }
    // The window has gone out of sight (minimised or hidden) while the program goes on.
    virtual void applicationWillResignActive(Application&) {}
    // The program may be ended from now on without being told (a browser page
    // hidden or closed): whatever must last is to be kept now.
    virtual void applicationDidEnterBackground(Application&) {}
    // The last call: the program ends when it returns.
    virtual void applicationWillTerminate(Application& application) = 0;
};

// The running program: one window, one run loop, a delegate told of launch and termination.
class Application {
public:
    static constexpr double kFrameInterval = 1.0 / 60;

    Application(Backend& backend, ApplicationDelegate& delegate);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Launches, runs until the back end reports the end, then terminates;
    // answers the exit status.
    int run();

    // The steps of run(), for back ends that drive time themselves, or whose
    // host calls them back (the browser's frame callback).
    void launch();
    // Back ends call this when the player asks the program to end; false: it goes on.
    bool shouldTerminate() { return delegate_.applicationShouldTerminate(*this); }
    void terminate();
    // Runs the tasks that are due and draws the window if anything changed or
    // moves; answers when it needs doing again (none: at the next input).
    std::optional<double> update();
    // Back ends call this when the window goes out of sight.
    void resignActive() { delegate_.applicationWillResignActive(*this); }
    // ... and this when the program may end without another word (a browser
    // page hidden or closed), after resignActive.
    void enterBackground() { delegate_.applicationDidEnterBackground(*this); }

    // Ends the run at the next turn of the loop, as the player's close does once agreed.
    void quit() { quitting_ = true; }
    bool isQuitting() const { return quitting_; }
    // What run() answers: 0 unless something that must be done at the end failed.
    void setExitStatus(int status) { exitStatus_ = status; }
    int exitStatus() const { return exitStatus_; }

    const std::shared_ptr<Window>& window() const { return window_; }
    RunLoop& runLoop() { return loop_; }

private:
    Backend& backend_;
    ApplicationDelegate& delegate_;
    RunLoop loop_;
    std::shared_ptr<Window> window_;
    bool animatedLastTime_ = false; // whether the last update found anything animating
    bool launched_ = false;
    bool terminated_ = false;
    bool quitting_ = false;
    int exitStatus_ = 0;
};

} // namespace ui
