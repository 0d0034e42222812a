#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace ui {

// A canvas that keeps a list of what was drawn, in device (window) points,
// so that tests can read it. What the clip hides entirely is not drawn and so
// not listed; what shows in part is listed whole.
class RecordingCanvas final : public Canvas {
public:
    struct DrawnImage {
        std::string name;
        Rect box;     // device box the picture covers
        bool upright; // its top edge is above its bottom edge on the screen
        float alpha;
    };
    struct DrawnText {
        std::string text;
        Font font;
        Color color;
        TextAlignment alignment;
        Rect box;
        float turn; // direction the text runs, in radians from the +x axis of the screen
        float alpha;
    };
    struct DrawnLine {
        Point from;
        Point to;
        Color color;
        float width;
    };
    struct FilledRect {
        Rect box;
        Color color;
    };

    const std::vector<DrawnImage>& images() const { return images_; }
    const std::vector<DrawnText>& texts() const { return texts_; }
    const std::vector<DrawnLine>& lines() const { return lines_; }
    const std::vector<FilledRect>& fills() const { return fills_; }
    // The texts drawn, in drawing order.
    std::vector<std::string> textStrings() const;

    void fillRect(Rect rect, Color color) override;
    void drawImage(const Image& image, Rect rect) override;
    void drawText(const TextRun& text, Rect rect) override;

protected:
    void strokePolyline(const std::vector<Point>& devicePoints, Color color, float deviceWidth) override;

private:
    bool showsBox(const Rect& deviceBox) const;
    bool showsSegment(Point from, Point to) const;

    std::vector<DrawnImage> images_;
    std::vector<DrawnText> texts_;
    std::vector<DrawnLine> lines_;
    std::vector<FilledRect> fills_;
};

} // namespace ui
