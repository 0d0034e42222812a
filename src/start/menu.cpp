#include "start/menu.h"

#include "widgets/ui_custom_label.h"

namespace start {

Menu::Menu(std::vector<MenuEntry> entries, float fontSize) : entries_(std::move(entries)), fontSize_(fontSize) {}

Menu::~Menu() = default;

void Menu::build(ui::View& screen) {
    if (labels_.empty()) {
        for (const MenuEntry& entry : entries_) {
            labels_.push_back(std::make_shared<widgets::UICustomLabel>(entry.first, entry.text,
                                                                       ui::Font{"Trebuchet MS", fontSize_}, entry.id));
        }
    }
    for (const auto& label : labels_) screen.addSubview(label);
}

void Menu::slide(bool in) const {
    for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i]->setFrame(in ? entries_[i].in : entries_[i].out);
}

bool Menu::isIn() const { return !labels_.empty() && labels_.front()->center() == entries_.front().in.center(); }

void Menu::reset() const {
    for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i]->setFrame(entries_[i].first);
}

} // namespace start
