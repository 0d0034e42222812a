#include "widgets/save_rows.h"

#include "widgets/label_colors.h"
#include "widgets/ui_custom_label.h"

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

// Rows made ready beyond each edge of the list.
constexpr std::ptrdiff_t kMargin = 1;

std::ptrdiff_t rowAtOrAbove(float y) { return static_cast<std::ptrdiff_t>(std::floor(y / SaveRows::kHeight)); }

} // namespace

// As many labels as rows can be in sight at once, a row cut at each edge, and the margins.
SaveRows::SaveRows(ui::View& list, float listHeight)
    : list_(list), listHeight_(listHeight),
      rows_(static_cast<std::size_t>(std::ceil(listHeight / kHeight) + 1 + 2 * kMargin)) {}

ui::Rect SaveRows::frameOf(std::size_t index) { return {0, kHeight * static_cast<float>(index), kWidth, kHeight}; }

std::optional<std::size_t> SaveRows::rowAt(float y, std::size_t rows) {
    const std::ptrdiff_t row = rowAtOrAbove(y);
    if (row < 0 || static_cast<std::size_t>(row) >= rows) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void SaveRows::layout(const std::vector<std::string>& names, float top) {
    const auto first = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, rowAtOrAbove(top) - kMargin));
    const std::ptrdiff_t after = static_cast<std::ptrdiff_t>(std::ceil((top + listHeight_) / kHeight)) + kMargin;
    const std::size_t end = std::min(names.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, after)));
    const std::size_t count = rows_.size();
    for (std::size_t slot = 0; slot < count; ++slot) {
        Row& row = rows_[slot];
        // The one row from first to end that this label is for, if any.
        const std::size_t index = first + (slot + count - first % count) % count;
        if (index >= end) {
            if (row.label) row.label->setHidden(true);
            row.index.reset();
            continue;
        }
        if (!row.label) {
            row.label = std::make_shared<UICustomLabel>(frameOf(index), names[index], ui::Font{"Trebuchet MS", 14},
                                                        "load_label");
            list_.addSubview(row.label);
        } else if (row.index != index) {
            // The label may still be lit by the pointer or a finger of the row it showed.
            row.label->setText(names[index]);
            row.label->setTextColor(kNormalText);
        }
        row.index = index;
        row.label->setFrame(frameOf(index));
        row.label->setHidden(false);
    }
}

void SaveRows::forget() {
    for (Row& row : rows_) row.index.reset();
}

UICustomLabel* SaveRows::labelOf(std::size_t index) const {
    const Row& row = rows_[index % rows_.size()];
    return row.index == index ? row.label.get() : nullptr;
}

std::optional<std::size_t> SaveRows::rowOf(const ui::View* view) const {
    const auto row = std::find_if(rows_.begin(), rows_.end(), [view](const Row& r) { return r.label.get() == view; });
    return row == rows_.end() ? std::nullopt : row->index;
}

} // namespace widgets
