#pragma once

#include "platform/scroll_view.h"
#include "widgets/label_container.h"

#include <string>

namespace widgets {

// Whoever holds the saved-game list and loads the game chosen on it.
class SavedGameLoader {
public:
    virtual ~SavedGameLoader() = default;
    virtual void loadData(const std::string& name) = 0;
};

// The saved-game list: a white, turned scroll view of one command label per
// save, that hands the name of a tapped save to the view holding it.
class UICustomScrollView : public ui::ScrollView, public LabelContainer {
public:
    static constexpr ui::Size kContentSize{320, 210};

    explicit UICustomScrollView(ui::Rect frame);

    void loadScrollData(const std::string& name) override;
};

} // namespace widgets
