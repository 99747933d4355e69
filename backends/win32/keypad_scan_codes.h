#pragma once

// Keypad keys as Raw Input reports them: by scan code, the same with NumLock on or off (the
// virtual key changes, VK_NUMPAD0 or VK_INSERT, the scan code does not). The separate Insert,
// End, arrow and editing keys share these scan codes but carry the E0 prefix.

namespace bt::win32 {

// The keypad digit 0..9 of a key, or -1 for any other key.
constexpr int keypadDigit(unsigned makeCode, bool e0Prefix) {
    if (e0Prefix)
        return -1;
    switch (makeCode) {
    case 0x52:
        return 0;
    case 0x4F:
        return 1;
    case 0x50:
        return 2;
    case 0x51:
        return 3;
    case 0x4B:
        return 4;
    case 0x4C:
        return 5;
    case 0x4D:
        return 6;
    case 0x47:
        return 7;
    case 0x48:
        return 8;
    case 0x49:
        return 9;
    default:
        return -1;
    }
}

} // namespace bt::win32
