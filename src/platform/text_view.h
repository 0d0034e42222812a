#pragma once

#include "platform/font.h"
#include "platform/view.h"

#include <string>

namespace ui {

// A block of text wrapped at the view's width, inset a little from its edges.
class TextView : public View {
public:
    static constexpr float kInset = 8;

    explicit TextView(Rect frame = {});

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }

    void drawRect(Canvas& canvas, Rect rect) override;

private:
    std::string text_;
    Font font_{"Helvetica", 12};
    Color textColor_ = Color::black();
    bool editable_ = true;
};

} // namespace ui
