#include "widgets/ui_custom_scroll_view.h"

namespace widgets {

UICustomScrollView::UICustomScrollView(ui::Rect frame) : ScrollView(frame) {
    setBackgroundColor(ui::Color::white());
    setContentSize(kContentSize);
    setAlpha(0);
    setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
}

void UICustomScrollView::loadScrollData(const std::string& name) {
    if (auto* loader = dynamic_cast<SavedGameLoader*>(superview())) loader->loadData(name);
}

} // namespace widgets
