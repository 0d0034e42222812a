#include "start/records_table.h"

#include "core/difficulty.h"
#include "game/model/records.h"
#include "platform/label.h"
#include "widgets/label_colors.h"

#include <memory>

namespace start {

namespace {

// Columns, in points from the table's left: the row names, then Single
// Player's and Time Trial's, each two wide: level and score, or circles and time.
constexpr float kNames = 0, kModes[] = {100, 210}, kModeWidth = 104, kScore = 52, kTime = 64;
constexpr float kRow = 16;
// How many boards' times each mode shows, the largest first.
constexpr std::size_t kTimesShown = 3;
constexpr const char* kNone = "\u2013";

} // namespace

RecordsTable::RecordsTable(ui::Rect frame) : View(frame) {
    setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    setUserInteractionEnabled(false);
    setAlpha(0);
}

void RecordsTable::addText(float x, float y, float width, std::string text, Style style) {
    auto label = std::make_shared<ui::Label>(ui::Rect{x, y, width, kRow});
    label->setBackgroundColor(ui::Color::clear());
    label->setTextAlignment(ui::TextAlignment::Left);
    label->setFont(style == Style::Heading ? ui::Font{"Trebuchet MS", 15} : ui::Font{"Helvetica", 12});
    label->setTextColor(style == Style::Heading   ? widgets::kHighlight
                        : style == Style::Caption ? widgets::kBackEntryGrey
                                                  : widgets::kNormalText);
    label->setText(std::move(text));
    addSubview(std::move(label));
}

void RecordsTable::show(const saves::PersonalBests& bests) {
    while (!subviews().empty()) subviews().back()->removeFromSuperview();
    float y = 4;
    for (const bool timeTrial : {false, true}) {
        const float x = kModes[timeTrial];
        addText(x, y, kModeWidth, timeTrial ? "Time Trial" : "Single Player", Style::Heading);
        addText(x, y + 20, kScore, "Level", Style::Caption);
        addText(x + kScore, y + 20, kModeWidth - kScore, "Score", Style::Caption);
    }
    y += 38;
    for (const core::Difficulty& difficulty : core::kDifficulties) {
        addText(kNames, y, kModes[0] - kNames, difficulty.name, Style::Cell);
        for (const bool timeTrial : {false, true}) {
            const auto best = bests.games.find({difficulty.name, timeTrial});
            const bool won = best != bests.games.end();
            const float x = kModes[timeTrial];
            addText(x, y, kScore, won ? std::to_string(best->second.level) : kNone, Style::Cell);
            addText(x + kScore, y, kModeWidth - kScore, won ? std::to_string(best->second.score) : kNone, Style::Cell);
        }
        y += kRow;
    }

    y += 14;
    addText(kNames, y, kModes[0] - kNames, "Best times", Style::Heading);
    addText(kModes[0], y + 2, kModeWidth, "fewest seconds", Style::Caption);
    addText(kModes[1], y + 2, kModeWidth, "most time left", Style::Caption);
    for (const bool timeTrial : {false, true}) {
        float row = y + 20;
        std::size_t shown = 0;
        for (auto it = bests.times.rbegin(); it != bests.times.rend() && shown < kTimesShown; ++it) {
            const auto& [circles, isTrial] = it->first;
            if (isTrial != timeTrial) continue;
            const float x = kModes[timeTrial];
            addText(x, row, kTime, std::to_string(circles) + " circles", Style::Cell);
            addText(x + kTime, row, kModeWidth - kTime, game::clockText(game::clockTimeOf(it->second)), Style::Cell);
            row += kRow;
            ++shown;
        }
        if (shown == 0) addText(kModes[timeTrial], row, kTime, kNone, Style::Cell);
    }
}

} // namespace start
