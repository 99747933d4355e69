#pragma once

#include "base/controls/control.h"
#include "base/link_policy.h"

namespace bt {

// A window's page area: the web page it stands for. The program never loads pages itself: the
// views show the address as a link, which opens in the player's browser. Only a web address is
// kept; anything else a feed names shows nothing and opens nothing.
class PageView : public Control {
  public:
    PageView(std::string name, Rect rect = {}) : Control(std::move(name), rect) {}
    // The page's address; empty when there is none to show.
    const std::string& link() const { return link_; }
    void setPage(std::string_view address) {
        assign(link_, isWebLink(address) ? std::string(address) : std::string());
    }

  private:
    std::string link_;
};

} // namespace bt
