#pragma once

// What the program and the keyboard exchange, in the program's own terms.

#include "base/time.h"

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

// A slot's trigger key went down or up, at this time on the platform's clock.
struct TriggerEvent {
    int slot = 0;
    bool down = false;
    Millis at = 0;
};

// What the player does with the tray icon: asks for the window (a double-click, or an activation
// where the tray knows no double-click) or for the icon's menu (the right button).
enum class TrayEvent { ShowAsked, MenuAsked };

enum class PopupChoice { None, Show, Exit };

} // namespace bt
