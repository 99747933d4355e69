#pragma once

#include "base/controls/control.h"

namespace bt {

// A check box. The window sets whether it is ticked from its state; the player's click comes in
// through toggle() and goes to the window, which decides what it means.
class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { assign(caption_, std::move(c)); }
    bool checked() const { return checked_; }
    void setChecked(bool on) { assign(checked_, on); }
    const Font& font() const { return font_; }
    void setFontSize(double s) { assign(font_.size, s); }
    void setFontUnderline(bool u) { assign(font_.underline, u); }

    void setOnToggled(std::function<void(bool on)> f) { onToggled_ = std::move(f); }
    // The player ticked or cleared the box (from the view).
    void toggle(bool on) {
        if (onToggled_)
            onToggled_(on);
    }

  private:
    std::string caption_;
    bool checked_ = false;
    Font font_;
    std::function<void(bool)> onToggled_;
};

} // namespace bt
