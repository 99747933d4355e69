#pragma once

#include "base/controls/control.h"

namespace bt {

class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { assign(caption_, std::move(c)); }

    // 0 unchecked, 1 checked.
    int value() const { return value_; }
    void setValue(int v) { assign(value_, v == 0 ? 0 : 1); }

    const Font& font() const { return font_; }
    void setFontSize(double s) { assign(font_.size, s); }
    void setFontUnderline(bool u) { assign(font_.underline, u); }

  private:
    std::string caption_;
    int value_ = 0;
    Font font_;
};

} // namespace bt
