#pragma once

#include "ui/controls/control.h"

#include <string>
#include <vector>

namespace bt {

// A drop-down list the user can only pick from. The change-notification rule every editor rule
// rests on: assigning a different selected index runs the list's behaviour inside the assignment;
// assigning the index it already has, clearing, and adding items run nothing.
class ComboBox : public Control {
  public:
    ComboBox(std::string name, std::vector<std::string> items, Rect rect = {})
        : Control(std::move(name), rect), items_(std::move(items)) {}

    const std::vector<std::string>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    int listIndex() const { return index_; }

    // The selected item's text, empty with no selection.
    const std::string& text() const;

    // Returns false and changes nothing when index is outside -1 .. listCount()-1. The caller
    // decides what an invalid index means; a list is never left in an impossible state.
    bool setListIndex(int index);

    void clear();
    void addItem(std::string item);

    void setOnClick(std::function<void()> f) { onClick_ = std::move(f); }
    // Runs the behaviour by name, as handlers do with one another (Timer5 runs Combo1_Click).
    void runClick() {
        if (onClick_)
            onClick_();
    }

  private:
    std::vector<std::string> items_;
    int index_ = -1;
    std::function<void()> onClick_;
};

} // namespace bt
