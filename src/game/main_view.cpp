#include "game/main_view.h"

#include "core/crossing.h"
#include "core/generator.h"
#include "game/game_host.h"
#include "game/nod.h"
#include "platform/alert_view.h"
#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/timer.h"
#include "platform/touch.h"
#include "widgets/label_colors.h"
#include "widgets/ui_custom_label.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

namespace game {

namespace {

constexpr const char* kCircleImage = "touchCircle.png";
constexpr const char* kBackground = "bgInGame.jpg";
constexpr ui::Color kLinkColor{0.58f, 0.58f, 0.58f, 1};
constexpr float kLinkWidth = 2;
constexpr ui::Color kCaptionColor{0.21f, 0.41f, 0.1f, 1};
constexpr ui::Color kValueColor{0.19f, 0.25f, 0.1f, 1};
constexpr double kFlipDuration = 0.5;
constexpr double kLabelsFadeDelay = 0.1;
constexpr double kLabelsFadeDuration = 0.4;
constexpr double kQuitFlipDuration = 1.0;

// Minutes and seconds, each below 10 with one leading 0.
std::string clockText(std::int32_t minutes, std::int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%i:%s%i", minutes <= 9 ? "0" : "", minutes, seconds <= 9 ? "0" : "", seconds);
    return text;
}

struct PanelEntry {
    const char* text;
    const char* id;
    std::optional<ui::Color> color; // none: the label keeps its colour
};

void fill(widgets::UICustomLabel& label, const PanelEntry& entry) {
    label.setText(entry.text);
    label.setLabelId(entry.id);
    if (entry.color) label.setTextColor(*entry.color);
}

// A Time Trial level that ended with its clock at 0:00 and its links still
// crossing was lost: it is played again, not taken for won.
bool lostOnTime(const saves::SavedGameRecord& r) {
    if (!r.TimeTrial || r.Minutes != 0 || r.Seconds != 0) return false;
    const core::Result<core::Board> rebuilt = core::rebuildBoard({r.xNodes, r.yNodes, r.Links}, r.NumberOfNodes);
    return rebuilt && !core::isSolved(*rebuilt);
}

// A view drawn by a function of its owner's.
class DrawnView final : public ui::View {
public:
    DrawnView(ui::Rect frame, std::function<void(ui::Canvas&)> draw) : View(frame), draw_(std::move(draw)) {
        setUserInteractionEnabled(false);
    }
    void drawRect(ui::Canvas& canvas, ui::Rect) override { draw_(canvas); }

private:
    std::function<void(ui::Canvas&)> draw_;
};

} // namespace

MainView::MainView(ui::Rect frame, core::RandomSource& random, saves::SaveStore& saves)
    : View(frame), random_(random), saves_(saves),
      draggedLinks_(std::make_shared<DrawnView>(bounds(), [this](ui::Canvas& canvas) { drawLinks(canvas, true); })) {
    setOpaque(true); // the background picture covers the screen
    // Background and links: drawn again only when they change, not while a circle moves.
    setKeepsDrawing(true);
    makeMenuLabels();

    blurImage_ = ui::makeCover(*this, "bgInGameBlur.png");
    // While shown it takes the touches aimed at the board and hands them on to this screen.
    blurImage_->setUserInteractionEnabled(true);
    inGameMenu_ = ui::makeCover(*this, "bgInGameMenu.png");

    makeHeadsUpDisplay();
}

MainView::~MainView() {
    if (timer_) timer_->invalidate();
}

void MainView::makeMenuLabels() {
    const ui::Point c = center();
    const ui::Font font{"Trebuchet MS", 17};
    auto make = [&](float dx, float dy, float height, const char* text, const char* id) {
        auto label = std::make_shared<widgets::UICustomLabel>(ui::Rect{c.x + dx, c.y + dy, 20, height}, text, font, id);
        label->setTextAlignment(ui::TextAlignment::Center);
        label->setAlpha(0);
        return label;
    };
    label1_ = make(-40, -50, 100, "Restart", "restart");
    label2_ = make(-20, -50, 100, "Save Game", "save_game");
    label3_ = make(0, -50, 100, "Load Game", "load_game");
    label4_ = make(20, -50, 100, "Options", "options");
    label5_ = make(40, -55, 110, "Quit to main", "quit");
}

void MainView::makeHeadsUpDisplay() {
    const float h = bounds().height();
    auto make = [&](float y, float height, ui::Color color, ui::TextAlignment alignment, const char* text) {
        auto label = std::make_shared<ui::Label>();
        label->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
        label->setFrame({-1, y, 20, height});
        label->setBackgroundColor(ui::Color::clear());
        label->setTextColor(color);
        label->setTextAlignment(alignment);
        label->setText(text);
        label->setFont({"Helvetica-Bold", 14});
        return label;
    };
    using ui::TextAlignment;
    levelLabel_ = make(h - 123, 45, kCaptionColor, TextAlignment::Center, "Level:");
    dlevelLabel_ = make(h - 161, 40, kValueColor, TextAlignment::Left, "0");
    scoreLabel_ = make(h - 283, 45, kCaptionColor, TextAlignment::Center, "Score:");
    dscoreLabel_ = make(h - 323, 40, kValueColor, TextAlignment::Left, "0");
    gtimeLabel_ = make(h - 186, 40, kCaptionColor, TextAlignment::Center, "Time:");
    dtimeLabel_ = make(h - 226, 40, kValueColor, TextAlignment::Left, "00:00");
    infoLabel_ = make(2, 145, ui::Color::white(), TextAlignment::Center, "Tap twice for options");
    for (const auto& label :
         {levelLabel_, dlevelLabel_, scoreLabel_, dscoreLabel_, gtimeLabel_, dtimeLabel_, infoLabel_}) {
        addSubview(label);
    }
}

std::vector<std::shared_ptr<widgets::UICustomLabel>> MainView::menuLabels() const {
    return {label1_, label2_, label3_, label4_, label5_};
}

std::vector<std::shared_ptr<ui::View>> MainView::overlays() const {
    return {blurImage_, inGameMenu_, label1_, label2_, label3_, label4_, label5_};
}

// ---- The board ----

bool MainView::RestartGame(const std::vector<std::int32_t>& xNodes, const std::vector<std::int32_t>& yNodes,
                           const std::vector<std::vector<std::int32_t>>& links, bool fromSavedGame) {
    core::Board board;
    core::seedFromClock(random_);
    if (fromSavedGame) {
        auto rebuilt = core::rebuildBoard({xNodes, yNodes, links}, nrNoduri);
        if (!rebuilt) return false;
        board = std::move(*rebuilt);
    } else {
        board = core::generateBoard(nrNoduri, random_);
    }
    clearBoard();
    addBoard(board);
    return true;
}

void MainView::clearBoard() {
    for (const auto& nod : collection_) nod->removeFromSuperview();
    collection_.clear();
    dragged_.clear();
    setNeedsDisplay();
}

void MainView::addBoard(const core::Board& board) {
    const auto circle = ui::Image::named(kCircleImage);
    const ui::Size size = circle ? circle->size() : ui::Size{Nod::kSize, Nod::kSize};
    collection_.reserve(board.size());
    for (const core::Node& node : board) {
        auto nod = std::make_shared<Nod>(circle, static_cast<int>(node.link.size()));
        nod->setUserInteractionEnabled(true);
        nod->setFrame({{node.coord.x - Nod::kSize / 2, node.coord.y - Nod::kSize / 2}, size});
        nod->setCoord(node.coord);
        nod->setLink(node.link);
        collection_.push_back(std::move(nod));
    }
    hasBoard_ = true;
    addSubview(draggedLinks_);
    for (const auto& nod : collection_) addSubview(nod);
    // The menu layer stays above the new circles (transparent, it takes no touches).
    for (const auto& overlay : overlays()) addSubview(overlay);
}

core::Board MainView::currentBoard() const {
    core::Board board;
    board.reserve(collection_.size());
    for (const auto& nod : collection_) board.push_back({nod->getCoord(), nod->getLink()});
    return board;
}

bool MainView::isGameEnded() {
    if (core::isSolved(currentBoard())) {
        stopClock();
        return true;
    }
    if (isOutOfTime()) {
        dead = true;
        stopClock();
        return true;
    }
    return false;
}

bool MainView::isOutOfTime() const { return getTrialTime() && getMinutes() == 0 && getSeconds() == 0; }

bool MainView::endLevelIfOver() {
    // A finger still on a circle of a game left for the menu ends nothing there.
    if (!isInGame || !isGameEnded()) return false;
    if (!Nod::getGameEnded()) {
        GameEnded();
        Nod::GameEnded(true);
    }
    return true;
}

// ---- Level progression ----

void MainView::updateBar() {
    if (!dead) {
        // Counting stops where saved games end, so that every game saved loads again.
        lvl = std::min(lvl + 1, saves::kMaxProgress);
        currentScore = std::min(currentScore + scorInc, saves::kMaxProgress);
    }
    dlevelLabel_->setText(std::to_string(lvl));
    dscoreLabel_->setText(std::to_string(currentScore));
}

void MainView::GameEnded() {
    updateBar();
    stopClock();
    addSubview(blurImage_);
    addSubview(inGameMenu_);
    const ui::Color title = widgets::kHighlight;
    if (!getDead()) {
        fill(*label1_, {"You Win!", "win", title});
        fill(*label2_, {"Next Level", "next_level", {}});
        fill(*label3_, {"Save Game", "save_game", widgets::kNormalText});
    } else {
        fill(*label1_, {"You Lose!", "lose", title});
        fill(*label2_, {"Restart", "restart", {}});
        fill(*label3_, {"Save Game", "save_loose", widgets::kInertText});
    }
    fill(*label4_, {"Load Game", "load_game", widgets::kNormalText});
    fill(*label5_, {"Quit to main", "quit", {}});
    AnimateInGameMenuIn();
}

void MainView::StartGame(const saves::SavedGameRecord& game) {
    ownSaves_.startAnotherGame();
    difficulty = game.Difficulty;
    scorInc = game.ScoreInc;
    nrNoduri = game.NumberOfNodes;
    lvl = game.Level;
    currentScore = game.Score;
    ttime = game.TimeTrial;
    // A lost Time Trial left behind must not keep the next win from counting.
    dead = false;
    isInGame = true;
    dlevelLabel_->setText(std::to_string(lvl));
    dscoreLabel_->setText(std::to_string(currentScore));
    // Single Player counts up from nothing; a Time Trial goes on from the time left.
    setLevelTime(ttime ? game.Minutes : 0, ttime ? game.Seconds : 0);
    stopClock();
    if (game.IsGameEnded) {
        // Either way the clock starts again from the level's time.
        if (lostOnTime(game)) {
            RestartSameLevel();
        } else {
            NextLevel();
        }
        return;
    }
    const bool saved = !game.xNodes.empty();
    showTime(saved ? 0 : min, saved ? 0 : sec);
    scheduleClock();
    RestartGame(game.xNodes, game.yNodes, game.Links, saved);
}

void MainView::setLevelTime(std::int32_t minutes, std::int32_t seconds) {
    initialMinutes = minutes;
    initialSeconds = seconds;
    setMinutes(minutes, seconds);
}

void MainView::useDifficultysTrialTime() {
    const core::Difficulty* own = core::difficultyNamed(difficulty);
    if (ttime && own) setLevelTime(own->trialMinutes, own->trialSeconds);
}

void MainView::NextLevel() {
    // Boards stop growing where saved games end, so that every game saved loads again.
    nrNoduri = std::min(nrNoduri + 1, core::kMaxNodes);
    // Whatever time the last level started from (a loaded game's), the next has the whole of its own.
    useDifficultysTrialTime();
    RestartGame({}, {}, {}, false);
    AnimateInGameMenuOut();
    restartClock();
}

void MainView::RestartSameLevel() {
    // A new board is another game: its saves never replace the last board's.
    ownSaves_.startAnotherGame();
    // A level restarts with the whole of its time, whatever a loaded game had left.
    useDifficultysTrialTime();
    restartClock();
    if (ttime) dead = false;
    RestartGame({}, {}, {}, false);
}

void MainView::goToStartMenu() {
    setAlpha(0);
    ttime = false;
    dead = false;
    scorInc = 0;
    lvl = 1;
    isInGame = false;
    stopClock();
    if (auto* host = dynamic_cast<GameHost*>(superview())) {
        View::beginAnimations();
        View::setAnimationTransition(ui::AnimationTransition::FlipFromLeft, *host);
        View::setAnimationDuration(kQuitFlipDuration);
        View::setAnimationDelegate(host, &GameHost::menuAnimation);
        View::commitAnimations();
    }
}

// ---- The clock ----

void MainView::scheduleClock() { timer_ = ui::Timer::scheduledTimer(1.0, this, &MainView::timerAction, true); }

void MainView::stopClock() {
    if (timer_) timer_->invalidate();
}

void MainView::restartClock() {
    stopClock();
    setMinutes(initialMinutes, initialSeconds);
    showTime(getMinutes(), getSeconds());
    scheduleClock();
}

void MainView::showTime(std::int32_t minutes, std::int32_t seconds) {
    dtimeLabel_->setText(clockText(minutes, seconds));
}

void MainView::timerAction() {
    if (paused) return;
    std::int32_t m = getMinutes();
    std::int32_t s = getSeconds();
    if (getTrialTime()) {
        if (m > 0) {
            if (s > 0) {
                --s;
            } else {
                --m;
                s = 59;
            }
        } else if (s > 0) {
            --s;
        } else {
            // Out of time: the level is lost, unless its board is already solved.
            stopClock();
            endLevelIfOver();
            dtimeLabel_->setText("00:00");
            return;
        }
    } else if (++s >= 60) {
        ++m;
        s = 0;
    }
    setMinutes(m, s);
    showTime(m, s);
}

// ---- Options menu and end-of-level panel ----

void MainView::touchesBegan(const ui::TouchSet& touches, const ui::Event&) {
    if (touches.anyObject().tapCount() == 2) toggleOptionsMenu();
}

bool MainView::keyPressed(ui::Key key) {
    if (key != ui::Key::Escape) return false;
    toggleOptionsMenu();
    return true;
}

void MainView::toggleOptionsMenu() {
    // A level found over ends as it would on a lift, rather than leave a stopped clock and no panel.
    if (endLevelIfOver()) return;
    if (inGameMenu_->alpha() == 0)
        openOptionsMenu();
    else
        AnimateInGameMenuOut();
}

void MainView::openOptionsMenu() {
    addSubview(blurImage_);
    addSubview(inGameMenu_);
    fill(*label1_, {"Restart", "restart", widgets::kNormalText});
    fill(*label2_, {"Save Game", "save_game", widgets::kNormalText});
    fill(*label3_, {"Load Game", "load_game", widgets::kNormalText});
    fill(*label4_, {"Options", "options", widgets::kInertText});
    fill(*label5_, {"Quit to main", "quit", {}});
    AnimateInGameMenuIn();
    paused = true;
}

void MainView::pauseWhileAway() {
    // An open menu or end-of-level panel already holds the clock.
    if (isInGame && inGameMenu_->alpha() == 0) openOptionsMenu();
}

void MainView::AnimateInGameMenuIn() {
    View::beginAnimations();
    View::setAnimationTransition(ui::AnimationTransition::FlipFromRight, *inGameMenu_);
    View::setAnimationDelegate(this, &MainView::inGameMenuInFinished);
    View::setAnimationDuration(kFlipDuration);
    View::commitAnimations();
    inGameMenu_->setAlpha(1);
    blurImage_->setAlpha(1);
}

void MainView::inGameMenuInFinished() {
    // Closed again while it flipped in: its entries must not appear over the board.
    if (inGameMenu_->alpha() == 0) return;
    for (const auto& label : menuLabels()) addSubview(label);
    View::beginAnimations();
    View::setAnimationDuration(kLabelsFadeDuration);
    View::setAnimationDelay(kLabelsFadeDelay);
    for (const auto& label : menuLabels()) label->setAlpha(1);
    View::commitAnimations();
}

void MainView::AnimateInGameMenuOut() {
    inGameMenu_->setAlpha(0);
    blurImage_->setAlpha(0);
    for (const auto& label : menuLabels()) label->setAlpha(0);
    View::beginAnimations();
    View::setAnimationDelegate(this, &MainView::inGameMenuOutFinished);
    View::setAnimationTransition(ui::AnimationTransition::FlipFromRight, *inGameMenu_);
    View::setAnimationDuration(kFlipDuration);
    View::commitAnimations();
}

void MainView::inGameMenuOutFinished() {
    // Opened again while it flipped away: the new menu keeps its views and its pause.
    if (inGameMenu_->alpha() != 0) return;
    for (const auto& overlay : overlays()) overlay->removeFromSuperview();
    paused = false;
}

void MainView::tapOnRestart() {
    AnimateInGameMenuOut();
    RestartSameLevel();
}

void MainView::tapOnQuit() {
    AnimateInGameMenuOut();
    goToStartMenu();
}

void MainView::tapOnLoad() {
    if (auto* host = dynamic_cast<GameHost*>(superview())) host->tapOnLoadFromGame();
}

// ---- Saving ----

void MainView::save(saves::SaveKind kind, saves::SaveStore::Reply<core::Result<>> reply) {
    // The wall clock comes through the same seam as the board's random numbers.
    const std::string moment = saves::dateTimeText(random_.time(), saves::timeLocaleFromEnvironment());
    const core::Board played = currentBoard();
    saves::SavedGameRecord record;
    // Whether the level is over, without ending it: saving changes nothing in the game.
    record.IsGameEnded = core::isSolved(played) || isOutOfTime();
    record.Difficulty = getDifficulty();
    record.Level = getLevel();
    record.Score = getCurrentScore();
    record.TimeTrial = getTrialTime();
    record.ScoreInc = getScoreInc();
    record.Minutes = getMinutes();
    record.Seconds = getSeconds();
    record.NumberOfNodes = static_cast<std::int32_t>(collection_.size());
    core::BoardDescription board = core::describe(played);
    record.xNodes = std::move(board.xNodes);
    record.yNodes = std::move(board.yNodes);
    record.Links = std::move(board.Links);

    const bool atExit = kind == saves::SaveKind::AtExit;
    std::string saveName = saves::saveName(kind, moment, record.Level, record.Difficulty, record.TimeTrial);
    saves::SaveRequest request{std::move(saveName), std::move(record), ownSaves_.of(kind), atExit};
    // The answer may come after this game has given way to another, whose saves are its own.
    saves_.write(std::move(request), [this, token = liveness(), game = ownSaves_.game(), kind,
                                      reply = std::move(reply)](core::Result<std::string> kept) {
        if (!token.expired() && kept) ownSaves_.remember(game, kind, *kept);
        reply(kept ? core::Result<>{} : core::Failure{kept.reason()});
    });
}

void MainView::SaveGame() {
    save(saves::SaveKind::OnRequest, [](const core::Result<>& saved) {
        if (!saved) {
            ui::AlertView::show("Save Game", "The game could not be saved (" + saved.reason() + ").", "OK");
        } else {
            ui::AlertView::show("Save Game", "Game saved successfully!", "OK");
        }
    });
}

void MainView::SaveOnExit(saves::SaveStore::Reply<core::Result<>> reply) {
    save(saves::SaveKind::AtExit, std::move(reply));
}

// ---- Drawing ----

void MainView::startDragging(const Nod& nod) {
    dragged_.push_back(&nod);
    setNeedsDisplay();
}

void MainView::stopDragging(const Nod& nod) {
    const auto held = std::find(dragged_.begin(), dragged_.end(), &nod);
    if (held == dragged_.end()) return;
    dragged_.erase(held);
    setNeedsDisplay();
}

bool MainView::isDragged(const Nod& nod) const {
    return std::find(dragged_.begin(), dragged_.end(), &nod) != dragged_.end();
}

void MainView::linksNeedDisplay(const Nod& nod) {
    // Links kept in the board's own drawing change only with all of it.
    if (!isDragged(nod)) return setNeedsDisplay();
    const auto at =
        std::find_if(collection_.begin(), collection_.end(), [&](const auto& n) { return n.get() == &nod; });
    const auto index = static_cast<std::int32_t>(at - collection_.begin());
    for (const auto& from : collection_) {
        for (const std::int32_t target : from->getLink()) {
            if (from.get() != &nod && target != index) continue;
            draggedLinks_->setNeedsDisplayAlong(from->center(), collection_[static_cast<std::size_t>(target)]->center(),
                                                kLinkWidth);
        }
    }
}

void MainView::drawRect(ui::Canvas& canvas, ui::Rect rect) {
    if (const auto background = ui::Image::named(kBackground)) {
        const ui::Size size = background->size();
        canvas.saveGState();
        canvas.translateCTM(0, rect.height());
        canvas.scaleCTM(1, -1);
        canvas.drawImage(*background, {{0, 0}, size});
        canvas.restoreGState();
    }
    drawLinks(canvas, false);
}

void MainView::drawLinks(ui::Canvas& canvas, bool dragged) const {
    if (!hasBoard_) return;
    canvas.setRGBStrokeColor(kLinkColor);
    canvas.setLineWidth(kLinkWidth);
    for (const auto& nod : collection_) {
        for (const std::int32_t target : nod->getLink()) {
            const Nod& to = *collection_[static_cast<std::size_t>(target)];
            if ((isDragged(*nod) || isDragged(to)) != dragged) continue;
            canvas.moveToPoint(nod->center());
            canvas.addLineToPoint(to.center());
            canvas.strokePath();
        }
    }
}

} // namespace game
