#include "platform/sdl/input.h"
#include "platform/touch.h"
#include "platform/view.h"
#include "support/harness.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ui::Point;
using ui::Rect;

// Records what its touches do.
class Pad : public ui::View {
public:
    explicit Pad(Rect frame) : View(frame) {}

    struct Seen {
        std::string phase;
        int finger;
        Point at; // window (portrait) point
        int taps;
    };
    std::vector<Seen> seen;
    std::vector<ui::Key> keys;
    std::vector<std::string> pointer;

    void touchesBegan(const ui::TouchSet& t, const ui::Event&) override { note("began", t); }
    void touchesMoved(const ui::TouchSet& t, const ui::Event&) override { note("moved", t); }
    void touchesEnded(const ui::TouchSet& t, const ui::Event&) override { note("ended", t); }
    bool keyPressed(ui::Key key) override {
        keys.push_back(key);
        return true;
    }
    void pointerEntered() override { pointer.push_back("entered"); }
    void pointerExited() override { pointer.push_back("exited"); }
    void scrollWheel(float lines) override { pointer.push_back("wheel " + std::to_string(lines)); }

private:
    void note(const char* phase, const ui::TouchSet& t) {
        const ui::Touch& touch = t.anyObject();
        seen.push_back({phase, touch.finger(), touch.locationInView(nullptr), touch.tapCount()});
    }
};

