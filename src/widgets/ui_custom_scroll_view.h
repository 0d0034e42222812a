#pragma once

#include "platform/scroll_view.h"
#include "widgets/label_container.h"
#include "widgets/save_rows.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class Button;
}

namespace widgets {

// Whoever holds the saved-game list: loads and deletes the games chosen on it.
class SavedGameHolder {
public:
    virtual ~SavedGameHolder() = default;
    virtual void loadData(const std::string& name) = 0;
    // The list loses the row once the save has gone (removeSaveName).
    virtual void deleteData(const std::string& name) = 0;
};

// The saved-game list: a white, turned scroll view with a row per save, whose
// labels exist only for the rows in sight (SaveRows). A tapped row hands its
// save's name to the view holding the list. A row dragged to the left shows
// a Delete button at its end, which deletes the save;
// dragging it back, a tap elsewhere or scrolling hides it again. Delete (or
// Backspace) asks whether to delete the save under the pointer.
class UICustomScrollView : public ui::ScrollView, public LabelContainer {
public:
    static constexpr ui::Size kContentSize{320, 210};

    explicit UICustomScrollView(ui::Rect frame);

    // The saves, newest first.
    void setSaveNames(std::vector<std::string> names);
    const std::vector<std::string>& saveNames() const { return names_; }
    // Takes a deleted save off the list.
    void removeSaveName(const std::string& name);
    // The label of the `index`th save, while it is in sight or next to it.
    const UICustomLabel* rowView(std::size_t index) const { return rows_.labelOf(index); }
    // The red button at the end of a swiped row; none wide while no row is swiped.
    const ui::View& deleteButton() const;
    // Slides a swiped row back over its button.
    void hideDelete();

    // A drag on a row may be a swipe, even where the list has nothing to scroll.
    bool takesOverDraggedTouches() const override { return true; }
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesEnded(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) override;
    bool keyPressed(ui::Key key) override;
    void loadScrollData(const std::string& name) override;

protected:
    void didScroll() override;

private:
    // What a finger on the list does: nothing yet (still within a tap), scroll, or swipe a row.
    enum class Drag { Undecided, Scroll, Swipe };

    void relist();
    void decide(const ui::Touch& touch);
    void revealDelete(float width, bool animated);
    void endDrag();
    void deleteOpenRow();
    void deleteSave(const std::string& name);

    std::vector<std::string> names_;
    SaveRows rows_;
    std::shared_ptr<ui::Button> deleteButton_;
    // The row that shows its Delete button, and how much of the button shows.
    std::optional<std::size_t> open_;
    float revealed_ = 0;
    // How much showed when the swipe began.
    float revealedBefore_ = 0;
    Drag drag_ = Drag::Undecided;
};

} // namespace widgets
