#pragma once

// The news window's controls with their design values; the feed replaces most of them.

#include "platform/platform.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/inet.h"
#include "ui/controls/label.h"
#include "ui/controls/text_box.h"
#include "ui/controls/timer.h"
#include "ui/controls/web_browser.h"
#include "ui/controls/window.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>

namespace bt {

constexpr int kForm2ClientWidth = 1860;
constexpr int kForm2ClientHeight = 540;

class Form2Controls {
  public:
    explicit Form2Controls(Platform& platform);
    Form2Controls(const Form2Controls&) = delete;
    Form2Controls& operator=(const Form2Controls&) = delete;

    Label& label(int n) { return labels_.at(static_cast<std::size_t>(n - 1)); }
    const Label& label(int n) const { return labels_.at(static_cast<std::size_t>(n - 1)); }
    TextBox& text(int n) { return texts_.at(static_cast<std::size_t>(n - 1)); }
    const TextBox& text(int n) const { return texts_.at(static_cast<std::size_t>(n - 1)); }
    Timer& timer(int n) { return timers_.at(static_cast<std::size_t>(n - 1)); }
    // Link label of link k (1..6): Label2 .. Label7.
    Label& linkLabel(int k) { return label(k + 1); }

    static constexpr int kLabels = 11;
    static constexpr int kTimers = 4;

    Window form;
    CheckBox check1;
    Button command1;
    Button command2;
    WebBrowser webBrowser1;
    Inet inet1;
    std::string commonDialogFileName = "data";

    // Form-level values.
    std::string RequestUrl;
    std::array<std::string, 6> LinkTarget{};
    std::string ActiveLinkTarget;
    std::int16_t MouseX = 0;
    std::int16_t MouseY = 0;

  private:
    std::deque<Label> labels_;
    std::deque<TextBox> texts_;
    std::deque<Timer> timers_;
};

} // namespace bt
