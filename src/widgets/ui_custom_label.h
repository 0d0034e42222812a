#pragma once

#include "platform/label.h"

#include <string>

namespace widgets {

// A command label: every menu entry, panel title and end-of-level choice.
// Its id decides its style when made, whether it lights up under a finger,
// and which operation runs on its container when the finger lifts on it.
class UICustomLabel : public ui::Label {
public:
    UICustomLabel(ui::Rect frame, std::string text, ui::Font font, std::string labelId);

    const std::string& getLabelId() const { return labelId_; }
    void setLabelId(std::string labelId) { labelId_ = std::move(labelId); }

    // A touch on a label is the label's own: none of it goes to the container.
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesEnded(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) override;
    // The pointer lights the label up as a finger does.
    void pointerEntered() override;
    void pointerExited() override;

private:
    bool is(std::initializer_list<const char*> ids) const;
    bool runsSomething() const;
    void lightUp();
    void restoreColour();
    void dispatch();

    std::string labelId_;
};

} // namespace widgets
