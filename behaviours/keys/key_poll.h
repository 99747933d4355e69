#pragma once

// The program's purpose: the key poll timer asks the ten keypad keys every 100 ms; a key seen hands
// over to the key send timer, which types v, the slot's menu digit and its message digit, one per
// key interval, and hands back. At any moment at most one of the two timers is enabled.

#include <cstdint>

namespace bt {

class MainWindowControls;
class Platform;

constexpr int kMinInterval = 100;
constexpr int kMaxInterval = 1000;

class KeyPoll {
  public:
    KeyPoll(MainWindowControls& w, Platform& platform);

    void pollTick();
    void sendTick();

    // The slot being typed, or -1 before the first key.
    int pressedSlot() const { return pressedSlot_; }
    // 0: v comes next, 1: the menu digit, 2: the message digit, 3: the sequence is done.
    int sendStep() const { return sendStep_; }

  private:
    MainWindowControls& w_;
    Platform& platform_;
    int pressedSlot_ = -1;
    int sendStep_ = 0;
};

// The Interval button: asks for the key interval and keeps it within 100 to 1000 ms.
void askKeyInterval(MainWindowControls& w, Platform& platform);

} // namespace bt
