#pragma once

#include "platform/geometry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class View;
}

namespace widgets {

class UICustomLabel;

// The command labels of a long list's rows: one for each row in sight and
// one beyond each edge, made as they are first needed. A row that scrolls
// away hands its label to one coming into sight; row `index` always has
// label `index` modulo their number, so a row that stays in sight keeps its own.
class SaveRows {
public:
    static constexpr float kHeight = 15;
    static constexpr float kWidth = 300;

    // The labels of a list `listHeight` points high, put in `list`.
    SaveRows(ui::View& list, float listHeight);

    // Shows the rows in sight with the list scrolled to `top`, each with its name from `names`.
    void layout(const std::vector<std::string>& names, float top);
    // The names have changed: each label reads its row's name again at the next layout.
    void forget();

    // The label of row `index`, while it is in sight or next to it.
    UICustomLabel* labelOf(std::size_t index) const;
    // The row whose label `view` is, if it is one.
    std::optional<std::size_t> rowOf(const ui::View* view) const;
    static ui::Rect frameOf(std::size_t index);
    // Which of `rows` rows lies at the height `y` of the list's content, if one does.
    static std::optional<std::size_t> rowAt(float y, std::size_t rows);

private:
    struct Row {
        std::shared_ptr<UICustomLabel> label;
        std::optional<std::size_t> index;
    };

    ui::View& list_;
    float listHeight_;
    std::vector<Row> rows_;
};

} // namespace widgets
