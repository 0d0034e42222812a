#pragma once

#include "platform/clock.h"
#include "platform/geometry.h"

#include <filesystem>
#include <optional>

namespace ui {

class Application;
class Window;

// What a back end gives the toolkit: a clock, a screen and its input, and
// the sizes of picture files. The toolkit itself knows no platform; a new
// back end implements these and touches nothing else.
class Backend {
public:
    Backend();
    virtual ~Backend();
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    // The back end of the running program (the last one made and still alive).
    static const Backend& current();

    virtual const Clock& clock() const = 0;
    // The portrait screen, in points.
    virtual Size screenSize() const = 0;
    // Waits for input until `deadline` (none: until some arrives) and hands
    // it to the application's window. False once the program has been asked to end.
    virtual bool waitForInput(std::optional<double> deadline, Application& application) = 0;
    // Puts the window's current look on the screen.
    virtual void present(Window& window) = 0;
    // The size of the picture in `file`, in pixels; none when it cannot be
    // read, which the back end tells on standard error.
    virtual std::optional<Size> imageSize(const std::filesystem::path& file) const = 0;
};

} // namespace ui
