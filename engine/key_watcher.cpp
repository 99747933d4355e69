#include "engine/key_watcher.h"

#include "engine/key_interval.h"
#include "engine/slots.h"
#include "platform/platform.h"
#include "ui/form1_controls.h"

#include <string>

namespace bt {

namespace {

constexpr const char* kTitle = "Brontek tarnlow";
constexpr const char* kRangeMessage = "Enter 100 - 1000";

} // namespace

void KeyWatcher::wire() {
    f_.timer(1).setOnTick([this] { watcherTick(); });
    f_.timer(2).setOnTick([this] { senderTick(); });
    f_.command(5).setOnClick([this] { intervalDialog(); });
}

void KeyWatcher::watcherTick() {
    // Text2 always holds a number from 100 to 1000 once the dialog has checked it; should it ever
    // not, the default keeps the sender going rather than stopping it.
    int interval = kMinInterval;
    if (const auto value = parseNumber(f_.text(2).text(), platform_.decimalSeparator())) {
        if (const auto ms = roundHalfEven32(*value); ms && *ms > 0)
            interval = *ms;
    }
    f_.timer(2).setInterval(interval);

    // All ten keys on every tick, ascending: each query spends the key's "pressed since" state,
    // and a later hit overwrites an earlier one, so the highest key wins.
    for (int vk = kVkNumpad0; vk <= kVkNumpad9; ++vk) {
        if (platform_.keyPressed(vk)) {
            PressedSlot = static_cast<std::int16_t>(vk - 95);
            SendStep = 0;
            f_.timer(2).setEnabled(true);
            f_.timer(1).setEnabled(false);
        }
    }
}

void KeyWatcher::senderTick() {
    if (PressedSlot < 1 || PressedSlot > kSlotCount) {
        // Cannot happen: only the watcher enables the sender, after setting the slot. Hand back
        // rather than leave both timers idle.
        f_.timer(1).setEnabled(true);
        f_.timer(2).setEnabled(false);
        return;
    }
    const SlotDef& s = kSlots[static_cast<std::size_t>(PressedSlot - 1)];
    // The lists are read now, not when the key was seen: a selection changed during a sequence
    // changes what the later steps type.
    const std::int16_t step = SendStep;
    if (step == 0) {
        platform_.sendKeys("{v}");
    } else if (step == 1) {
        platform_.sendKeys(f_.combo(s.menuCombo).text());
    } else if (step == 2) {
        platform_.sendKeys(f_.combo(s.messageCombo).text());
        f_.timer(1).setEnabled(true);
        f_.timer(2).setEnabled(false);
    }
    if (SendStep < 3)
        ++SendStep;
}

void KeyWatcher::intervalDialog() {
    const char sep = platform_.decimalSeparator();
    OldInterval = static_cast<std::int16_t>(kMinInterval);
    if (const auto current = parseNumber(f_.text(2).text(), sep)) {
        if (const auto old = roundHalfEven16(*current))
            OldInterval = *old;
    }

    // The box always proposes "100", not the interval in force.
    f_.text(2).setText(platform_.inputBox("Key interval (ms)", kTitle, "100", 2500, 2700));
    if (f_.text(2).text().empty()) {
        f_.text(2).setText(std::to_string(OldInterval));
        return;
    }
    // A text that is no number gets the same reset and message as one out of range. Text2 is
    // replaced before the message box opens, so every tick during the box sees a valid interval.
    const auto value = parseNumber(f_.text(2).text(), sep);
    if (!value || *value < kMinInterval) {
        f_.text(2).setText("100");
        platform_.messageBox(kRangeMessage, kTitle);
    }
    const auto now = parseNumber(f_.text(2).text(), sep);
    if (now && *now > kMaxInterval) {
        f_.text(2).setText("100");
        platform_.messageBox(kRangeMessage, kTitle);
    }
}

} // namespace bt
