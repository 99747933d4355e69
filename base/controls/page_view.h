#pragma once

#include "base/controls/control.h"
#include "base/platform.h"

namespace bt {

// A window's page area. navigate() hands the address to the platform and returns at once.
class PageView : public Control {
  public:
    PageView(std::string name, Platform& platform, WindowId window, Rect rect = {})
        : Control(std::move(name), rect), platform_(platform), window_(window) {}

    const std::string& url() const { return url_; }
    void navigate(std::string url) {
        url_ = std::move(url);
        changed();
        platform_.navigate(window_, url_);
    }

  private:
    Platform& platform_;
    WindowId window_;
    std::string url_;
};

} // namespace bt
