#include "backends/win32/win32_typist.h"

#include "backends/win32/key_codes.h"

#include <windows.h>

namespace bt::win32 {

namespace {

void key(INPUT& in, WORD vk, bool up) {
    in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

} // namespace

TypeOutcome Win32Typist::typeKey(TypedKey typed) {
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(typed.character()));
    if (scan == -1)
        return {TypeResult::Impossible, {}};
    const WORD vk = LOBYTE(scan);
    const bool shift = (HIBYTE(scan) & 1) != 0; // AZERTY digits need Shift
    INPUT in[4];
    UINT n = 0;
    if (shift)
        key(in[n++], VK_SHIFT, false);
    key(in[n++], vk, false);
    key(in[n++], vk, true);
    if (shift)
        key(in[n++], VK_SHIFT, true);
    // Fewer events inserted than given: another desktop or a blocked input took them.
    if (SendInput(n, in, sizeof(INPUT)) != n)
        return {TypeResult::Refused, {}};
    // Raw Input reports injected keys too, by the scan codes given.
    TypeOutcome outcome;
    for (UINT i = 0; i < n; ++i)
        if (!(in[i].ki.dwFlags & KEYEVENTF_KEYUP))
            outcome.pressed.push_back(KeyCode{keyCode(in[i].ki.wScan, false)});
    return outcome;
}

} // namespace bt::win32
