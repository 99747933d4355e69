#pragma once

// Save (Command1), load (Command3), the start-up read and Timer3, which applies the bind text five
// times once it differs from the sentinel "Text1".

#include <functional>

namespace bt {

class Form1Controls;
class Platform;

class BindFile {
  public:
    BindFile(Form1Controls& f, Platform& platform) : f_(f), platform_(platform) {}

    // beforeApply runs at the start of the tick that applies the bind text: the window uses it to
    // make sure slot 0's one-shot refresh has happened first, whatever order the timers fire in.
    void wire(std::function<void()> beforeApply);

    // Load step: copies the file into Text1, or selects entry 0 in Combo1..Combo20 in that order.
    void startupRead();
    void save();
    void load();
    void timer3Tick();

  private:
    void selectFirstWhereUnselected();

    Form1Controls& f_;
    Platform& platform_;
    std::function<void()> beforeApply_;
};

} // namespace bt
