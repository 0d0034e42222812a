#include "start/start_view.h"

#include "core/difficulty.h"
#include "game/main_view.h"
#include "platform/alert_view.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/text_view.h"
#include "platform/timer.h"
#include "start/records_table.h"
#include "widgets/label_colors.h"
#include "widgets/ui_custom_label.h"

#include <utility>

namespace start {

namespace {

constexpr double kIntroFade = 0.7;
constexpr double kSlide = 0.8;
constexpr double kGameFlip = 0.8;
constexpr double kPanelFlip = 0.8;
constexpr double kPanelContentIn = 0.5;
constexpr double kPanelContentDelay = 0.1;
constexpr const char* kMenuFont = "Trebuchet MS";

const char* const kTutorial =
    "You need to use your finger to move the circles so that all lines stand alone without crossing over another one.\n"
    "\n"
    "You can use multiple fingers to move the circles.\n"
    "\n"
    "After you complete a level you can advance to the next one.";

const char* const kCredits = "Lirvo\n"
                             "\n"
                             "Made by the Lirvo studio: game design, code and pictures.\n"
                             "\n"
                             "Thank you for playing. Tell us what you think: we read every word.";

} // namespace

namespace {

std::vector<MenuEntry> mainMenuEntries() {
    return {
        {"New Game", "menu1", {165, -100, 25, 100}, {165, 10, 25, 100}, {165, -340, 25, 100}},
        {"Load Game", "menu2", {185, -160, 25, 100}, {185, 10, 25, 100}, {185, -280, 25, 100}},
        {"Tutorial", "menu3", {205, -220, 25, 100}, {205, 10, 25, 100}, {205, -220, 25, 100}},
        {"Options", "options", {225, -280, 25, 100}, {225, 10, 25, 100}, {225, -160, 25, 100}},
        {"Credits", "menu5", {245, -340, 25, 100}, {245, 10, 25, 100}, {245, -100, 25, 100}},
        {"Records", "menu6", {265, -400, 25, 100}, {265, 10, 25, 100}, {265, -100, 25, 100}},
    };
}

std::vector<MenuEntry> gameModeEntries() {
    return {
        {"Single Player", "menu11", {165, -160, 25, 130}, {165, 10, 25, 130}, {165, -280, 25, 130}},
        {"Time Trial", "menu12", {185, -220, 25, 100}, {185, 10, 25, 100}, {185, -220, 25, 100}},
        {"Back", "menu13", {245, -280, 25, 100}, {245, 10, 25, 100}, {245, -160, 25, 100}},
    };
}

// A row for each difficulty, 20 points apart, each waiting 60 points farther beyond the edge; then "Back".
std::vector<MenuEntry> difficultyEntries() {
    std::vector<MenuEntry> entries;
    float x = 165, waits = -160;
    for (const core::Difficulty& difficulty : core::kDifficulties) {
        entries.push_back({difficulty.name, "difficulty", {x, waits, 25, 100}, {x, 10, 25, 100}, {x, waits, 25, 100}});
        x += 20;
        waits -= 60;
    }
    entries.push_back({"Back", "menu114", {245, waits, 25, 100}, {245, 10, 25, 100}, {245, waits, 25, 100}});
    return entries;
}

constexpr ui::Rect kTitleFrame{130, 10, 25, 170};

} // namespace

StartView::StartView(ui::Rect frame, core::RandomSource& random, saves::SaveStore& saves)
    : GameHost(frame), mainMenu_(mainMenuEntries(), 18), gameModeMenu_(gameModeEntries(), 16),
      difficultyMenu_(difficultyEntries(), 16), saves_(saves) {
    mainView_ = std::make_shared<game::MainView>(bounds(), random, saves_);
    const ui::Point c = center();

    blurImage_ = ui::makeCover(*this, "logoGameMenuBlur.png");
    // Shown, it swallows every touch meant for the menu behind the panel.
    blurImage_->setUserInteractionEnabled(true);
    menuImage_ = ui::makeCover(*this, "bgInGameMenu2.png");
    // Over a game there is no cover: the backdrop keeps the touches from the board.
    menuImage_->setUserInteractionEnabled(true);

    textView_ = std::make_shared<ui::TextView>(ui::Rect{c.x - 160, c.y - 105, 320, 210});
    textView_->setText("Credits");
    textView_->setFont({"Helvetica", 12});
    textView_->setBackgroundColor(ui::Color::clear());
    textView_->setAlpha(0);
    textView_->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    recordsTable_ = std::make_shared<RecordsTable>(ui::Rect{c.x - 160, c.y - 105, 320, 210});

    label1_ = std::make_shared<widgets::UICustomLabel>(ui::Rect{c.x - 125, c.y + 60, 20, 100}, "Credits",
                                                       ui::Font{kMenuFont, 17}, "credits");
    label1_->setTextAlignment(ui::TextAlignment::Left);
    label1_->setTextColor(widgets::kHighlight);
    label1_->setAlpha(0);

    label2_ = std::make_shared<widgets::UICustomLabel>(ui::Rect{c.x + 105, c.y + 40, 20, 120}, "Back to menu",
                                                       ui::Font{kMenuFont, 17}, "back_to_menu");
    label2_->setTextAlignment(ui::TextAlignment::Center);
    label2_->setAlpha(0);

    img_ = std::make_shared<ui::ImageView>();
    showIntroImage("logoOrvane.png");

    setBackgroundColor(ui::Color::white());
    setTag(0);

    const auto background = ui::Image::named("bgMenu.jpg");
    backgr_ = std::make_shared<ui::ImageView>(background);
    addSubview(backgr_);
    addSubview(img_);

    fadeLogo(1, &StartView::fadeIn1Done);

    for (const auto& view : std::initializer_list<std::shared_ptr<ui::View>>{menuImage_, textView_, label1_, label2_}) {
        addSubview(view);
    }
}

StartView::~StartView() = default;

// ---- The intro ----

// A new picture, transparent, centred at its own size before it fades in.
void StartView::showIntroImage(const char* name) {
    const auto image = ui::Image::named(name);
    img_->setImage(image);
    img_->setAlpha(0);
    img_->setCenter(center());
    const ui::Size size = image ? image->size() : ui::Size{};
    img_->setFrame(ui::Rect::centeredAt(center(), size));
}

void StartView::fadeLogo(float alpha, void (StartView::*next)()) {
    introNext_ = next;
    beginAnimations();
    setAnimationDuration(kIntroFade);
    setAnimationDelay(kIntroFade);
    setAnimationDelegate(this, &StartView::introFadeDone);
    img_->setAlpha(alpha);
    commitAnimations();
}

// A fade that stops after the intro was skipped leads nowhere.
void StartView::introFadeDone() {
    if (const auto next = std::exchange(introNext_, nullptr)) (this->*next)();
}

void StartView::skipIntro() {
    introNext_ = nullptr;
    // Where the last fade leaves the intro: its last picture, transparent.
    showIntroImage("logoGame.png");
    menuAnimation();
}

void StartView::fadeIn1Done() { fadeLogo(0, &StartView::fadeOut1Done); }

void StartView::fadeOut1Done() {
    showIntroImage("presents.png");
    fadeLogo(1, &StartView::fadeIn2Done);
}

void StartView::fadeIn2Done() { fadeLogo(0, &StartView::fadeOut2Done); }

void StartView::fadeOut2Done() {
    showIntroImage("logoGame.png");
    fadeLogo(1, &StartView::fadeIn3Done);
}

// The last fade brings in the main menu.
void StartView::fadeIn3Done() { fadeLogo(0, &StartView::menuAnimation); }

void StartView::touchesBegan(const ui::TouchSet& touches, const ui::Event& event) {
    // A tap beside the saved-game list puts away a Delete button it shows.
    if (scrollView_) scrollView_->hideDelete();
    if (introNext_)
        skipIntro();
    else
        GameHost::touchesBegan(touches, event);
}

bool StartView::keyPressed(ui::Key key) {
    if (introNext_) {
        skipIntro();
        return true;
    }
    // The saved-game list, once in, takes the keys it knows.
    if (scrollView_ && scrollView_->superview() && scrollView_->alpha() == 1 && scrollView_->keyPressed(key))
        return true;
    if (key != ui::Key::Escape) return false;
    // A panel closes only once its way back shows, as a tap on it would;
    // until then Escape does nothing, and never reaches the game beneath.
    if (menuImage_->superview() && menuImage_->alpha() > 0) {
        if (label2_->superview() && label2_->alpha() == 1) AnimateCreditsMenuOut();
    } else if (mainView_->getIsInGame())
        mainView_->keyPressed(key);
    else if (gameModeMenu_.isIn())
        menu13Animation();
    else if (difficultyMenu_.isIn())
        menu114Animation();
    return true;
}

// ---- The menus ----

void StartView::menuAnimation() {
    // At the end of the intro the logo becomes the menu's.
    if (img_->alpha() == 0) showIntroImage("logoGameMenu.png");
    mainMenu_.build(*this);
    beginAnimations();
    setAnimationDuration(kSlide);
    mainMenu_.slide(true);
    img_->setAlpha(1);
    commitAnimations();
}

void StartView::AnimateMenuOut() { slideMenuOut(mainMenu_, &StartView::menu1Out); }

void StartView::showMenuTitle(const char* text) {
    if (!menu_titlu_) {
        menu_titlu_ =
            std::make_shared<widgets::UICustomLabel>(kTitleFrame, text, ui::Font{kMenuFont, 16}, "menu_titlu");
        menu_titlu_->setTextColor(widgets::kHighlight);
    }
    menu_titlu_->setText(text);
    menu_titlu_->setAlpha(0);
    addSubview(menu_titlu_);
}

void StartView::slideMenuIn(Menu& menu, const char* title) {
    showMenuTitle(title);
    menu.build(*this);
    beginAnimations();
    setAnimationDuration(kSlide);
    menu_titlu_->setAlpha(1);
    menu.slide(true);
    commitAnimations();
}

void StartView::slideMenuOut(const Menu& menu, void (StartView::*next)()) {
    beginAnimations();
    setAnimationDuration(kSlide);
    setAnimationDelegate(this, next);
    if (menu_titlu_) menu_titlu_->setAlpha(0);
    menu.slide(false);
    commitAnimations();
}

void StartView::menu1Out() { slideMenuIn(gameModeMenu_, "SELECT GAME MODE"); }

void StartView::tapNewGame() {
    timeTrial_ = false;
    animateGameTypeMenu();
}

void StartView::tapTimeTrialGame() {
    timeTrial_ = true;
    animateGameTypeMenu();
}

void StartView::animateGameTypeMenu() { slideMenuOut(gameModeMenu_, &StartView::menu11Out); }

void StartView::menu11Out() { slideMenuIn(difficultyMenu_, "SELECT DIFFICULTY"); }

void StartView::menu114Animation() { slideMenuOut(difficultyMenu_, &StartView::menu1Out); }

void StartView::menu13Animation() {
    timeTrial_ = false;
    slideMenuOut(gameModeMenu_, &StartView::menuAnimation);
}

// ---- New games ----

void StartView::startNewGame(const std::string& difficulty) {
    mainView_->StartGame(game::newGame(*core::difficultyNamed(difficulty), timeTrial_));
    showGame();
}

// The game, in play, flips in over the menus.
void StartView::showGame() {
    mainView_->setAlpha(0);
    addSubview(mainView_);
    AnimateGameView();
    resetDifficultyMenu();
}

// Ready for the next visit: the difficulty menu waits at its first positions.
void StartView::resetDifficultyMenu() {
    if (menu_titlu_) menu_titlu_->setAlpha(0);
    difficultyMenu_.reset();
}

void StartView::AnimateGameView() {
    beginAnimations();
    setAnimationTransition(ui::AnimationTransition::FlipFromLeft, *this);
    setAnimationDuration(kGameFlip);
    commitAnimations();
    mainView_->setAlpha(1);
}

// ---- The panels ----

void StartView::tapOnCredits() { openTextPanel("Credits", "credits", kCredits); }
void StartView::tapOnTutorial() { openTextPanel("Tutorial", "tutorial", kTutorial); }

void StartView::tapOnRecords() {
    coverWithPanel("Records", "records");
    recordsTable_->show(mainView_->records().bests());
    flipPanelIn(&StartView::recordsMenuInFinished);
}

void StartView::openTextPanel(const char* title, const char* id, const char* text) {
    coverWithPanel(title, id);
    textView_->setText(text);
    AnimateCreditsMenuIn();
}

void StartView::coverWithPanel(const char* title, const char* id) {
    addSubview(blurImage_);
    addSubview(menuImage_);
    label1_->setLabelId(id);
    label1_->setText(title);
}

void StartView::AnimateCreditsMenuIn() { flipPanelIn(&StartView::creditsMenuInFinished); }

void StartView::recordsMenuInFinished() { bringPanelContentIn(recordsTable_); }

void StartView::creditsMenuInFinished() { bringPanelContentIn(textView_); }

void StartView::flipPanelIn(void (StartView::*contentIn)()) {
    beginAnimations();
    setAnimationDuration(kPanelFlip);
    setAnimationTransition(ui::AnimationTransition::FlipFromRight, *menuImage_);
    setAnimationDelegate(this, contentIn);
    commitAnimations();
    menuImage_->setAlpha(1);
    blurImage_->setAlpha(1);
}

void StartView::bringPanelContentIn(const std::shared_ptr<ui::View>& content) {
    addSubview(content);
    addSubview(label1_);
    addSubview(label2_);
    // Title, content and exit come in together, flipping, a moment after the backdrop.
    beginAnimations();
    setAnimationDuration(kPanelContentIn);
    setAnimationDelay(kPanelContentDelay);
    setAnimationTransition(ui::AnimationTransition::FlipFromRight, *content);
    label1_->setAlpha(1);
    content->setAlpha(1);
    label2_->setAlpha(1);
    commitAnimations();
}

void StartView::AnimateCreditsMenuOut() {
    menuImage_->setAlpha(0);
    blurImage_->setAlpha(0);
    label1_->setAlpha(0);
    label2_->setAlpha(0);
    for (const auto& content :
         std::initializer_list<std::shared_ptr<ui::View>>{textView_, recordsTable_, scrollView_}) {
        if (content && content->alpha() == 1) content->setAlpha(0);
    }
    beginAnimations();
    setAnimationDuration(kPanelFlip);
    setAnimationTransition(ui::AnimationTransition::FlipFromRight, *menuImage_);
    setAnimationDelegate(this, &StartView::creditsOutFinished);
    commitAnimations();
}

void StartView::creditsOutFinished() {
    // Only the hidden ones: a panel opened while this one flipped out keeps its views.
    for (const auto& view : std::initializer_list<std::shared_ptr<ui::View>>{menuImage_, blurImage_, label1_, label2_,
                                                                             textView_, recordsTable_, scrollView_}) {
        if (view && view->alpha() == 0) view->removeFromSuperview();
    }
}

// ---- The saved-game list and loading ----

void StartView::tapOnLoad() { openLoadPanel(false); }
void StartView::tapOnLoadFromGame() { openLoadPanel(true); }

void StartView::openLoadPanel(bool fromGame) {
    const ui::Point c = center();
    scrollView_ = std::make_shared<widgets::UICustomScrollView>(ui::Rect{c.x - 160, c.y - 105, 320, 210});
    // Over a game the game itself is the backdrop's background.
    if (!fromGame) addSubview(blurImage_);
    addSubview(menuImage_);
    addSubview(scrollView_);
    label1_->setLabelId("load");
    label1_->setText("Load Game");
    showSavedGamesInScrollView();
    AnimateLoadMenuIn();
    setInGameLoad(fromGame);
}

void StartView::showSavedGamesInScrollView() {
    // The list may come once the panel has closed, or another has opened.
    saves_.list([this, token = liveness(), list = std::weak_ptr(scrollView_)](saves::Listing listing) {
        if (!token.expired() && list.lock() == scrollView_) showSavedGames(std::move(listing));
    });
}

void StartView::showSavedGames(saves::Listing listing) {
    if (!listing.problem.empty()) ui::AlertView::show("Load Game", listing.problem, "OK");
    scrollView_->setSaveNames(std::move(listing.saveNames));
}

void StartView::AnimateLoadMenuIn() { flipPanelIn(&StartView::loadMenuInFinished); }

void StartView::loadMenuInFinished() { bringPanelContentIn(scrollView_); }

void StartView::AnimateLoadMenuOut() {
    for (const auto& view :
         std::initializer_list<std::shared_ptr<ui::View>>{menuImage_, blurImage_, label1_, label2_, scrollView_}) {
        if (view) view->setAlpha(0);
    }
    beginAnimations();
    setAnimationDuration(kPanelFlip);
    setAnimationTransition(ui::AnimationTransition::FlipFromRight, *menuImage_);
    setAnimationDelegate(this, &StartView::creditsOutFinished);
    commitAnimations();
}

void StartView::loadData(const std::string& name) {
    saves_.read(name, [this, token = liveness(), list = std::weak_ptr(scrollView_),
                       name](const core::Result<saves::SavedGameRecord>& read) {
        // A save that arrives once its list has closed is no longer wanted.
        if (!token.expired() && list.lock() == scrollView_ && scrollView_->alpha() > 0) load(name, read);
    });
}

void StartView::load(const std::string& name, const core::Result<saves::SavedGameRecord>& read) {
    // A file that cannot be loaded changes nothing: the list stays open.
    if (!read) {
        ui::AlertView::show("Load Game", "\"" + name + "\" cannot be loaded. " + read.reason(), "OK");
        return;
    }
    AnimateLoadMenuOut();
    if (getInGameLoad()) mainView_->AnimateInGameMenuOut();
    mainView_->StartGame(*read);
    showGame();
}

void StartView::deleteData(const std::string& name) {
    saves_.remove(name, [this, token = liveness(), name](const core::Result<>& removed) {
        if (token.expired()) return;
        if (!removed) {
            ui::AlertView::show("Delete Game", removed.reason(), "OK");
            return;
        }
        // The list open now, even if it is not the one the save was deleted from: it may have been read meanwhile.
        if (scrollView_) scrollView_->removeSaveName(name);
    });
}

} // namespace start
