#include "backends/win32/win32_trigger_input.h"

#include "backends/win32/key_codes.h"
#include "backends/win32/wide.h"

namespace bt::win32 {

namespace {

// What a key means for choosing a trigger key, from its virtual key in the current layout.
KeyKind kindOf(UINT vk, bool extended) {
    switch (vk) {
    case VK_ESCAPE:
        return KeyKind::Cancel;
    case VK_BACK:
        return KeyKind::Erase;
    case VK_DELETE:
        return extended ? KeyKind::Erase : KeyKind::Ordinary; // not the keypad's decimal key
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return KeyKind::TypedByProgram; // held for the digits of layouts that shift them
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return KeyKind::Modifier;
    default:
        break;
    }
    // The keys that type v and the main keyboard's digits, in any of the player's layouts: the
    // key that is V in a second layout would type v under the first, and fire itself.
    HKL layouts[32];
    const int count = GetKeyboardLayoutList(32, layouts);
    for (int i = 0; i < count; ++i)
        for (wchar_t c : {L'v', L'0', L'1', L'2', L'3', L'4', L'5', L'6', L'7', L'8', L'9'})
            if (const SHORT scan = VkKeyScanExW(c, layouts[i]); scan != -1 && LOBYTE(scan) == vk)
                return KeyKind::TypedByProgram;
    return KeyKind::Ordinary;
}

// The key's name as GetKeyNameTextW reads it from a key message's lParam, and its virtual key.
struct NameAndKey {
    LONG lParam;
    UINT vk;
};

std::optional<NameAndKey> nameAndKey(unsigned code) {
    // Pause's key message carries NumLock's scan code; NumLock's, the extended flag.
    if (code == kPauseKey)
        return NameAndKey{kNumLockKey << 16, VK_PAUSE};
    if (code == kNumLockKey)
        return NameAndKey{static_cast<LONG>(kNumLockKey << 16 | 1u << 24), VK_NUMLOCK};
    const UINT scan = code & 0xFF;
    const bool extended = (code & kExtendedKey) != 0;
    if (scan == 0 || code > (kExtendedKey | 0xFF))
        return std::nullopt;
    return NameAndKey{static_cast<LONG>((scan << 16) | (extended ? 1u << 24 : 0u)),
                      MapVirtualKeyW(scan | (extended ? 0xE000 : 0), MAPVK_VSC_TO_VK_EX)};
}

// The buttons Raw Input reports, each with its flags going down and up. (The wheel's turns come
// as a movement of the wheel, never as a button.)
struct RawButton {
    USHORT down;
    USHORT up;
    MouseButton button;
};
constexpr RawButton kRawButtons[] = {
    {RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_LEFT_BUTTON_UP, MouseButton::Left},
    {RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_UP, MouseButton::Right},
    {RI_MOUSE_MIDDLE_BUTTON_DOWN, RI_MOUSE_MIDDLE_BUTTON_UP, MouseButton::Middle},
    {RI_MOUSE_BUTTON_4_DOWN, RI_MOUSE_BUTTON_4_UP, sideButton(0)}, // X button 1
    {RI_MOUSE_BUTTON_5_DOWN, RI_MOUSE_BUTTON_5_UP, sideButton(1)}, // X button 2
};

// The mouse's Raw Input for the hidden window, whichever window has the focus, or none. The
// buttons still go to the window under the pointer: only RIDEV_NOLEGACY would take them from it.
void registerMouse(HWND target, bool on) {
    RAWINPUTDEVICE mouse{};
    mouse.usUsagePage = 1; // generic desktop
    mouse.usUsage = 2;     // mouse
    mouse.dwFlags = on ? RIDEV_INPUTSINK : RIDEV_REMOVE;
    mouse.hwndTarget = on ? target : nullptr;
    RegisterRawInputDevices(&mouse, 1, sizeof mouse);
}

} // namespace

Win32TriggerInput::Win32TriggerInput(MessageWindow& window, std::function<Millis()> now)
    : window_(window), now_(std::move(now)) {
    window_.onMessage(WM_INPUT, [this](WPARAM wp, LPARAM lp) {
        rawInput(lp);
        return DefWindowProcW(window_.hwnd(), WM_INPUT, wp, lp); // frees the input
    });
    // The keyboard's Raw Input, whichever window has the focus. The keys still go to that window:
    // only RIDEV_NOLEGACY would take them away from it.
    RAWINPUTDEVICE keyboard{};
    keyboard.usUsagePage = 1; // generic desktop
    keyboard.usUsage = 6;     // keyboard
    keyboard.dwFlags = RIDEV_INPUTSINK;
    keyboard.hwndTarget = window_.hwnd();
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
}

void Win32TriggerInput::watch(const KeyWatch& watch) {
    // The secure desktop (Ctrl+Alt+Del, an elevation prompt) takes the keyboard without a word,
    // and an Alt held as it came is never seen released: as a choice starts, in our own window,
    // the key's own state says whether it is still down.
    if (watch.everyKey && !watch_.everyKey && GetAsyncKeyState(VK_MENU) >= 0)
        alt_.forget();
    // Every movement of the mouse comes as raw input too: it is heard only while needed.
    if (watch.coversButtons() != watch_.coversButtons())
        registerMouse(window_.hwnd(), watch.coversButtons());
    watch_ = watch;
}

void Win32TriggerInput::deliverQueued() {
    MSG msg;
    while (PeekMessageW(&msg, window_.hwnd(), WM_INPUT, WM_INPUT, PM_REMOVE))
        DispatchMessageW(&msg);
}

void Win32TriggerInput::rawInput(LPARAM handle) {
    RAWINPUT input{};
    UINT size = sizeof input;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(handle), RID_INPUT, &input, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1))
        return;
    if (input.header.dwType == RIM_TYPEMOUSE) {
        const USHORT flags = input.data.mouse.usButtonFlags;
        for (const RawButton& b : kRawButtons) {
            if (flags & b.down)
                report(KeyCode::of(b.button), true);
            if (flags & b.up)
                report(KeyCode::of(b.button), false);
        }
        return;
    }
    if (input.header.dwType != RIM_TYPEKEYBOARD)
        return;
    const RAWKEYBOARD& k = input.data.keyboard;
    const auto code = rawKeyCode(k.MakeCode, k.Flags, k.VKey);
    if (!code)
        return;
    const bool down = (k.Flags & RI_KEY_BREAK) == 0;
    alt_.seen(KeyCode{*code}, k.VKey == VK_MENU, down);
    report(KeyCode{*code}, down);
}

void Win32TriggerInput::report(KeyCode key, bool down) {
    if (repeats_.changesState(key, down) && onKey_ && watch_.covers(key))
        onKey_(KeyEvent{key, down, now_(), alt_.held()});
}

KeyCode Win32TriggerInput::keypadKey(int digit) const {
    if (digit < 0 || digit >= static_cast<int>(kKeypadScanCodes.size()))
        return KeyCode{};
    return KeyCode{kKeypadScanCodes[static_cast<std::size_t>(digit)]};
}

std::optional<PressedKey> Win32TriggerInput::describeKey(KeyCode key) const {
    for (int d = 0; d < static_cast<int>(kKeypadScanCodes.size()); ++d)
        if (key == keypadKey(d))
            return PressedKey{key, KeyKind::Ordinary, keypadName(d)};
    const auto found = nameAndKey(key.value);
    wchar_t name[64] = {};
    if (!found || GetKeyNameTextW(found->lParam, name, 64) <= 0)
        return std::nullopt;
    return PressedKey{key, kindOf(found->vk, (key.value & kExtendedKey) != 0), narrow(name)};
}

} // namespace bt::win32
