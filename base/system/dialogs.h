#pragma once

// The system's small modal boxes. Timers keep ticking while one is open.

#include <string>
#include <string_view>

namespace bt {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Asks for a line of text, placed at the given distance from the screen's corner; the entered
    // text, empty on Cancel.
    virtual std::string inputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultText, int leftTwips, int topTwips) = 0;
    // Tells something, with an OK button only and no icon.
    virtual void messageBox(std::string_view prompt, std::string_view title) = 0;
    // The player's decimal separator, for numbers typed into a box.
    virtual char decimalSeparator() const = 0;
};

} // namespace bt
