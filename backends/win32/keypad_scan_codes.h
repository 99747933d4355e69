#pragma once

// Keys as Raw Input and key messages report them: by scan code and the extended-key (E0) flag, the
// same with NumLock on or off (the virtual key changes, VK_NUMPAD0 or VK_INSERT; the scan code
// does not). The separate Insert, End, arrow and editing keys share the keypad's scan codes but
// carry the E0 flag. A key's code for the core is the scan code, with 0x100 for the flag.

#include <array>

namespace bt::win32 {

constexpr unsigned kExtendedKey = 0x100;

constexpr unsigned keyCode(unsigned scanCode, bool e0Prefix) {
    return (scanCode & 0xFF) | (e0Prefix ? kExtendedKey : 0);
}

// Numpad 0 .. Numpad 9.
constexpr std::array<unsigned, 10> kKeypadScanCodes = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                                       0x4C, 0x4D, 0x47, 0x48, 0x49};

} // namespace bt::win32
