#include "game/main_view.h"

#include "core/crossing.h"
#include "game/game_host.h"
#include "game/nod.h"
#include "platform/alert_view.h"
#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/run_loop.h"
#include "platform/timer.h"
#include "platform/touch.h"
#include "widgets/label_colors.h"
#include "widgets/ui_custom_label.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

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

ui::Point pointOf(core::Point p) { return {p.x, p.y}; }

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
    : View(frame), random_(random), saves_(saves), game_(random),
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

MainView::~MainView() { stopTimer(); }

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

    // A line of its own between the last entry and the card's edge; only a won level's panel fills it.
    levelTimeLabel_ = std::make_shared<ui::Label>();
    levelTimeLabel_->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    levelTimeLabel_->setFrame({c.x + 62, c.y - 80, 16, 160});
    levelTimeLabel_->setBackgroundColor(ui::Color::clear());
    levelTimeLabel_->setTextAlignment(ui::TextAlignment::Center);
    levelTimeLabel_->setFont({"Trebuchet MS", 13});
    levelTimeLabel_->setAlpha(0);
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

std::vector<std::shared_ptr<ui::View>> MainView::menuLabels() const {
    return {label1_, label2_, label3_, label4_, label5_, levelTimeLabel_};
}

std::vector<std::shared_ptr<ui::View>> MainView::overlays() const {
    std::vector<std::shared_ptr<ui::View>> views{blurImage_, inGameMenu_};
    for (auto& label : menuLabels()) views.push_back(std::move(label));
    return views;
}

// ---- The board ----

void MainView::RestartGame() {
    clearBoard();
    const auto circle = ui::Image::named(kCircleImage);
    const ui::Size size = circle ? circle->size() : ui::Size{core::kCircleSize, core::kCircleSize};
    const core::Board& board = game_.board();
    collection_.reserve(board.size());
    for (std::size_t node = 0; node < board.size(); ++node) {
        auto nod = std::make_shared<Nod>(circle, node);
        nod->setUserInteractionEnabled(true);
        nod->setFrame(ui::Rect::centeredAt(pointOf(board[node].coord), size));
        collection_.push_back(std::move(nod));
    }
    addSubview(draggedLinks_);
    for (const auto& nod : collection_) addSubview(nod);
    // The menu layer stays above the new circles (transparent, it takes no touches).
    for (const auto& overlay : overlays()) addSubview(overlay);
}

void MainView::clearBoard() {
    for (const auto& nod : collection_) nod->removeFromSuperview();
    collection_.clear();
    dragged_.clear();
    setNeedsDisplay();
}

// ---- Level progression ----

void MainView::StartGame(const saves::SavedGameRecord& game) {
    // A new board is another game: its saves never replace the last board's.
    ownSaves_.startAnotherGame();
    game_.start(game);
    updateBar();
    showNewLevel();
    if (resumesItsBoard(game)) showTime({});
}

void MainView::showNewLevel() {
    RestartGame();
    showTime(game_.clock().time());
    stopTimer();
    startTimer();
}

void MainView::GameEnded() {
    if (game_.endLevelIfOver()) showLevelEnded();
}

void MainView::updateBar() {
    dlevelLabel_->setText(std::to_string(getLevel()));
    dscoreLabel_->setText(std::to_string(getCurrentScore()));
}

