#include "app/touch_script.h"
#include "platform/application.h"
#include "platform/headless/headless_backend.h"
#include "platform/touch.h"
#include "platform/view.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using app::TouchScript;
using Kind = TouchScript::Step::Kind;

TEST(TouchScript, ReadsStepsSeparatedBySemicolonsOrLines) {
    std::string error;
    const auto script = TouchScript::parse(" wait 9; tap 160 240;\ndrag 100 100 200 210 ;; doubletap 1.5 2", error);
    ASSERT_TRUE(script) << error;
    const auto& s = script->steps();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, Kind::Wait);
    EXPECT_EQ(s[0].seconds, 9);
    EXPECT_EQ(s[1].kind, Kind::Tap);
    EXPECT_EQ(s[1].from, (ui::Point{160, 240}));
    EXPECT_EQ(s[2].kind, Kind::Drag);
    EXPECT_EQ(s[2].from, (ui::Point{100, 100}));
    EXPECT_EQ(s[2].to, (ui::Point{200, 210}));
    EXPECT_EQ(s[3].kind, Kind::DoubleTap);
    EXPECT_EQ(s[3].from, (ui::Point{1.5f, 2}));
    EXPECT_TRUE(TouchScript::parse("", error)->steps().empty());

    for (const char* bad : {"jump 1 2", "tap 1", "tap 1 2 3", "wait", "wait -1", "drag 1 2 3", "tap 1 two"}) {
        EXPECT_FALSE(TouchScript::parse(std::string("wait 1; ") + bad, error)) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

// Records its touches.
class Pad : public ui::View {
public:
    using View::View;
    std::vector<std::string> seen;
    void touchesBegan(const ui::TouchSet& t, const ui::Event&) override {
        seen.push_back("began x" + std::to_string(t.anyObject().tapCount()));
    }
    void touchesMoved(const ui::TouchSet&, const ui::Event&) override {
        if (seen.back() != "moved") seen.push_back("moved");
    }
    void touchesEnded(const ui::TouchSet& t, const ui::Event&) override {
        const ui::Point p = t.anyObject().locationInView(nullptr);
        seen.push_back("ended at " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
    }
};

class Show final : public ui::ApplicationDelegate {
public:
    std::shared_ptr<Pad> pad = std::make_shared<Pad>(ui::Rect{0, 0, 320, 480});
    void applicationDidFinishLaunching(ui::Application& app) override { app.window()->addSubview(pad); }
    void applicationWillTerminate(ui::Application&) override {}
};

TEST(TouchScript, PlaysTouchesAndVirtualTimeThroughTheMapping) {
    ui::HeadlessBackend backend;
    Show show;
    ui::Application app(backend, show);
    app.launch();
    std::string error;
    const auto script = TouchScript::parse("tap 10 20; wait 1; doubletap 10 20; wait 2.5; drag 10 20 110 20", error);
    ASSERT_TRUE(script);
    script->play(backend, app, [](ui::Point p) { return ui::Point{p.x + 100, p.y + 200}; });

    const std::vector<std::string> expected{"began x1", "ended at 110,220", "began x1", "ended at 110,220",
                                            "began x2", "ended at 110,220", "began x1", "moved",
                                            "ended at 210,220"};
    EXPECT_EQ(show.pad->seen, expected);
    // 3.5 s of waiting and a frame after each of the 28 finger events.
    EXPECT_NEAR(backend.clock().now(), 3.5 + 28.0 / 60, 1e-9);
}

} // namespace
