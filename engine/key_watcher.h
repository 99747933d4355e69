#pragma once

// The program's purpose: Timer1 polls the ten keypad keys every 100 ms; a key seen hands over to
// Timer2, which types v, the slot's menu digit and its message digit, one per key interval, and
// hands back. At any moment at most one of the two timers is enabled.

#include <cstdint>

namespace bt {

class Form1Controls;
class Platform;

class KeyWatcher {
  public:
    KeyWatcher(Form1Controls& f, Platform& platform) : f_(f), platform_(platform) {}

    void wire();

    void watcherTick();    // Timer1_Timer
    void senderTick();     // Timer2_Timer
    void intervalDialog(); // Command5_Click

    std::int16_t pressedSlot() const { return PressedSlot; }
    std::int16_t sendStep() const { return SendStep; }

  private:
    Form1Controls& f_;
    Platform& platform_;
    std::int16_t PressedSlot = 0;
    std::int16_t SendStep = 0;
    std::int16_t OldInterval = 0;
};

} // namespace bt
