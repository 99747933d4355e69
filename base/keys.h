#pragma once

// What the program and the keyboard exchange, in the program's own terms.

#include "base/time/time.h"

#include <cstdint>
#include <string>

namespace bt {

// A key the program types into the focused window: the letter v, which opens the game's voice
// menu, or a digit 1..9 of the main keyboard (never of the keypad, so the program's own keys
// never fire a slot).
class TypedKey {
  public:
    static constexpr TypedKey voiceMenu() { return TypedKey('v'); }
    static constexpr TypedKey digit(int d) { return TypedKey(static_cast<char>('0' + d)); }
    constexpr char character() const { return c_; }
    friend constexpr bool operator==(TypedKey, TypedKey) = default;

  private:
    explicit constexpr TypedKey(char c) : c_(c) {}
    char c_;
};

// A key of the keyboard as the platform knows it (an X keycode; a scan code with its extended-key
// flag). The core only compares and stores it; the platform names it.
struct KeyCode {
    std::uint32_t value = 0;
    friend constexpr bool operator==(KeyCode, KeyCode) = default;
};

// What a key the player presses while choosing a trigger key means.
enum class KeyKind {
    Ordinary,       // can trigger a slot
    Cancel,         // Escape: the choice is cancelled
    Erase,          // Delete or Backspace: the slot gets its keypad key back
    TypedByProgram, // v, a digit of the main keyboard, Shift: the program's own output
    Modifier,       // Ctrl, Alt, the Windows or Super key on their own
};

// What a keypad key is called where the program names it: "Numpad 3".
inline std::string keypadName(int digit) {
    return "Numpad " + std::to_string(digit);
}

struct PressedKey {
    KeyCode code;
    KeyKind kind = KeyKind::Ordinary;
    std::string name; // as the keyboard layout names it: "F5", "Insert", "Q"
};

} // namespace bt
