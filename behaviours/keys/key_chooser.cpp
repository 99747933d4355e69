#include "behaviours/keys/key_chooser.h"

#include "base/system/trigger_input.h"
#include "behaviours/keys/trigger_state.h"

namespace bt {

KeyChooser::KeyChooser(const TriggerInput& input, Files& files, Dialogs& dialogs,
                       TriggerState& triggers, std::function<void()> onChange)
    : input_(input), triggers_(triggers), file_(input, files, dialogs),
      onChange_(std::move(onChange)) {}

void KeyChooser::load() {
    triggers_.setKeys(file_.load());
    onChange_();
}

void KeyChooser::begin(int slot) {
    if (slot < 0 || slot >= kSlotCount)
        return;
    triggers_.beginChoice(slot);
    refusal_.clear();
    onChange_();
}

void KeyChooser::cancel() {
    if (triggers_.choosing())
        end();
}

void KeyChooser::keyPressed(KeyCode code) {
    const auto slot = triggers_.choosing();
    if (!slot)
        return;
    const auto key = input_.describe(code);
    // The left and right buttons and the wheel work the window: the choice waits on.
    if (!key || key->kind == KeyKind::Pointer)
        return;
    if (key->kind == KeyKind::Cancel) {
        end();
    } else if (key->kind == KeyKind::Erase || key->code == input_.keypadKey(*slot)) {
        choose(*slot, std::nullopt);
    } else if (const auto why = refusal(*key)) {
        refusal_ = *why;
        onChange_();
    } else {
        choose(*slot, key->code);
    }
}

std::optional<std::string> KeyChooser::refusal(const PressedKey& key) const {
    if (key.kind == KeyKind::TypedByProgram)
        return "The program types " + key.name;
    if (key.kind == KeyKind::Modifier)
        return key.name + " is a modifier";
    for (const int other : kSlots)
        if (!triggers_.chosen().chosen[static_cast<std::size_t>(other)] &&
            input_.keypadKey(other) == key.code)
            return keypadName(other) + " is taken";
    return std::nullopt;
}

void KeyChooser::choose(int slot, std::optional<KeyCode> key) {
    // The key moves to this slot from any other that has it, which gets its keypad key back
    // (a slot taking its own keypad key back takes it from a slot that had borrowed it).
    TriggerKeys keys = triggers_.chosen();
    const KeyCode fires = key.value_or(input_.keypadKey(slot));
    for (auto& other : keys.chosen)
        if (other == fires)
            other.reset();
    keys.chosen[static_cast<std::size_t>(slot)] = key;
    settleKeys(keys, input_);
    triggers_.setKeys(keys);
    // The choice is over before the file is written: a box saying it could not be takes its
    // keys as any box does.
    end();
    file_.save(keys);
}

void KeyChooser::end() {
    triggers_.endChoice();
    onChange_();
}

std::string KeyChooser::label(int slot) const {
    if (triggers_.choosing() == slot)
        return refusal_.empty() ? "Press a key\u2026" : refusal_;
    if (const auto& chosen = triggers_.chosen().chosen[static_cast<std::size_t>(slot)])
        if (const auto key = input_.describe(*chosen))
            return key->name;
    return keypadName(slot);
}

} // namespace bt
