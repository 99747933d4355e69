#include "behaviours/keys/key_poll.h"

#include "base/main_window_controls.h"
#include "base/numbers.h"

#include <string>

namespace bt {

namespace {

constexpr const char* kTitle = "Brontek tarnlow";
constexpr const char* kRangeMessage = "Enter 100 - 1000";

} // namespace

KeyPoll::KeyPoll(MainWindowControls& w, Platform& platform) : w_(w), platform_(platform) {
    w_.keyPollTimer.setOnTick([this] { pollTick(); });
    // A poll finds nothing unless a keypad key is down or was pressed: the platform may let the
    // timer sleep until one is.
    w_.keyPollTimer.setWakesOnKeypad(true);
    w_.keySendTimer.setOnTick([this] { sendTick(); });
    w_.intervalButton.setOnClick([this] { askKeyInterval(w_, platform_); });
}

void KeyPoll::pollTick() {
    // The dialog keeps the interval a number from 100 to 1000; should it ever not be one, the
    // default keeps the sender going rather than stopping it.
    const auto value = parseNumber(w_.keyInterval, platform_.decimalSeparator());
    w_.keySendTimer.setInterval(
        roundHalfEven32(value.value_or(kMinInterval)).value_or(kMinInterval));

    // All ten keys on every tick, ascending: each query spends the key's "pressed since" state,
    // and a later hit overwrites an earlier one, so the highest key wins.
    for (int digit = 0; digit < kSlotCount; ++digit) {
        if (platform_.keypadPressed(digit)) {
            pressedSlot_ = digit;
            sendStep_ = 0;
            w_.keySendTimer.setEnabled(true);
            w_.keyPollTimer.setEnabled(false);
        }
    }
}

void KeyPoll::sendTick() {
    // The lists are read now, not when the key was seen: a selection changed during a sequence
    // changes what the later steps type.
    if (sendStep_ == 0) {
        platform_.sendKeys("{v}");
    } else if (sendStep_ == 1) {
        platform_.sendKeys(w_.slotMenu(pressedSlot_).text());
    } else {
        platform_.sendKeys(w_.slotMessage(pressedSlot_).text());
        w_.keyPollTimer.setEnabled(true);
        w_.keySendTimer.setEnabled(false);
    }
    ++sendStep_;
}

void askKeyInterval(MainWindowControls& w, Platform& platform) {
    const char separator = platform.decimalSeparator();
    std::int16_t oldInterval = kMinInterval;
    if (const auto current = parseNumber(w.keyInterval, separator)) {
        if (const auto old = roundHalfEven16(*current))
            oldInterval = *old;
    }

    // The box always proposes "100", not the interval in force.
    w.keyInterval = platform.inputBox("Key interval (ms)", kTitle, "100", 2500, 2700);
    if (w.keyInterval.empty()) {
        w.keyInterval = std::to_string(oldInterval);
        return;
    }
    // Out of range, or no number at all: "100" and the message. The interval is replaced before
    // the message box opens, so every tick during the box sees a valid one.
    const auto value = parseNumber(w.keyInterval, separator);
    if (!value || *value < kMinInterval || *value > kMaxInterval) {
        w.keyInterval = "100";
        platform.messageBox(kRangeMessage, kTitle);
    }
}

} // namespace bt
