#pragma once

#include "platform/geometry.h"

#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace ui {

class View;

enum class AnimationTransition { None = 0, FlipFromLeft = 1, FlipFromRight = 2 };

// Runs after an animation block has stopped.
using AnimationDidStop = std::function<void()>;

// A value on its way from one end to the other, as drawn: it holds `from`
// until `start`, eases to `to` by `end`, and holds `to` afterwards.
template <class T>
struct Tween {
    // The times of a change recorded in a block that is not committed yet:
    // until then it is drawn at `from`.
    static constexpr double kPending = std::numeric_limits<double>::infinity();

    T from;
    T to;
    double start;
    double end;

    T at(double now) const;
    bool isPending() const { return start == kPending; }
};

// A flip of a view's content over [start, end]: drawn as the view narrowing
// to its centre line and widening again.
struct Flip {
    AnimationTransition transition;
    double start;
    double end;

    // Width factor from 1 down to 0 at half time and back to 1.
    float widthFactorAt(double now) const;
};

// The stack of open animation blocks. Views report their animatable changes
// here while a block is open; committing a block gives each change its
// timing on the current run loop and schedules the block's stop.
class AnimationBlocks {
public:
    static void begin();
    static void setDuration(double seconds);
    static void setDelay(double seconds);
    static void setTransition(AnimationTransition transition, View& view);
    static void setDidStop(AnimationDidStop didStop);
    static void commit();

    static bool isOpen();
    // Called by a view when an animatable value changes inside an open block:
    // `install` receives the block's start and end times at commit. A view
    // that is gone by then is skipped.
    static void record(const View& view, std::function<void(double start, double end)> install);
};

} // namespace ui
