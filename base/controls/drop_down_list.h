#pragma once

#include "base/controls/control.h"

#include <string>
#include <vector>

namespace bt {

// A drop-down list the player can only pick from. The window sets its items and selection from
// the program's state; the player's pick comes in through choose() and goes to the window, which
// decides what it means. Setting items or a selection never runs anything.
class DropDownList : public Control {
  public:
    DropDownList(std::string name, std::vector<std::string> items, Rect rect = {})
        : Control(std::move(name), rect), items_(std::move(items)) {}

    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    int index() const { return index_; }
    // What the closed list shows: the selected entry, or nothing.
    std::string text() const {
        return index_ >= 0 && index_ < count() ? items_[static_cast<std::size_t>(index_)]
                                               : std::string();
    }

    // What the list offers and which entry is selected (-1: none).
    void show(const std::vector<std::string>& items, int index);

    void setOnChosen(std::function<void(int index)> f) { onChosen_ = std::move(f); }
    // The player picked the entry at index (from the view).
    void choose(int index) {
        if (onChosen_ && index >= 0 && index < count())
            onChosen_(index);
    }

  private:
    std::vector<std::string> items_;
    int index_ = -1;
    std::function<void(int)> onChosen_;
};

} // namespace bt
