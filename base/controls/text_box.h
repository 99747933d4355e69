#pragma once

#include "base/controls/control.h"

namespace bt {

// Most text boxes are hidden working fields whose initial text is a sentinel ("Text1", "Text3").
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
