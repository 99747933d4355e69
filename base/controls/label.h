#pragma once

#include "base/controls/control.h"

namespace bt {

class Label : public Control {
  public:
    Label(std::string name, std::string caption, Rect rect = {})
        : Control(std::move(name), rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { assign(caption_, std::move(c)); }

    SysColor foreColor() const { return foreColor_; }
    void setForeColor(SysColor c) { assign(foreColor_, c); }

    const Font& font() const { return font_; }
    void setFont(const Font& f) { assign(font_, f); }
    void setFontSize(double s) { assign(font_.size, s); }
    void setFontBold(bool b) { assign(font_.bold, b); }
    void setFontUnderline(bool u) { assign(font_.underline, u); }

    // A label the player can click (a slot's key label, to choose its key).
    void setOnClick(std::function<void()> f) { onClick_ = std::move(f); }
    void click() {
        if (onClick_)
            onClick_();
    }

  private:
    std::function<void()> onClick_;
    std::string caption_;
    SysColor foreColor_ = SysColor::WindowText;
    Font font_;
};

} // namespace bt
