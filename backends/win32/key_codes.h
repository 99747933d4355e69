#pragma once

// Keys as Raw Input reports them, brought to one code per key: the scan code, with 0x100 for the
// extended-key (E0) flag. The keypad's codes are the same with NumLock on or off (the virtual key
// changes, VK_NUMPAD0 or VK_INSERT; the scan code does not); the separate Insert, End, arrow and
// editing keys share the keypad's scan codes but carry the E0 flag.
//
// Pause comes as an E1-escaped make code followed by a stand-in key, and NumLock shares its scan
// code; both are told by their virtual key instead. (Key messages give the same codes, so the
// "keys" of older builds, which took chosen keys from them, read the same.)

#include <windows.h>

#include <array>
#include <optional>

namespace bt::win32 {

constexpr unsigned kExtendedKey = 0x100;
constexpr unsigned kNumLockKey = 0x45;
constexpr unsigned kPauseKey = 0x245; // NumLock's scan code, marked as E1-escaped

constexpr unsigned keyCode(unsigned scanCode, bool e0Prefix) {
    return (scanCode & 0xFF) | (e0Prefix ? kExtendedKey : 0);
}

// A Raw Input key's code; none for the stand-in keys that escaped sequences add.
constexpr std::optional<unsigned> rawKeyCode(USHORT makeCode, USHORT flags, USHORT vk) {
    if (vk == 0xFF)
        return std::nullopt;
    if (vk == VK_PAUSE)
        return kPauseKey;
    if (vk == VK_NUMLOCK)
        return kNumLockKey;
    return keyCode(makeCode, (flags & RI_KEY_E0) != 0);
}

// Numpad 0 .. Numpad 9.
constexpr std::array<unsigned, 10> kKeypadScanCodes = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                                       0x4C, 0x4D, 0x47, 0x48, 0x49};

} // namespace bt::win32
