#pragma once

#include "platform/animation.h"
#include "platform/geometry.h"
#include "platform/object.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Canvas;
class Event;
class Touch;
class TouchSet;

// The keys the screens tell apart; any other key is Other. Delete is also Backspace.
enum class Key { Escape, Enter, Space, Delete, Other };

// A rectangle of the screen that draws itself and takes touches, in a tree:
// subviews are drawn over their superview, the last one on top.
//
// Geometry: a view has a centre in its superview's coordinates, bounds (its
// own coordinate space and size) and a transform, a rotation about the
// centre. Its frame is its box in the superview after the turn, so a view
// framed 25 x 100 and turned a quarter has bounds 100 x 25.
//
// Alpha, centre and size are animatable: changed inside an animation block
// they take their new value at once, and only what is drawn moves there.
class View : public Object, public std::enable_shared_from_this<View> {
public:
    explicit View(Rect frame = {});
    ~View() override;

    Rect frame() const;
    void setFrame(Rect frame);
    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds);
    Point center() const { return center_; }
    void setCenter(Point center);
    const Transform& transform() const { return transform_; }
    void setTransform(Transform transform);
    float alpha() const { return alpha_; }
    void setAlpha(float alpha);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    Color backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(Color color);
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    // Whether the view's drawing (or its background colour) covers its bounds
    // with no see-through pixel, so what lies beneath need not be drawn.
    bool isOpaque() const { return opaque_ || backgroundColor_.alpha >= 1; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    // Whether a back end may keep the view's own drawing (its background and
    // drawRect) as a picture, drawn again only once the view says it changed:
    // for a costly drawing that covers the view's bounds and changes seldom.
    bool keepsDrawing() const { return keepsDrawing_; }
    void setKeepsDrawing(bool keeps) { keepsDrawing_ = keeps; }
    // Changes whenever the view's own drawing may have changed; never the same for two drawings.
    std::uint64_t drawingVersion() const { return drawingVersion_; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // The tree. A superview holds its subviews; the link up is plain.
    View* superview() const { return superview_; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
    void addSubview(std::shared_ptr<View> view); // on top; taken from its former superview
    void removeFromSuperview();
    void bringSubviewToFront(const View* view);
    bool isDescendantOf(const View* ancestor) const;

    // Drawing. A change that alters what is seen marks the screen for a redraw:
    // all of it, or only a part of this view, or the pixels of a line drawn
    // `width` thick (both in this view's bounds).
    void setNeedsDisplay();
    void setNeedsDisplayInRect(Rect local);
    void setNeedsDisplayAlong(Point from, Point to, float width);
    virtual void drawRect(Canvas& canvas, Rect rect);

    // Coordinates: between this view's bounds and its superview, and the window (the root).
    Point convertToSuperview(Point local) const;
    Point convertFromSuperview(Point outer) const;
    Point convertToWindow(Point local) const;
    Point convertFromWindow(Point windowPoint) const;

    // The deepest visible, interactive view under `local` (in this view's bounds), or null.
    View* hitTest(Point local);
    virtual bool pointInside(Point local) const;

    // Touches. What a view does not handle goes on to its superview.
    virtual void touchesBegan(const TouchSet& touches, const Event& event);
    virtual void touchesMoved(const TouchSet& touches, const Event& event);
    virtual void touchesEnded(const TouchSet& touches, const Event& event);
    virtual void touchesCancelled(const TouchSet& touches, const Event& event);
    // Whether this view takes over a touch that began on one of its subviews
    // once the finger starts dragging (a scroll view does).
    virtual bool takesOverDraggedTouches() const { return false; }

    // A key pressed; answers whether this view took it.
    virtual bool keyPressed(Key) { return false; }
    // The mouse pointer, no button down, came over this view or left it; only the view it is over is told.
    virtual void pointerEntered() {}
    virtual void pointerExited() {}
    // The wheel turned over this view, `lines` notches away from the player (less than one from a
    // touchpad). What a view does not take goes on to its superview.
    virtual void scrollWheel(float lines);

    // Animation blocks: changes made between begin and commit animate together.
    static void beginAnimations();
    static void setAnimationDuration(double seconds);
    static void setAnimationDelay(double seconds);
    static void setAnimationTransition(AnimationTransition transition, View& view);
    template <class T>
    static void setAnimationDelegate(T* delegate, void (T::*didStop)()) {
        AnimationBlocks::setDidStop(weakCall(delegate, didStop));
    }
    static void commitAnimations();

    // What is drawn at this moment of the current run loop.
    float presentationAlpha() const;
    Point presentationCenter() const;
    Size presentationSize() const;
    float presentationFlipFactor() const;

protected:
    // Told when something below changed what is seen: a box of window points,
    // or everything; the root records it.
    virtual void subtreeNeedsDisplay(const std::optional<Rect>& windowRect);
    // The box in window points of a rect of this view's bounds.
    Rect boxInWindow(Rect local) const;

private:
    friend class AnimationBlocks;
    void startFlip(Flip flip);
    void setSize(Size size);
    template <class T>
    bool animate(std::optional<Tween<T>>& tween, T from, T to);

    Point center_;
    Rect bounds_;
    Transform transform_;
    float alpha_ = 1;
    bool hidden_ = false;
    Color backgroundColor_ = Color::clear();
    bool userInteractionEnabled_ = true;
    bool clipsToBounds_ = false;
    bool opaque_ = false;
    bool keepsDrawing_ = false;
    std::uint64_t drawingVersion_;
    int tag_ = 0;

    View* superview_ = nullptr;
    std::vector<std::shared_ptr<View>> subviews_;

    std::optional<Tween<float>> alphaTween_;
    std::optional<Tween<Point>> centerTween_;
    std::optional<Tween<Size>> sizeTween_;
    std::optional<Flip> flip_;
};

} // namespace ui