SDL_Event mouseButton(Uint32 type, int x, int y, Uint32 which = 0) {
    SDL_Event e{};
    e.type = type;
    e.button.which = which;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event mouseMotion(int x, int y, Uint32 which = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.which = which;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event wheel(float lines, Uint32 direction = SDL_MOUSEWHEEL_NORMAL, Uint32 which = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.which = which;
    e.wheel.preciseY = lines;
    e.wheel.direction = direction;
    e.wheel.mouseX = 330;
    e.wheel.mouseY = 150;
    return e;
}

SDL_Event keyDown(SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
}

SDL_Event finger(Uint32 type, SDL_FingerID id, float x, float y) {
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = 7;
    e.tfinger.fingerId = id;
    e.tfinger.x = x;
    e.tfinger.y = y;
    return e;
}

class SdlInput : public ::testing::Test {
protected:
    SdlInput() {
        h.show(left);
        h.show(right);
    }
    bool send(const SDL_Event& e) { return input.handle(e, h.window(), landscape, window); }

    testkit::Harness h;
    // A high-density display: the 480 x 320 window has twice as many pixels.
    ui::Size window{480, 320};
    ui::sdl::Landscape landscape{{320, 480}, {960, 640}};
    ui::sdl::Input input;
    // In landscape, `left` lies at x 280 to 380 and `right` at x 80 to 180, both y 100 to 200.
    std::shared_ptr<Pad> left = std::make_shared<Pad>(Rect{100, 100, 100, 100});
    std::shared_ptr<Pad> right = std::make_shared<Pad>(Rect{100, 300, 100, 100});
};

TEST_F(SdlInput, TheMouseIsOneFingerAtTheTurnedPoint) {
    EXPECT_TRUE(send(mouseMotion(330, 150))); // no button down: a pointer, no finger
    EXPECT_TRUE(send(mouseButton(SDL_MOUSEBUTTONDOWN, 330, 150)));
    EXPECT_TRUE(send(mouseMotion(340, 160)));
    EXPECT_TRUE(send(mouseButton(SDL_MOUSEBUTTONUP, 340, 160)));
    EXPECT_TRUE(send(mouseMotion(300, 160)));
    ASSERT_EQ(left->seen.size(), 3u);
    EXPECT_EQ(left->seen[0].phase, "began");
    EXPECT_EQ(left->seen[0].finger, 0);
    EXPECT_EQ(left->seen[0].at, (Point{150, 150})); // landscape (330, 150) is portrait (150, 480 - 330)
    EXPECT_EQ(left->seen[1].at, (Point{160, 140}));
    EXPECT_EQ(left->seen[2].phase, "ended");
    EXPECT_TRUE(right->seen.empty());

    // Two clicks in quick succession: a double click is a tap count of 2.
    for (const int taps : {1, 2}) {
        send(mouseButton(SDL_MOUSEBUTTONDOWN, 340, 160));
        send(mouseButton(SDL_MOUSEBUTTONUP, 340, 160));
        EXPECT_EQ(left->seen.back().taps, taps);
    }
}

TEST_F(SdlInput, TouchesAreFingersOfTheirOwnAndTheirMouseEchoesAreIgnored) {
    // Normalised window positions: (0.7, 0.5) is landscape (336, 160), over `left`.
    EXPECT_TRUE(send(finger(SDL_FINGERDOWN, 11, 0.7f, 0.5f)));
    EXPECT_FALSE(send(mouseButton(SDL_MOUSEBUTTONDOWN, 336, 160, SDL_TOUCH_MOUSEID)));
    EXPECT_TRUE(send(finger(SDL_FINGERDOWN, 12, 0.25f, 0.5f)));
    EXPECT_TRUE(send(finger(SDL_FINGERMOTION, 11, 0.75f, 0.5f)));
    EXPECT_TRUE(send(finger(SDL_FINGERMOTION, 12, 0.3f, 0.5f)));
    EXPECT_FALSE(send(mouseMotion(360, 160, SDL_TOUCH_MOUSEID)));
    EXPECT_TRUE(send(finger(SDL_FINGERUP, 12, 0.3f, 0.5f)));
    EXPECT_TRUE(send(finger(SDL_FINGERUP, 11, 0.75f, 0.5f)));
    EXPECT_FALSE(send(mouseButton(SDL_MOUSEBUTTONUP, 360, 160, SDL_TOUCH_MOUSEID)));
    EXPECT_FALSE(send(finger(SDL_FINGERMOTION, 11, 0.8f, 0.5f))); // lifted: no longer a finger

    ASSERT_EQ(left->seen.size(), 3u);
    ASSERT_EQ(right->seen.size(), 3u);
    EXPECT_NE(left->seen[0].finger, right->seen[0].finger);
    EXPECT_NE(left->seen[0].finger, 0);
    EXPECT_EQ(left->seen[1].at, (Point{160, 480 - 360}));
    EXPECT_EQ(right->seen[1].at, (Point{160, 480 - 144}));
    EXPECT_EQ(left->seen[2].phase, "ended");
    EXPECT_EQ(right->seen[2].phase, "ended");
}

TEST_F(SdlInput, WithNoButtonDownTheMouseHoversAndItsWheelTurnsWhereItPoints) {
    send(mouseMotion(330, 150));
    send(mouseMotion(130, 150));
    send(mouseButton(SDL_MOUSEBUTTONDOWN, 130, 150)); // a finger now, hovering nowhere
    send(mouseButton(SDL_MOUSEBUTTONUP, 130, 150));
    EXPECT_EQ(left->pointer, (std::vector<std::string>{"entered", "exited"}));
    EXPECT_EQ(right->pointer, (std::vector<std::string>{"entered", "exited"}));
    send(wheel(1.5f));
    send(wheel(0.5f, SDL_MOUSEWHEEL_FLIPPED));
    EXPECT_FALSE(send(wheel(1, SDL_MOUSEWHEEL_NORMAL, SDL_TOUCH_MOUSEID)));
    EXPECT_EQ(left->pointer, (std::vector<std::string>{"entered", "exited", "wheel 1.500000", "wheel -0.500000"}));
}

TEST_F(SdlInput, KeysGoToTheTopmostViewAsPressedNotAsRepeated) {
    for (const SDL_Event& e : {keyDown(SDLK_ESCAPE), keyDown(SDLK_ESCAPE, KMOD_NONE, 1), keyDown(SDLK_RETURN),
                               keyDown(SDLK_KP_ENTER), keyDown(SDLK_RETURN, KMOD_LALT), keyDown(SDLK_SPACE),
                               keyDown(SDLK_a)}) {
        send(e);
    }
    using ui::Key;
    EXPECT_EQ(right->keys, (std::vector<Key>{Key::Escape, Key::Enter, Key::Enter, Key::Other, Key::Space, Key::Other}));
    EXPECT_TRUE(left->keys.empty());
}

} // namespace
