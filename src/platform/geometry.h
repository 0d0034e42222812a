#pragma once

#include <cmath>

namespace ui {

// Screen points, origin top left, y growing downwards.
struct Point {
    float x = 0;
    float y = 0;

    friend bool operator==(Point, Point) = default;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
};

inline float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

struct Size {
    float width = 0;
    float height = 0;

    friend bool operator==(Size, Size) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s) : origin(o), size(s) {}
    constexpr Rect(float x, float y, float width, float height) : origin{x, y}, size{width, height} {}

    float minX() const { return origin.x; }
    float minY() const { return origin.y; }
    float maxX() const { return origin.x + size.width; }
    float maxY() const { return origin.y + size.height; }
    float width() const { return size.width; }
    float height() const { return size.height; }
    Point center() const { return {origin.x + size.width / 2, origin.y + size.height / 2}; }
    bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }

    static Rect centeredAt(Point c, Size s) { return {c.x - s.width / 2, c.y - s.height / 2, s.width, s.height}; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Components from 0 to 1.
struct Color {
    float red = 0;
    float green = 0;
    float blue = 0;
    float alpha = 0;

    static constexpr Color clear() { return {0, 0, 0, 0}; }
    static constexpr Color white() { return {1, 1, 1, 1}; }
    static constexpr Color black() { return {0, 0, 0, 1}; }

    friend bool operator==(const Color&, const Color&) = default;
};

// The turn given to every text on the portrait screen, a quarter turn
// counter-clockwise, so that the game reads in landscape.
inline constexpr float kLandscapeTurn = -1.5707964f;

// A view's transform: a rotation about its centre. Positive angles turn
// clockwise on the y-down screen, so -pi/2 is a quarter turn counter-clockwise.
struct Transform {
    float angle = 0;

    static Transform identity() { return {}; }
    static Transform rotation(float radians) { return {radians}; }

    bool isIdentity() const { return angle == 0; }
    // Cosine and sine, exact at quarter turns so that turned boxes keep whole sizes.
    float cos() const { return snap(std::cos(angle)); }
    float sin() const { return snap(std::sin(angle)); }
    Point apply(Point v) const { return {v.x * cos() - v.y * sin(), v.x * sin() + v.y * cos()}; }
    Point applyInverse(Point v) const { return {v.x * cos() + v.y * sin(), -v.x * sin() + v.y * cos()}; }
    // The size of the box that holds a box of the given size once turned.
    Size boxOf(Size s) const {
        return {std::abs(s.width * cos()) + std::abs(s.height * sin()),
                std::abs(s.width * sin()) + std::abs(s.height * cos())};
    }
    bool swapsAxes() const { return cos() == 0; }

    friend bool operator==(const Transform&, const Transform&) = default;

private:
    static float snap(float v) {
        if (std::abs(v) < 1e-6f) return 0;
        if (std::abs(v - 1) < 1e-6f) return 1;
        if (std::abs(v + 1) < 1e-6f) return -1;
        return v;
    }
};

// A 2-D affine map: x' = a x + c y + tx, y' = b x + d y + ty.
struct Affine {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    friend bool operator==(const Affine&, const Affine&) = default;

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // This map applied after first doing `inner`.
    Affine after(const Affine& inner) const {
        return {a * inner.a + c * inner.b, b * inner.a + d * inner.b,        a * inner.c + c * inner.d,
                b * inner.c + d * inner.d, a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty};
    }
    static Affine translation(float x, float y) { return {1, 0, 0, 1, x, y}; }
    static Affine scaling(float sx, float sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine rotation(const Transform& t) { return {t.cos(), t.sin(), -t.sin(), t.cos(), 0, 0}; }
};

} // namespace ui