void MainView::showLevelEnded() {
    updateBar();
    stopTimer();
    addSubview(blurImage_);
    addSubview(inGameMenu_);
    const ui::Color title = widgets::kHighlight;
    levelTimeLabel_->setText("");
    if (game_.status() == Status::Won) {
        countWin();
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

void MainView::countWin() {
    // Judged against the records as kept, which another copy of the game
    // may have bettered meanwhile; told only while the panel still shows.
    const WonLevel won = Records::wonBy(game_);
    syncRecords([this, won, panel = ++panelsShown_] {
        const LevelTime level = records_.countWin(won);
        if (panel != panelsShown_) return;
        const std::string time = (won.game.second ? "Time left " : "Time ") + clockText(level.time);
        levelTimeLabel_->setText(time + " \u00b7 " +
                                 (level.isNewRecord ? "New record!" : "Record " + clockText(level.record)));
        levelTimeLabel_->setTextColor(level.isNewRecord ? widgets::kHighlight : widgets::kBackEntryGrey);
    });
}

void MainView::syncRecords(std::function<void()> thenCount) {
    saves_.readBests([this, token = liveness(), thenCount = std::move(thenCount)](const saves::KeptBests& kept) {
        if (token.expired()) return;
        if (!kept.problem.empty() && !std::exchange(toldRecordsUnread_, true)) {
            ui::AlertView::show("Records", kept.problem, "OK");
        }
        records_.keepBestOf(kept.bests);
        if (thenCount) thenCount();
        // Records neither read nor set aside stay as they are; these last only while the game runs.
        if (kept.unreadInPlace || records_.bests() == kept.bests) return;
        saves_.writeBests(records_.bests(), [this, token](const core::Result<>& written) {
            if (written || token.expired() || std::exchange(toldRecordsUnkept_, true)) return;
            ui::AlertView::show("Records", "The records could not be kept (" + written.reason() + ").", "OK");
        });
    });
}

void MainView::NextLevel() {
    game_.nextLevel();
    showNewLevel();
    AnimateInGameMenuOut();
}

void MainView::RestartSameLevel() {
    // A new board is another game: its saves never replace the last board's.
    ownSaves_.startAnotherGame();
    game_.restartLevel();
    showNewLevel();
}

void MainView::goToStartMenu() {
    setAlpha(0);
    game_.quit();
    stopTimer();
    if (auto* host = dynamic_cast<GameHost*>(superview())) {
        View::beginAnimations();
        View::setAnimationTransition(ui::AnimationTransition::FlipFromLeft, *host);
        View::setAnimationDuration(kQuitFlipDuration);
        View::setAnimationDelegate(host, &GameHost::menuAnimation);
        View::commitAnimations();
    }
}

// ---- The clock ----

void MainView::startTimer() {
    beat_ = ui::RunLoop::current().now();
    timer_ = ui::Timer::scheduledTimer(1.0, this, &MainView::timerAction, true);
}

void MainView::resumeTimer() {
    // The clock keeps its beat through a pause: the next second ends when it would have.
    const double intoSecond = std::fmod(ui::RunLoop::current().now() - beat_, 1.0);
    timer_ = ui::Timer::scheduledTimer(1.0 - intoSecond, this, &MainView::tickOnBeat, false);
}

void MainView::tickOnBeat() {
    startTimer();
    timerAction();
}

void MainView::stopTimer() {
    if (timer_) timer_->invalidate();
}

void MainView::showTime(ClockTime time) { dtimeLabel_->setText(clockText(time)); }

void MainView::timerAction() {
    // Paused under the menu, or stopped: the clock shows what it showed.
    if (!game_.clock().isCounting()) return;
    const bool ended = game_.tick();
    showTime(game_.clock().time());
    if (ended) showLevelEnded();
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
    // A level found over ends as it would on a lift, rather than have the menu open over it.
    if (isGameEnded()) return GameEnded();
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
    levelTimeLabel_->setText("");
    ++panelsShown_;
    AnimateInGameMenuIn();
    game_.pause();
    // A paused clock shows no change: nothing wakes the program for it.
    stopTimer();
}

void MainView::pauseWhileAway() {
    // An open menu or end-of-level panel already holds the clock.
    if (getIsInGame() && inGameMenu_->alpha() == 0) openOptionsMenu();
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
    game_.resume();
    // A new level dealt under the menu has its clock going already.
    if (game_.clock().isCounting() && !(timer_ && timer_->isValid())) resumeTimer();
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
    // The level's end, solved or out of time, is saved as it stands, without ending it.
    saves::SavedGameRecord record = game_.record();

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

bool MainView::startDragging(const Nod& nod) {
    if (!game_.isLevelInPlay()) return false;
    dragged_.push_back(nod.index());
    bringSubviewToFront(&nod);
    // Its links leave the board's own drawing for the layer above.
    linksNeedDisplay(*this, nod.index(), game_.board()[nod.index()].coord);
    return true;
}

void MainView::dragCircle(const Nod& nod, ui::Point centre) {
    const std::size_t node = nod.index();
    if (!isDragged(node)) return;
    const core::Point from = game_.board()[node].coord;
    const core::Point to = game_.moveCircle(node, {centre.x, centre.y});
    // The links drawn to this circle change where they lay and where they lie now.
    linksNeedDisplay(*draggedLinks_, node, from);
    collection_[node]->setCenter(pointOf(to));
    linksNeedDisplay(*draggedLinks_, node, to);
}

void MainView::stopDragging(const Nod& nod) {
    const auto held = std::find(dragged_.begin(), dragged_.end(), nod.index());
    if (held == dragged_.end()) return;
    dragged_.erase(held);
    // Its links go back into the board's own drawing.
    linksNeedDisplay(*this, nod.index(), game_.board()[nod.index()].coord);
}

bool MainView::isDragged(std::size_t node) const {
    return std::find(dragged_.begin(), dragged_.end(), node) != dragged_.end();
}

void MainView::linksNeedDisplay(ui::View& layer, std::size_t node, core::Point at) {
    const core::Board& board = game_.board();
    const auto place = [&](std::size_t n) { return pointOf(n == node ? at : board[n].coord); };
    for (const auto& [from, target] : core::boardLines(board)) {
        if (from != target && (from == node || target == node))
            layer.setNeedsDisplayAlong(place(from), place(target), kLinkWidth);
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
    const core::Board& board = game_.board();
    canvas.setRGBStrokeColor(kLinkColor);
    canvas.setLineWidth(kLinkWidth);
    // Two circles that list each other have one line between them, drawn once.
    for (const auto& [from, target] : core::boardLines(board)) {
        if (from == target || (isDragged(from) || isDragged(target)) != dragged) continue;
        canvas.moveToPoint(pointOf(board[from].coord));
        canvas.addLineToPoint(pointOf(board[target].coord));
        canvas.strokePath();
    }
}

} // namespace game
