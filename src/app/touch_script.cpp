#include "app/touch_script.h"

#include "platform/application.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"

#include <sstream>

namespace app {

namespace {

constexpr double kFrame = 1.0 / 60;
constexpr int kDragSteps = 20;

struct Word {
    const char* name;
    TouchScript::Step::Kind kind;
    std::size_t numbers;
};
constexpr Word kWords[] = {
    {"wait", TouchScript::Step::Kind::Wait, 1},
    {"tap", TouchScript::Step::Kind::Tap, 2},
    {"doubletap", TouchScript::Step::Kind::DoubleTap, 2},
    {"drag", TouchScript::Step::Kind::Drag, 4},
};

std::vector<std::string> splitSteps(std::string_view text) {
    std::vector<std::string> steps(1);
    for (const char c : text) {
        if (c == ';' || c == '\n')
            steps.emplace_back();
        else
            steps.back() += c;
    }
    return steps;
}

} // namespace

core::Result<TouchScript> TouchScript::parse(std::string_view text) {
    TouchScript script;
    for (const std::string& source : splitSteps(text)) {
        std::istringstream in(source);
        std::string name;
        if (!(in >> name)) continue; // an empty step
        const Word* word = nullptr;
        for (const Word& w : kWords) {
            if (name == w.name) word = &w;
        }
        std::vector<float> values;
        for (float v = 0; in >> v;) values.push_back(v);
        if (!word || !in.eof() || values.size() != word->numbers || (word->kind == Step::Kind::Wait && values[0] < 0)) {
            return core::Failure{"cannot read the step \"" + source + "\""};
        }
        Step step;
        step.kind = word->kind;
        if (step.kind == Step::Kind::Wait)
            step.seconds = values[0];
        else
            step.from = step.to = {values[0], values[1]};
        if (step.kind == Step::Kind::Drag) step.to = {values[2], values[3]};
        script.steps_.push_back(step);
    }
    return script;
}

void TouchScript::play(ui::HeadlessBackend& backend, ui::Application& app,
                       const std::function<ui::Point(ui::Point)>& toWindow) const {
    ui::TouchDispatcher& touches = app.window()->touches();
    auto frame = [&] { backend.advance(app.runLoop(), kFrame); };
    auto tap = [&](ui::Point p) {
        touches.began(0, p);
        frame();
        touches.ended(0, p);
        frame();
    };
    for (const Step& step : steps_) {
        const ui::Point from = toWindow(step.from), to = toWindow(step.to);
        switch (step.kind) {
        case Step::Kind::Wait: backend.advance(app.runLoop(), step.seconds); break;
        case Step::Kind::Tap: tap(from); break;
        case Step::Kind::DoubleTap:
            tap(from);
            tap(from);
            break;
        case Step::Kind::Drag:
            touches.began(0, from);
            frame();
            for (int i = 1; i <= kDragSteps; ++i) {
                const float t = static_cast<float>(i) / kDragSteps;
                touches.moved(0, {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
                frame();
            }
            touches.ended(0, to);
            frame();
            break;
        }
    }
}

} // namespace app
