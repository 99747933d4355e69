#pragma once

#include "base/controls/control.h"

namespace bt {

// A text box. The window sets its text from its state; what the player types comes in through
// edit() and goes to the window.
class TextBox : public Control {
  public:
    TextBox(std::string name, std::string text, Rect rect = {})
        : Control(std::move(name), rect), text_(std::move(text)) {}
    const std::string& text() const { return text_; }
    void setText(std::string t) { assign(text_, std::move(t)); }

    void setOnEdited(std::function<void(const std::string&)> f) { onEdited_ = std::move(f); }
    // The player changed the text (from the view).
    void edit(const std::string& text) {
        if (onEdited_)
            onEdited_(text);
    }

  private:
    std::string text_;
    std::function<void(const std::string&)> onEdited_;
};

} // namespace bt
