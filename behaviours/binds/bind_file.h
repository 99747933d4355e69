#pragma once

// The file "binds": read at start-up into the bind text, applied by the bind apply timer once the
// bind text differs from its sentinel "Text1", written by Save.

#include <functional>

namespace bt {

class MainWindowControls;
class Platform;

class BindFile {
  public:
    // beforeApply runs at the start of the tick that applies the bind text: the window uses it to
    // make sure slot 0's one-shot refresh has happened first, whatever order the timers fire in.
    BindFile(MainWindowControls& w, Platform& platform, std::function<void()> beforeApply);

    // Copies the file into the bind text, or gives every slot menu 1, message 1.
    void startupRead();
    void save();
    // One pass of applying the bind text to the variant and the twenty lists.
    void loadPass();
    void applyTick();

  private:
    void selectFirstWhereUnselected();

    bool applied_ = false; // the bind text is applied once per run, then never again

    MainWindowControls& w_;
    Platform& platform_;
    std::function<void()> beforeApply_;
};

} // namespace bt
