#pragma once

#include "base/controls/control.h"

namespace bt {

// A text box the player can type into; the view hands every edit to setText.
class TextBox : public Control {
  public:
    TextBox(std::string name, std::string text, Rect rect = {})
        : Control(std::move(name), rect), text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    void setText(std::string t) { assign(text_, std::move(t)); }

  private:
    std::string text_;
};

} // namespace bt
