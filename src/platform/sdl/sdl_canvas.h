#pragma once

#include "platform/canvas.h"
#include "platform/sdl/handles.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/text_cache.h"

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace ui {
class View;
}

namespace ui::sdl {

// A canvas over an SDL renderer, window or software. Every picture and text
// is a textured quad placed by its device corners, so turns, flips and the
// narrowing of a flip animation all come from the CTM alone; alpha rides on
// the vertex colour. Lines are bands of their device width with soft edges,
// except on SDL's software renderer, which fills a triangle by visiting its
// whole bounding box, so that a long slanted band costs the area of its box:
// there a line is drawn as one-pixel runs side by side.
class SdlCanvas final : public Canvas {
public:
    SdlCanvas(SDL_Renderer* renderer, FontLibrary& fonts);

    // Clears the output and draws the tree as it looks now, turned onto the landscape.
    void paint(View& root, const Landscape& landscape);

    void fillRect(Rect rect, Color color) override;
    void drawImage(const Image& image, Rect rect) override;
    void drawText(const TextRun& text, Rect rect) override;

    const TextCache& texts() const { return texts_; }

protected:
    void strokePolyline(const std::vector<Point>& devicePoints, Color color, float deviceWidth) override;

private:
    struct Picture {
        TexturePtr texture;
        bool opaque = false;
    };
    struct Corners {
        Point topLeft, topRight, bottomLeft, bottomRight;
    };

    void strokeAsBands(const std::vector<Point>& points, Color color, float width);
    void strokeAsRuns(const std::vector<Point>& points, Color color, float width);
    // Sets the renderer's clip to the canvas's; false when nothing can show.
    bool applyClip();
    // Whether textures drawn now need turning to keep their rows across the device (see makeTexture).
    bool texturesTurn() const;
    // Draws a texture onto the device corners that the unturned texture's
    // corners go to; `turned`: the texture is the turned one.
    void drawQuad(SDL_Texture* texture, const Corners& corners, bool turned, float alpha);
    // The image's texture at `resolution` pixels a point (see drawImage).
    const Picture* picture(const Image& image, bool turned, int resolution);

    SDL_Renderer* renderer_;
    TextCache texts_;
    bool linesAsRuns_;
    std::map<std::tuple<std::string, bool, int>, Picture> pictures_; // by file path, turn and resolution
    bool clipKnown_ = false; // whether the renderer's clip is appliedClip_
    std::optional<Rect> appliedClip_;
    std::vector<SDL_Vertex> vertices_;
    std::vector<int> indices_;
};

} // namespace ui::sdl
