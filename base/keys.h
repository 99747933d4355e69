#pragma once

// What the program and the keyboard and mouse exchange, in the program's own terms.

#include "base/time/time.h"

#include <compare>
#include <cstdint>
#include <optional>
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

// A mouse button, by the number players and games know it by: the left, right and middle
// buttons, then the side buttons from "Mouse 4" on. A turn of the wheel comes as a press of Wheel.
enum class MouseButton : std::uint8_t { Wheel = 0, Left = 1, Right = 2, Middle = 3 };

// The side buttons in the order the system numbers them: 0 is "Mouse 4" (usually back), 1 is
// "Mouse 5" (forward), and so on (X has at most 248 of them).
constexpr MouseButton sideButton(unsigned index) {
    return static_cast<MouseButton>(4 + index);
}

// A key of the keyboard as the platform knows it (an X keycode; a scan code with its extended-key
// flag), or a mouse button, which the platform marks as one. The core compares and stores both
// alike; the platform names a key, and a button is named by its number.
struct KeyCode {
    std::uint32_t value = 0;
    bool isButton = false;

    static constexpr KeyCode of(MouseButton button) {
        return KeyCode{static_cast<std::uint32_t>(button), true};
    }
    constexpr std::optional<MouseButton> button() const {
        return isButton ? std::optional(static_cast<MouseButton>(value)) : std::nullopt;
    }
    friend constexpr auto operator<=>(const KeyCode&, const KeyCode&) = default;
};

// What a key the player presses while choosing a trigger key means.
enum class KeyKind {
    Ordinary,       // can trigger a slot
    Cancel,         // Escape: the choice is cancelled
    Erase,          // Delete or Backspace: the slot gets its keypad key back
    TypedByProgram, // v, a digit of the main keyboard, Shift: the program's own output
    Modifier,       // Ctrl, Alt, the Windows or Super key on their own
    Pointer,        // the left and right buttons, the wheel: they work the windows, never a slot
};

// What a keypad key is called where the program names it: "Numpad 3".
inline std::string keypadName(int digit) {
    return "Numpad " + std::to_string(digit);
}

struct PressedKey {
    KeyCode code;
    KeyKind kind = KeyKind::Ordinary;
    std::string name; // as the keyboard layout names it: "F5", "Insert", "Q"; "Mouse 4"
};

// What a mouse button is called and whether it can fire a slot: the middle and side buttons can,
// which most games leave free.
inline PressedKey describeButton(MouseButton button) {
    const KeyCode code = KeyCode::of(button);
    switch (button) {
    case MouseButton::Wheel:
        return {code, KeyKind::Pointer, "Wheel"};
    case MouseButton::Left:
        return {code, KeyKind::Pointer, "Left button"};
    case MouseButton::Right:
        return {code, KeyKind::Pointer, "Right button"};
    case MouseButton::Middle:
        return {code, KeyKind::Ordinary, "Middle button"};
    }
    return {code, KeyKind::Ordinary, "Mouse " + std::to_string(code.value)};
}

} // namespace bt
