#pragma once

#include "base/controls/control.h"

namespace bt {

class Button : public Control {
  public:
    Button(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { assign(caption_, std::move(c)); }

    void setOnClick(std::function<void()> f) { onClick_ = std::move(f); }
    void click() {
        if (onClick_)
            onClick_();
    }

  private:
    std::string caption_;
    std::function<void()> onClick_;
};

} // namespace bt
