#pragma once

#include "base/controls/control.h"

#include <string>
#include <vector>

namespace bt {

// A drop-down list the user can only pick from. The change-notification rule every editor behaviour
// rests on: assigning a different selected index runs the list's behaviour inside the assignment;
// assigning the index it already has, clearing, and adding items run nothing.
class DropDownList : public Control {
  public:
    DropDownList(std::string name, std::vector<std::string> items, Rect rect = {})
        : Control(std::move(name), rect), items_(std::move(items)) {}

    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    int index() const { return index_; }

    // The selected item's text, empty with no selection.
    const std::string& text() const;

    // Returns false and changes nothing when index is outside -1 .. count()-1. The caller decides
    // what an invalid index means; a list is never left in an impossible state.
    bool setIndex(int index);

    void clear();
    void addItem(std::string item);

    void setBehaviour(std::function<void()> f) { behaviour_ = std::move(f); }
    // Runs the behaviour by hand, as the editor does when it refreshes a slot.
    void runBehaviour() {
        if (behaviour_)
            behaviour_();
    }

  private:
    std::vector<std::string> items_;
    int index_ = -1;
    std::function<void()> behaviour_;
};

// The items "1" up to count, as every list in the program holds them.
std::vector<std::string> digitItems(int count);

} // namespace bt
