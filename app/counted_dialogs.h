#pragma once

// The system's boxes, counted while one is open. A box holds the whole program until it is
// answered, so the main window is not put away behind one: a window manager may minimize a window
// whose box is open, and the tray's icon could not be clicked to bring it back.

#include "base/system/dialogs.h"

namespace bt {

class CountedDialogs : public Dialogs {
  public:
    explicit CountedDialogs(Dialogs& dialogs) : dialogs_(dialogs) {}
    bool anyOpen() const { return open_ > 0; }

    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override {
        const Open open(open_);
        return dialogs_.inputBox(prompt, title, defaultText, leftTwips, topTwips);
    }
    void messageBox(std::string_view prompt, std::string_view title) override {
        const Open open(open_);
        dialogs_.messageBox(prompt, title);
    }
    char decimalSeparator() const override { return dialogs_.decimalSeparator(); }

  private:
    struct Open {
        explicit Open(int& count) : count_(++count) {}
        ~Open() { --count_; }
        int& count_;
    };
    Dialogs& dialogs_;
    int open_ = 0;
};

} // namespace bt
