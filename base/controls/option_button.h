#pragma once

#include "base/controls/control.h"

namespace bt {

// An option button of a group of which exactly one is selected. The window sets which one from
// the program's state; the player's click comes in through click().
class OptionButton : public Control {
  public:
    OptionButton(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    bool value() const { return value_; }
    void setValue(bool v) { assign(value_, v); }

    void setOnClick(std::function<void()> f) { onClick_ = std::move(f); }
    void click() {
        if (onClick_)
            onClick_();
    }

  private:
    std::string caption_;
    bool value_ = false;
    std::function<void()> onClick_;
};

} // namespace bt
