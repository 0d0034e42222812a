#pragma once

#include "platform/view.h"
#include "saves/personal_bests.h"

#include <string>

namespace start {

// The records panel's content, a table read in landscape: for each mode,
// each difficulty's furthest level and best score, then the best times of
// the largest boards won.
class RecordsTable final : public ui::View {
public:
    // `frame` as the text panels' content has it: turned to read in landscape.
    explicit RecordsTable(ui::Rect frame);

    // Fills the table anew.
    void show(const saves::PersonalBests& bests);

private:
    enum class Style { Heading, Caption, Cell };
    void addText(float x, float y, float width, std::string text, Style style);
};

} // namespace start
