#include "platform/animation.h"

#include "platform/run_loop.h"
#include "platform/view.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace ui {

namespace {

// Every animation's curve: slow in, slow out.
double ease(double t) { return t * t * (3 - 2 * t); }

// A block without duration has ended, not yet begun, at its own instant.
double progress(double start, double end, double now) {
    if (now < start) return 0;
    if (now >= end || end <= start) return 1;
    return (now - start) / (end - start);
}

float mix(float a, float b, double t) { return static_cast<float>(a + (b - a) * t); }
Point mix(Point a, Point b, double t) { return {mix(a.x, b.x, t), mix(a.y, b.y, t)}; }
Size mix(Size a, Size b, double t) { return {mix(a.width, b.width, t), mix(a.height, b.height, t)}; }

struct Change {
    std::weak_ptr<const void> view;
    std::function<void(double, double)> install;
};

struct Block {
    double duration = 0.2;
    double delay = 0;
    AnimationTransition transition = AnimationTransition::None;
    View* transitionView = nullptr;
    std::weak_ptr<const void> transitionViewLiveness;
    AnimationDidStop didStop;
    std::vector<Change> changes;
};

std::vector<Block>& openBlocks() {
    static std::vector<Block> blocks;
    return blocks;
}

// The innermost open block; settings made with none open are ignored.
Block* top() { return openBlocks().empty() ? nullptr : &openBlocks().back(); }

} // namespace

template <class T>
T Tween<T>::at(double now) const {
    return mix(from, to, ease(progress(start, end, now)));
}

template struct Tween<float>;
template struct Tween<Point>;
template struct Tween<Size>;

float Flip::widthFactorAt(double now) const {
    return static_cast<float>(std::abs(std::cos(std::numbers::pi * progress(start, end, now))));
}

void AnimationBlocks::begin() { openBlocks().emplace_back(); }

void AnimationBlocks::setDuration(double seconds) {
    if (Block* block = top()) block->duration = seconds;
}
void AnimationBlocks::setDelay(double seconds) {
    if (Block* block = top()) block->delay = seconds;
}

void AnimationBlocks::setTransition(AnimationTransition transition, View& view) {
    if (Block* block = top()) {
        block->transition = transition;
        block->transitionView = &view;
        block->transitionViewLiveness = view.liveness();
    }
}

void AnimationBlocks::setDidStop(AnimationDidStop didStop) {
    if (Block* block = top()) block->didStop = std::move(didStop);
}

bool AnimationBlocks::isOpen() { return !openBlocks().empty(); }

void AnimationBlocks::record(const View& view, std::function<void(double, double)> install) {
    if (Block* block = top()) block->changes.push_back({view.liveness(), std::move(install)});
}

void AnimationBlocks::commit() {
    if (!top()) return;
    Block block = std::move(*top());
    openBlocks().pop_back();

    RunLoop& loop = RunLoop::current();
    const double start = loop.now() + block.delay;
    const double end = start + block.duration;
    for (const Change& change : block.changes) {
        if (!change.view.expired()) change.install(start, end);
    }
    if (block.transition != AnimationTransition::None && !block.transitionViewLiveness.expired()) {
        block.transitionView->startFlip({block.transition, start, end});
    }
    loop.keepAnimatingUntil(end);
    if (block.didStop) loop.schedule(end, std::move(block.didStop));
}

} // namespace ui
