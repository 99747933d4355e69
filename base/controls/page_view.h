#pragma once

#include "base/controls/control.h"

namespace bt {

// A window's page area: the address of the page it shows. The program never loads pages itself:
// the views show the address as a link, which opens in the player's browser.
class PageView : public Control {
  public:
    PageView(std::string name, Rect rect = {}) : Control(std::move(name), rect) {}

    const std::string& url() const { return url_; }
    void setUrl(std::string url) { assign(url_, std::move(url)); }

  private:
    std::string url_;
};

} // namespace bt
