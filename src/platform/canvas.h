#pragma once

#include "platform/font.h"
#include "platform/geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Image;

// Text to draw into a box: one line, centred in the box's height, or lines
// wrapped at the box's width from its top.
struct TextRun {
    std::string text;
    Font font;
    Color color;
    TextAlignment alignment = TextAlignment::Left;
    bool wraps = false;
    bool truncates = false; // one line longer than its box ends in an ellipsis inside it
};

// The drawing calls that views make: a current transform (CTM), alpha and
// clip with save and restore, and a path of lines stroked with the current
// colour and width. Back ends implement the primitives; every primitive is
// given in user space and the back end maps it to the device through ctm().
class Canvas {
public:
    virtual ~Canvas() = default;

    void saveGState() { saved_.push_back(state_); }
    void restoreGState();
    void translateCTM(float dx, float dy);
    void scaleCTM(float sx, float sy);
    void rotateCTM(const Transform& rotation);
    void concatCTM(const Affine& transform);
    // Multiplies the alpha of everything drawn from now on.
    void multiplyAlpha(float alpha) { state_.alpha *= alpha; }
    // Narrows drawing to `rect` (user space) within the current clip.
    void clipToRect(Rect rect);

    const Affine& ctm() const { return state_.ctm; }
    float alpha() const { return state_.alpha; }
    // The device-space box outside which nothing is drawn, if any.
    const std::optional<Rect>& clip() const { return state_.clip; }
    // Whether `rect` (user space) covers the whole clip, all that can still be drawn.
    bool coversClip(Rect rect) const;

    void setRGBStrokeColor(Color color) { state_.strokeColor = color; }
    void setLineWidth(float width) { state_.lineWidth = width; }
    void moveToPoint(Point p);
    void addLineToPoint(Point p);
    void strokePath();

    virtual void fillRect(Rect rect, Color color) = 0;
    // The image's top edge goes to the rect's maxY side (y grows upward):
    // flip the CTM vertically to draw a picture upright on the y-down screen.
    virtual void drawImage(const Image& image, Rect rect) = 0;
    virtual void drawText(const TextRun& text, Rect rect) = 0;
    // Draws what `draw` draws into `bounds` on the canvas it is given. A back
    // end may keep it as a picture for `owner` and draw that instead while
    // `version` stays the same, and on a new version draw again only where the
    // screen was marked changed since its last frame; this one draws it every time.
    virtual void drawKept(const void* owner, std::uint64_t version, Rect bounds,
                          const std::function<void(Canvas&)>& draw);

protected:
    // One stroked polyline, already in device space, with the device line width.
    virtual void strokePolyline(const std::vector<Point>& devicePoints, Color color, float deviceWidth) = 0;
    // The device corners of a user-space rect: top left, top right, bottom left (in user terms).
    struct Quad {
        Point topLeft, topRight, bottomLeft;
        Point bottomRight() const { return topRight + bottomLeft - topLeft; }
        Rect box() const;
        // Whether its sides run along the device's axes.
        bool upright() const {
            return (topLeft.y == topRight.y && topLeft.x == bottomLeft.x) ||
                   (topLeft.x == topRight.x && topLeft.y == bottomLeft.y);
        }
    };
    Quad deviceQuad(Rect rect) const;

private:
    struct State {
        Affine ctm;
        float alpha = 1;
        std::optional<Rect> clip;
        Color strokeColor = Color::black();
        float lineWidth = 1;
    };
    State state_;
    std::vector<State> saved_;
    std::vector<std::vector<Point>> path_;
};

} // namespace ui
