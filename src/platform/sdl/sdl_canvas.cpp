#include "platform/sdl/sdl_canvas.h"

#include "platform/damage.h"
#include "platform/image.h"
#include "platform/painter.h"
#include "platform/sdl/colour.h"
#include "platform/sdl/smooth_line.h"
#include "platform/sdl/textures.h"
#include "platform/view.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace ui::sdl {

namespace {

SDL_Vertex vertex(Point p, SDL_Color color, float u = 0, float v = 0) { return {{p.x, p.y}, color, {u, v}}; }

Point scaled(Point v, float factor) { return {v.x * factor, v.y * factor}; }

Point whole(Point p) { return {std::round(p.x), std::round(p.y)}; }

// A quad's two triangles, top left, top right, bottom left, bottom right, split
// along the diagonal as SDL's software renderer expects in order to copy an
// upright rectangle as a rectangle instead of filling two triangles.
constexpr int kQuad[] = {0, 1, 3, 0, 3, 2};

bool isSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

} // namespace

struct SdlCanvas::Studio {
    SurfacePtr surface;
    RendererPtr renderer;
    std::unique_ptr<SdlCanvas> canvas;
};

SdlCanvas::SdlCanvas(SDL_Renderer* renderer, FontLibrary& fonts, SDL_Surface* surface)
    : renderer_(renderer), texts_(renderer, fonts), software_(isSoftware(renderer)), surface_(surface), fonts_(fonts) {
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void SdlCanvas::paint(View& root, const Landscape& landscape) {
    SDL_RenderSetClipRect(renderer_, nullptr);
    clipKnown_ = false;
    // The tree covers the screen (the window is black), so only the margins
    // around it are cleared; on their inner edges they reach into pixels the
    // screen covers in part, which the tree then draws over.
    const Rect screen = landscape.screen();
    const int left = static_cast<int>(std::ceil(screen.minX())), right = static_cast<int>(screen.maxX());
    const int top = static_cast<int>(std::ceil(screen.minY())), bottom = static_cast<int>(screen.maxY());
    const int width = static_cast<int>(landscape.output().width), height = static_cast<int>(landscape.output().height);
    const SDL_Rect margins[] = {{0, 0, left, height},
                                {right, 0, width - right, height},
                                {0, 0, width, top},
                                {0, bottom, width, height - bottom}};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    for (const SDL_Rect& margin : margins) {
        if (margin.w > 0 && margin.h > 0) SDL_RenderFillRect(renderer_, &margin);
    }
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    paintTree(root, landscape);
    // Pictures of views no longer drawn go.
    std::erase_if(kept_, [&](const auto& entry) { return entry.second.frame != frames_; });
}

SdlCanvas::~SdlCanvas() = default;

void SdlCanvas::paintChanges(View& root, const Landscape& landscape, const Damage& damage) {
    const int width = static_cast<int>(landscape.output().width), height = static_cast<int>(landscape.output().height);
    // A software renderer's output keeps what was drawn on it; any other
    // keeps its frame in a texture of ours, copied out each time.
    const bool ownFrame = !software_;
    if (ownFrame && !SDL_RenderTargetSupported(renderer_)) return paint(root, landscape);
    if (ownFrame && (!frame_ || keptWidth_ != width || keptHeight_ != height)) {
        frame_.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height));
        if (!frame_) return paint(root, landscape);
        SDL_SetTextureBlendMode(frame_.get(), SDL_BLENDMODE_NONE);
        keptWidth_ = 0;
    }
    if (ownFrame) SDL_SetRenderTarget(renderer_, frame_.get());
    if (keptWidth_ != width || keptHeight_ != height) {
        // Pictures made for the pixels of another size of output would only take room.
        pictures_.clear();
        paint(root, landscape);
        keptWidth_ = width;
        keptHeight_ = height;
    } else if (damage.isAll()) {
        paint(root, landscape);
    } else if (!damage.isEmpty()) {
        // Neighbouring tiles share their edge and round it to the same pixel, so the parts never overlap.
        const Affine m = landscape.transform();
        for (const Rect& changed : damage.rects()) {
            const Point a = m.apply(changed.origin), b = m.apply({changed.maxX(), changed.maxY()});
            const int x0 = static_cast<int>(std::lround(std::min(a.x, b.x)));
            const int y0 = static_cast<int>(std::lround(std::min(a.y, b.y)));
            parts_.push_back({x0, y0, static_cast<int>(std::lround(std::max(a.x, b.x))) - x0,
                              static_cast<int>(std::lround(std::max(a.y, b.y))) - y0});
        }
        clipKnown_ = false;
        changes_ = &damage;
        landscape_ = landscape;
        paintTree(root, landscape);
        parts_.clear();
        changes_ = nullptr;
    }
    if (ownFrame) {
        SDL_SetRenderTarget(renderer_, nullptr);
        SDL_RenderSetClipRect(renderer_, nullptr);
        clipKnown_ = false;
        SDL_RenderCopy(renderer_, frame_.get(), nullptr, nullptr);
    }
}

