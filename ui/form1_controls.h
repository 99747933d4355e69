#pragma once

// The controls of the main window with their design values. State lives in them: a slot's binding
// is the selection of its two lists, the variant is Text3, the key interval Text2, the bind text
// Text1, and several initial texts are sentinels the handlers test against.

#include "platform/platform.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/inet.h"
#include "ui/controls/label.h"
#include "ui/controls/option_button.h"
#include "ui/controls/text_box.h"
#include "ui/controls/timer.h"
#include "ui/controls/web_browser.h"
#include "ui/controls/window.h"

#include <deque>
#include <string>

namespace bt {

constexpr int kForm1ClientWidth = 4890;
constexpr int kForm1ClientHeight = 3645;

class Form1Controls {
  public:
    Form1Controls(Platform& platform, std::string serverBaseUrl);
    Form1Controls(const Form1Controls&) = delete;
    Form1Controls& operator=(const Form1Controls&) = delete;

    // Controls by their number: label(12) is Label12, combo(4) is Combo4, and so on.
    Label& label(int n) { return labels_.at(static_cast<std::size_t>(n - 1)); }
    const Label& label(int n) const { return labels_.at(static_cast<std::size_t>(n - 1)); }
    ComboBox& combo(int n) { return combos_.at(static_cast<std::size_t>(n - 1)); }
    TextBox& text(int n) { return texts_.at(static_cast<std::size_t>(n - 1)); }
    Button& command(int n) { return commands_.at(static_cast<std::size_t>(n - 1)); }
    Timer& timer(int n) { return timers_.at(static_cast<std::size_t>(n - 1)); }
    const ComboBox& combo(int n) const { return combos_.at(static_cast<std::size_t>(n - 1)); }
    const TextBox& text(int n) const { return texts_.at(static_cast<std::size_t>(n - 1)); }

    static constexpr int kLabels = 16;
    static constexpr int kCombos = 22;
    static constexpr int kTexts = 8;
    static constexpr int kCommands = 6;
    static constexpr int kTimers = 8;

    Window form;
    OptionButton option1;
    OptionButton option2;
    WebBrowser webBrowser1;
    Inet inet1;
    std::string commonDialogFileName = "binds";

  private:
    std::deque<Label> labels_;
    std::deque<ComboBox> combos_;
    std::deque<TextBox> texts_;
    std::deque<Button> commands_;
    std::deque<Timer> timers_;
};

} // namespace bt
