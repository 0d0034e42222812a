#pragma once

#include "platform/font.h"
#include "platform/view.h"

#include <string>

namespace ui {

// Text in a box, one line or wrapped, vertically centred. Takes no touches unless enabled.
class Label : public View {
public:
    explicit Label(Rect frame = {});

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    // 1 draws one line; 0 wraps the text at the label's width.
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    // One line longer than the label: drawn whole past its edges, or cut with an ellipsis.
    void setTruncatesTail(bool truncates);

    void drawRect(Canvas& canvas, Rect rect) override;

private:
    std::string text_;
    Font font_;
    Color textColor_ = Color::black();
    TextAlignment alignment_ = TextAlignment::Left;
    int numberOfLines_ = 1;
    bool truncatesTail_ = false;
};

} // namespace ui
