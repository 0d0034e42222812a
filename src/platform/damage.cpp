#include "platform/damage.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

int tiles(float length) { return std::max(1, static_cast<int>(std::ceil(length / Damage::kTile))); }

} // namespace

Damage::Damage(Size screen)
    : columns_(tiles(screen.width)), rows_(tiles(screen.height)), screen_(screen),
      tiles_(static_cast<std::size_t>(columns_ * rows_)) {}

Damage::Span Damage::span(Rect rect) const {
    // A pixel the rectangle's edge passes through may be shared with the next
    // tile, and soft edges reach half a pixel past what was drawn: the margin
    // keeps every touched pixel inside the damage.
    const auto tile = [&](float at, float margin, int count) {
        return std::clamp((at + margin) / kTile, -1.f, static_cast<float>(count));
    };
    const auto first = [&](float at, int count) {
        return std::max(0, static_cast<int>(std::floor(tile(at, -margin_, count))));
    };
    const auto last = [&](float at, int count) {
        return std::min(count - 1, static_cast<int>(std::floor(tile(at, margin_, count))));
    };
    return {first(rect.minX(), columns_), last(rect.maxX(), columns_), first(rect.minY(), rows_),
            last(rect.maxY(), rows_)};
}

void Damage::add(Rect rect) {
    if (all_) return;
    // A place that is not a number: play safe.
    if (!std::isfinite(rect.minX()) || !std::isfinite(rect.minY()) || !(rect.width() >= 0 && rect.height() >= 0)) {
        addAll();
        return;
    }
    const Span s = span(rect);
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) tiles_[static_cast<std::size_t>(y * columns_ + x)] = true;
    }
    any_ = any_ || (s.x0 <= s.x1 && s.y0 <= s.y1);
}

bool Damage::touches(Rect rect) const {
    if (all_) return true;
    if (!any_) return false;
    if (!std::isfinite(rect.minX()) || !std::isfinite(rect.minY()) || !(rect.width() >= 0 && rect.height() >= 0)) {
        return true;
    }
    const Span s = span(rect);
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            if (tiles_[static_cast<std::size_t>(y * columns_ + x)]) return true;
        }
    }
    return false;
}

void Damage::clear() {
    all_ = false;
    any_ = false;
    std::fill(tiles_.begin(), tiles_.end(), false);
}

std::vector<Rect> Damage::rects() const {
    if (all_) return {{{0, 0}, screen_}};
    std::vector<Rect> done;
    if (!any_) return done;
    // A run of tiles [x0, x1) open since row `top`; runs of the next row that
    // match one exactly extend it downwards.
    struct Run {
        int x0, x1, top;
    };
    const auto close = [&](const Run& run, int bottom) {
        const float x = static_cast<float>(run.x0) * kTile, y = static_cast<float>(run.top) * kTile;
        done.push_back({x, y, std::min(static_cast<float>(run.x1) * kTile, screen_.width) - x,
                        std::min(static_cast<float>(bottom) * kTile, screen_.height) - y});
    };
    std::vector<Run> open, next;
    for (int y = 0; y <= rows_; ++y) {
        next.clear();
        for (int x = 0; y < rows_ && x < columns_;) {
            if (!tiles_[static_cast<std::size_t>(y * columns_ + x)]) {
                ++x;
                continue;
            }
            int end = x;
            while (end < columns_ && tiles_[static_cast<std::size_t>(y * columns_ + end)]) ++end;
            auto same = std::find_if(open.begin(), open.end(), [&](const Run& r) { return r.x0 == x && r.x1 == end; });
            next.push_back({x, end, same == open.end() ? y : same->top});
            if (same != open.end()) open.erase(same);
            x = end;
        }
        for (const Run& run : open) close(run, y);
        open.swap(next);
    }
    return done;
}

} // namespace ui
