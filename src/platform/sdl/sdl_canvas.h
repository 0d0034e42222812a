#pragma once

#include "platform/canvas.h"
#include "platform/sdl/handles.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/text_cache.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace ui {
class Damage;
class View;
} // namespace ui

namespace ui::sdl {

// A canvas over an SDL renderer, window or software. Every picture and text
// is a textured quad placed by its device corners, so turns, flips and the
// narrowing of a flip animation all come from the CTM alone; alpha rides on
// the vertex colour. Lines have soft edges: bands of their device width
// between two one-pixel ramps, or, on SDL's software renderer, drawn straight
// onto its pixels (see drawSmoothLine).
//
// A window keeps its last frame: only the parts of the screen that changed
// are drawn again, each pixel once, and the whole frame is then copied out.
class SdlCanvas final : public Canvas {
public:
    // `renderer` draws on a window, or on `surface` (a software renderer made for it).
    SdlCanvas(SDL_Renderer* renderer, FontLibrary& fonts, SDL_Surface* surface = nullptr);
    ~SdlCanvas() override;

    // Clears the output and draws the tree as it looks now, turned onto the landscape.
    void paint(View& root, const Landscape& landscape);
    // Brings the kept frame up to date where `damage` says the screen changed
    // (all of it the first time and when the output changes size) and copies
    // it to the output.
    void paintChanges(View& root, const Landscape& landscape, const Damage& damage);

    void fillRect(Rect rect, Color color) override;
    void drawImage(const Image& image, Rect rect) override;
    void drawText(const TextRun& text, Rect rect) override;
    // Kept as a picture of the device pixels that `bounds` covers, made by a
    // software canvas of its own (smooth lines whatever the renderer).
    void drawKept(const void* owner, std::uint64_t version, Rect bounds,
                  const std::function<void(Canvas&)>& draw) override;

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
    // A view's drawing kept as a picture, and what it was drawn from.
    struct Kept {
        std::uint64_t version = 0;
        Affine ctm; // the view's CTM less the whole pixels to the picture's corner
        TexturePtr texture;
        std::uint64_t frame = 0; // the last frame it was drawn in
    };
    // A software canvas drawing on a surface, for kept pictures.
    struct Studio;

    void strokeAsBands(const std::vector<Point>& points, Color color, float width);
    // Brings `kept` up to date, as a picture `width` x `height` of what `draw`
    // draws with the CTM `placed`, within `areas` of it; answers whether it could.
    bool repaint(Kept& kept, int width, int height, const std::vector<SDL_Rect>& areas, const Affine& placed,
                 const std::function<void(Canvas&)>& draw);
    // The pixels a software renderer draws on.
    SDL_Surface* softwareOutput() const;
    void paintTree(View& root, const Landscape& landscape);
    // Calls `draw` once for every part of the output being drawn that it
    // reaches (a device box, or a test of a part), with the renderer clipped to that part.
    template <class Reaches, class Draw>
    void clipped(Reaches reaches, Draw draw);
    template <class Draw>
    void clipped(Rect deviceBox, Draw draw);
    // Whether the changes being drawn lie near a device box, or a line drawn `width` thick:
    // a quick test that spares most primitives the test against every part.
    bool nearChanges(Rect deviceBox) const;
    bool nearChanges(Point from, Point to, float width) const;
    void setClip(const std::optional<SDL_Rect>& clip);
    // Whether textures drawn now need turning to keep their rows across the device (see makeTexture).
    bool texturesTurn() const;
    // Draws a texture onto the device corners that the unturned texture's
    // corners go to; `turned`: the texture is the turned one.
    void drawQuad(SDL_Texture* texture, const Corners& corners, bool turned, float alpha);
    // The image's texture from the file for `resolution` pixels a point, made
    // `width` x `height` pixels before any turn (see drawImage).
    const Picture* picture(const Image& image, bool turned, int resolution, int width, int height);

    SDL_Renderer* renderer_;
    TextCache texts_;
    bool software_;
    SDL_Surface* surface_;
    // By file path, turn, resolution and size.
    std::map<std::tuple<std::string, bool, int, int, int>, Picture> pictures_;
    bool clipKnown_ = false; // whether the renderer's clip is appliedClip_
    std::optional<SDL_Rect> appliedClip_;
    FontLibrary& fonts_;
    std::map<const void*, Kept> kept_;
    std::unique_ptr<Studio> studio_;
    std::uint64_t frames_ = 0;           // frames drawn so far
    TexturePtr frame_;                   // the last frame, unless the output keeps it
    int keptWidth_ = 0, keptHeight_ = 0; // the size of the last frame; none yet when 0
    // While only the changes are drawn: the parts of the output being drawn
    // (empty: all of it), what changed and where the screen lies.
    std::vector<SDL_Rect> parts_;
    const Damage* changes_ = nullptr;
    std::optional<Landscape> landscape_;
    std::vector<SDL_Vertex> vertices_;
    std::vector<int> indices_;
};

} // namespace ui::sdl
