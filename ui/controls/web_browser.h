#pragma once

#include "platform/platform.h"
#include "ui/controls/control.h"

namespace bt {

// Page area of a window. navigate() hands the address to the platform's page view and returns.
class WebBrowser : public Control {
  public:
    WebBrowser(std::string name, Platform& platform, WindowId window, Rect rect = {})
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
