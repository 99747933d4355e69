#include "ui/form1.h"

namespace bt {

Form1::Form1(Platform& platform, std::string serverBaseUrl)
    : platform_(platform), c_(platform, std::move(serverBaseUrl)), editor_(c_),
      watcher_(c_, platform), bindFile_(c_, platform), lifecycle_(c_, platform),
      status_(c_, platform) {
    editor_.wire();
    watcher_.wire();
    // Timer5 and Timer3 are both first due about 100 ms after start. Timer5 re-runs slot 0's menu
    // rule, which resets slot 0's message; run after the bind text it would lose the file's
    // binding for Numpad 0. So the refresh always comes first: Timer3 runs it if it is still due.
    bindFile_.wire([this] {
        if (c_.timer(5).enabled())
            timer5Tick();
    });
    lifecycle_.wire([this] { unload(); });
    status_.wire();
    c_.timer(5).setOnTick([this] { timer5Tick(); });
    // Timer4 ticks every second and has no behaviour.
}

void Form1::load() {
    c_.webBrowser1.navigate(c_.text(5).text() + "counter.php");
    lifecycle_.fillTrayRecord();
    bindFile_.startupRead();
    loaded_ = true;
    c_.form.setVisible(true);
    for (int n = 1; n <= Form1Controls::kTimers; ++n)
        c_.timer(n).attach(platform_);
}

void Form1::timer5Tick() {
    c_.combo(1).runClick();
    c_.combo(2).runClick();
    c_.timer(5).setEnabled(false);
}

void Form1::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    lifecycle_.removeIcon();
    for (int n = 1; n <= Form1Controls::kTimers; ++n)
        c_.timer(n).setEnabled(false);
    c_.inet1.cancel();
    if (unloadStep_)
        unloadStep_();
    c_.form.setVisible(false);
    if (onUnloaded_)
        onUnloaded_();
}

} // namespace bt