void SdlCanvas::paintTree(View& root, const Landscape& landscape) {
    ++frames_;
    saveGState();
    concatCTM(landscape.transform());
    // Views partly off the screen (menus sliding in) stay out of the margins.
    clipToRect({{0, 0}, landscape.portrait()});
    ui::paintTree(root, *this);
    restoreGState();
    texts_.endFrame();
}

void SdlCanvas::setClip(const std::optional<SDL_Rect>& wanted) {
    const bool same =
        appliedClip_.has_value() == wanted.has_value() && (!wanted || SDL_RectEquals(&*appliedClip_, &*wanted));
    if (clipKnown_ && same) return;
    clipKnown_ = true;
    appliedClip_ = wanted;
    SDL_RenderSetClipRect(renderer_, wanted ? &*wanted : nullptr);
}

template <class Reaches, class Draw>
void SdlCanvas::clipped(Reaches reaches, Draw draw) {
    std::optional<SDL_Rect> limit;
    if (const std::optional<Rect>& c = clip()) {
        if (c->width() <= 0 || c->height() <= 0) return;
        const int x = static_cast<int>(std::floor(c->minX())), y = static_cast<int>(std::floor(c->minY()));
        limit = SDL_Rect{x, y, static_cast<int>(std::ceil(c->maxX())) - x, static_cast<int>(std::ceil(c->maxY())) - y};
    }
    if (parts_.empty()) {
        setClip(limit);
        draw();
        return;
    }
    for (const SDL_Rect& part : parts_) {
        SDL_Rect area = part;
        if (limit && !SDL_IntersectRect(&part, &*limit, &area)) continue;
        // A pixel of margin: soft edges and rounding reach a little past what is drawn.
        const SDL_FRect near{static_cast<float>(area.x - 1), static_cast<float>(area.y - 1),
                             static_cast<float>(area.w + 2), static_cast<float>(area.h + 2)};
        if (!reaches(near)) continue;
        setClip(area);
        draw();
    }
}

template <class Draw>
void SdlCanvas::clipped(Rect deviceBox, Draw draw) {
    if (changes_ && !nearChanges(deviceBox)) return;
    const SDL_FRect box{deviceBox.minX(), deviceBox.minY(), deviceBox.width(), deviceBox.height()};
    clipped([&](const SDL_FRect& near) { return SDL_HasIntersectionF(&near, &box); }, draw);
}

bool SdlCanvas::nearChanges(Rect box) const {
    const Point a = landscape_->toPortrait(box.origin), b = landscape_->toPortrait({box.maxX(), box.maxY()});
    const float left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return changes_->touches({left, top, std::max(a.x, b.x) - left, std::max(a.y, b.y) - top});
}

bool SdlCanvas::nearChanges(Point from, Point to, float width) const {
    return anyPieceAlong(landscape_->toPortrait(from), landscape_->toPortrait(to), width / landscape_->scale(),
                         [&](Rect piece) { return changes_->touches(piece); });
}

