#include "backends/win32/win32_typist.h"

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

void Win32Typist::typeKey(TypedKey typed) {
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(typed.character()));
    if (scan == -1)
        return;
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
    SendInput(n, in, sizeof(INPUT));
}

} // namespace bt::win32
