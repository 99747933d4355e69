#pragma once

#include "base/controls/control.h"

#include <vector>

namespace bt {

// Option buttons in one group: exactly one is selected. Selecting one that is not selected
// deselects the others and runs its click behaviour; selecting the selected one runs nothing.
class OptionButton : public Control {
  public:
    OptionButton(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    static void group(std::vector<OptionButton*> members);

    const std::string& caption() const { return caption_; }
    bool value() const { return value_; }

    // Sets the initial selection without running any behaviour, as a window's design does.
    void setDesignValue(bool v) { value_ = v; }

    void select();

    void setOnClick(std::function<void()> f) { onClick_ = std::move(f); }

  private:
    std::string caption_;
    bool value_ = false;
    std::vector<OptionButton*> group_;
    std::function<void()> onClick_;
};

} // namespace bt