void SdlCanvas::fillRect(Rect rect, Color color) {
    color.alpha *= alpha();
    const SDL_Color c = sdlColor(color);
    if (c.a == 0) return;
    const Quad q = deviceQuad(rect);
    const Rect box = q.box();
    // Opaque colour is written rather than blended, and a rectangle that stays
    // upright on the device is filled as one: both much faster in software.
    SDL_SetRenderDrawBlendMode(renderer_, c.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
    const SDL_FRect r{box.minX(), box.minY(), box.width(), box.height()};
    const SDL_Vertex v[] = {vertex(q.topLeft, c), vertex(q.topRight, c), vertex(q.bottomLeft, c),
                            vertex(q.bottomRight(), c)};
    clipped(box, [&] {
        if (q.upright())
            SDL_RenderFillRectF(renderer_, &r);
        else
            SDL_RenderGeometry(renderer_, nullptr, v, 4, kQuad, 6);
    });
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

bool SdlCanvas::texturesTurn() const {
    const Affine& m = ctm();
    return std::abs(m.a) < std::abs(m.b);
}

void SdlCanvas::drawQuad(SDL_Texture* texture, const Corners& at, bool turned, float alpha) {
    const SDL_Color c{255, 255, 255, byte(alpha)};
    // The turned texture's top left is the unturned one's bottom left, and so on round.
    const Corners q = turned ? Corners{at.bottomLeft, at.topLeft, at.bottomRight, at.topRight} : at;
    const SDL_Vertex v[] = {vertex(q.topLeft, c, 0, 0), vertex(q.topRight, c, 1, 0), vertex(q.bottomLeft, c, 0, 1),
                            vertex(q.bottomRight, c, 1, 1)};
    SDL_RenderGeometry(renderer_, texture, v, 4, kQuad, 6);
}

const SdlCanvas::Picture* SdlCanvas::picture(const Image& image, bool turned, int resolution, int width, int height) {
    auto [it, inserted] = pictures_.try_emplace({image.path().string(), turned, resolution, width, height});
    Picture& picture = it->second;
    if (inserted) {
        const std::filesystem::path& file = image.file(resolution);
        SurfacePtr surface(IMG_Load(file.c_str()));
        if (surface) {
            picture.opaque = !SDL_ISPIXELFORMAT_ALPHA(surface->format->format) && !SDL_HasColorKey(surface.get());
            if (surface->w != width || surface->h != height) surface = resized(*surface, width, height);
        }
        if (surface) picture.texture = makeTexture(renderer_, *surface, turned);
        if (!picture.texture) std::cerr << "lirvo: cannot load image " << file << ": " << SDL_GetError() << '\n';
    }
    return picture.texture ? &picture : nullptr;
}

void SdlCanvas::drawImage(const Image& image, Rect rect) {
    // Pictures are made once, from the file drawn for the whole number of
    // pixels a point nearest the CTM's, so that frames copy rather than scale
    // them. At rest (not narrowed by a flip) a picture is made at the very
    // pixels its rect covers and copied onto whole pixels: sharp at any
    // scale, and the same pixels whether drawn whole or in parts.
    const Affine& m = ctm();
    const float across = std::hypot(m.a, m.b), down = std::hypot(m.c, m.d);
    const int resolution = std::max(1, static_cast<int>(std::lround(down)));
    const bool turned = texturesTurn();
    const Quad q = deviceQuad(rect);
    const Rect box = q.box();
    const bool atRest = q.upright() && std::abs(across - down) < 1e-3f && box.width() > 0 && box.height() > 0;
    const Size pixels = atRest ? Size{rect.width() * across, rect.height() * down} : image.size();
    const float factor = atRest ? 1 : static_cast<float>(resolution);
    const int width = std::max(1, static_cast<int>(std::lround(pixels.width * factor)));
    const int height = std::max(1, static_cast<int>(std::lround(pixels.height * factor)));
    const Picture* p = picture(image, turned, resolution, width, height);
    if (!p) return;
    // An opaque picture drawn whole is copied rather than blended.
    SDL_SetTextureBlendMode(p->texture.get(), p->opaque && alpha() >= 1 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    Corners at{q.bottomLeft, q.bottomRight(), q.topLeft, q.topRight}; // the picture's top edge on the rect's maxY side
    if (atRest) {
        const Point origin{std::round(box.minX()), std::round(box.minY())};
        const float sx = static_cast<float>(turned ? height : width) / box.width();
        const float sy = static_cast<float>(turned ? width : height) / box.height();
        const auto snap = [&](Point p) {
            return whole({origin.x + (p.x - box.minX()) * sx, origin.y + (p.y - box.minY()) * sy});
        };
        at = {snap(at.topLeft), snap(at.topRight), snap(at.bottomLeft), snap(at.bottomRight)};
    }
    clipped(box, [&] { drawQuad(p->texture.get(), at, turned, alpha()); });
}

void SdlCanvas::drawKept(const void* owner, std::uint64_t version, Rect bounds,
                         const std::function<void(Canvas&)>& draw) {
    const Rect box = deviceQuad(bounds).box();
    const int x = static_cast<int>(std::floor(box.minX())), y = static_cast<int>(std::floor(box.minY()));
    const SDL_Rect at{x, y, static_cast<int>(std::ceil(box.maxX())) - x, static_cast<int>(std::ceil(box.maxY())) - y};
    if (at.w <= 0 || at.h <= 0) return;
    // Narrowed by a flip, the drawing changes every frame: it is drawn as it is.
    const Affine& m = ctm();
    if (std::abs(std::hypot(m.a, m.b) - std::hypot(m.c, m.d)) >= 1e-3f) return draw(*this);
    Kept& kept = kept_[owner];
    const bool drawnLastFrame = kept.frame + 1 == frames_;
    kept.frame = frames_;
    const Affine placed = Affine::translation(static_cast<float>(-x), static_cast<float>(-y)).after(ctm());
    // The same drawing moved by whole pixels is the same picture (the version
    // changes with the bounds, so the size goes with the CTM).
    if (!kept.texture || kept.version != version || !(kept.ctm == placed)) {
        // A drawing changes only where it marks the screen changed: a picture
        // drawn in the last frame need only be drawn again where the screen changed since.
        std::vector<SDL_Rect> areas;
        if (kept.texture && kept.ctm == placed && drawnLastFrame && !parts_.empty()) {
            for (const SDL_Rect& part : parts_) {
                SDL_Rect area;
                if (SDL_IntersectRect(&part, &at, &area)) areas.push_back({area.x - x, area.y - y, area.w, area.h});
            }
        } else {
            areas.push_back({0, 0, at.w, at.h});
        }
        if (!repaint(kept, at.w, at.h, areas, placed, draw)) kept.texture.reset();
        kept.version = version;
        kept.ctm = placed;
    }
    if (!kept.texture) return draw(*this);
    SDL_SetTextureAlphaMod(kept.texture.get(), byte(alpha()));
    clipped(box, [&] { SDL_RenderCopy(renderer_, kept.texture.get(), nullptr, &at); });
}

bool SdlCanvas::repaint(Kept& kept, int width, int height, const std::vector<SDL_Rect>& areas, const Affine& placed,
                        const std::function<void(Canvas&)>& draw) {
    if (!studio_ || studio_->surface->w != width || studio_->surface->h != height) {
        studio_ = std::make_unique<Studio>();
        studio_->surface.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
        if (studio_->surface) studio_->renderer.reset(SDL_CreateSoftwareRenderer(studio_->surface.get()));
        if (!studio_->renderer) {
            studio_.reset();
            return false;
        }
        studio_->canvas = std::make_unique<SdlCanvas>(studio_->renderer.get(), fonts_, studio_->surface.get());
    }
    int w = 0, h = 0;
    if (!kept.texture || SDL_QueryTexture(kept.texture.get(), nullptr, nullptr, &w, &h) != 0 || w != width ||
        h != height) {
        kept.texture.reset(
            SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height));
        if (!kept.texture) return false;
        SDL_SetTextureBlendMode(kept.texture.get(), SDL_BLENDMODE_BLEND);
    }
    SDL_Surface& surface = *studio_->surface;
    for (const SDL_Rect& area : areas) SDL_FillRect(&surface, &area, 0);
    // The studio draws only the areas, each clipped to itself, as a window draws its changes.
    SdlCanvas& canvas = *studio_->canvas;
    canvas.parts_ = areas;
    canvas.clipKnown_ = false;
    canvas.saveGState();
    canvas.concatCTM(placed);
    draw(canvas);
    canvas.restoreGState();
    canvas.parts_.clear();
    SDL_RenderFlush(studio_->renderer.get());
    for (const SDL_Rect& area : areas) {
        const auto* pixels = static_cast<const Uint8*>(surface.pixels) + area.y * surface.pitch + area.x * 4;
        if (SDL_UpdateTexture(kept.texture.get(), &area, pixels, surface.pitch) != 0) return false;
    }
    return true;
}

void SdlCanvas::drawText(const TextRun& run, Rect rect) {
    // Pixels per point across the lines, which a flip's narrowing leaves alone,
    // so a flipping label keeps its rendered text.
    const Affine& m = ctm();
    const float pixelsPerPoint = std::hypot(m.c, m.d);
    if (pixelsPerPoint <= 0) return;
    const int pixels = static_cast<int>(std::lround(run.font.size * pixelsPerPoint));
    const int width = std::max(1, static_cast<int>(std::lround(rect.width() * pixelsPerPoint)));
    const bool turned = texturesTurn();
    const TextCache::Rendered* text = texts_.get(run, pixels, width, turned);
    if (!text) return;

    const Size size{text->width / pixelsPerPoint, text->height / pixelsPerPoint};
    float x = rect.minX();
    if (run.alignment == TextAlignment::Center) x = rect.center().x - size.width / 2;
    if (run.alignment == TextAlignment::Right) x = rect.maxX() - size.width;
    const float y = run.wraps ? rect.minY() : rect.center().y - size.height / 2;
    const Quad q = deviceQuad({{x, y}, size});
    // On whole pixels, glyphs stay as sharp as they were rendered, and come out
    // the same drawn whole or in parts (a corner a hair off would make a scaled copy).
    const Corners at{whole(q.topLeft), whole(q.topRight), whole(q.bottomLeft), whole(q.bottomRight())};
    clipped(q.box(), [&] { drawQuad(text->texture, at, turned, run.color.alpha * alpha()); });
}

void SdlCanvas::strokePolyline(const std::vector<Point>& points, Color color, float width) {
    if (changes_) {
        bool near = false;
        for (std::size_t s = 1; s < points.size() && !near; ++s) near = nearChanges(points[s - 1], points[s], width);
        if (!near) return;
    }
    // A part is redrawn with the line only when the line passes through it, not merely its box.
    const auto reaches = [&](const SDL_FRect& near) {
        const SDL_FRect wide{near.x - width / 2, near.y - width / 2, near.w + width, near.h + width};
        for (std::size_t s = 1; s < points.size(); ++s) {
            float x1 = points[s - 1].x, y1 = points[s - 1].y, x2 = points[s].x, y2 = points[s].y;
            if (SDL_IntersectFRectAndLine(&wide, &x1, &y1, &x2, &y2)) return true;
        }
        return false;
    };
    SDL_Surface* const output = software_ ? softwareOutput() : nullptr;
    if (!output) {
        clipped(reaches, [&] { strokeAsBands(points, color, width); });
        return;
    }
    // What the renderer has queued lies beneath.
    SDL_RenderFlush(renderer_);
    const SDL_Color c = sdlColor(color);
    clipped(reaches, [&] {
        const SDL_Rect area = appliedClip_.value_or(SDL_Rect{0, 0, output->w, output->h});
        for (std::size_t s = 1; s < points.size(); ++s)
            drawSmoothLine(*output, area, points[s - 1], points[s], width, c);
    });
}

SDL_Surface* SdlCanvas::softwareOutput() const {
    if (surface_) return surface_;
    SDL_Window* const window = SDL_RenderGetWindow(renderer_);
    return window ? SDL_GetWindowSurface(window) : nullptr;
}

void SdlCanvas::strokeAsBands(const std::vector<Point>& points, Color color, float width) {
    // Each segment is a band across its width: a solid core between two
    // one-pixel ramps that fade to nothing, which smooths the edges.
    const float inner = std::max(0.f, width / 2 - 0.5f), outer = width / 2 + 0.5f;
    const SDL_Color solid = sdlColor(color);
    const SDL_Color faded{solid.r, solid.g, solid.b, 0};
    vertices_.clear();
    indices_.clear();
    for (std::size_t s = 1; s < points.size(); ++s) {
        const Point from = points[s - 1], to = points[s];
        const float length = distance(from, to);
        if (length <= 0) continue;
        const Point normal{(from.y - to.y) / length, (to.x - from.x) / length};
        const int base = static_cast<int>(vertices_.size());
        for (const Point end : {from, to}) {
            vertices_.push_back(vertex(end + scaled(normal, -outer), faded));
            vertices_.push_back(vertex(end + scaled(normal, -inner), solid));
            vertices_.push_back(vertex(end + scaled(normal, inner), solid));
            vertices_.push_back(vertex(end + scaled(normal, outer), faded));
        }
        for (int band = 0; band < 3; ++band) {
            const int a = base + band, b = base + band + 1, c = base + 4 + band, d = base + 5 + band;
            indices_.insert(indices_.end(), {a, b, c, c, b, d});
        }
    }
    if (!indices_.empty()) {
        SDL_RenderGeometry(renderer_, nullptr, vertices_.data(), static_cast<int>(vertices_.size()), indices_.data(),
                           static_cast<int>(indices_.size()));
    }
}

} // namespace ui::sdl
