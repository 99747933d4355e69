#include "backends/win32/win32_platform.h"

#include "backends/win32/input_box.h"
#include "backends/win32/key_codes.h"
#include "backends/win32/wide.h"
#include "backends/win32/win32_files.h"
#include "base/link_policy.h"

#include <shellapi.h>

#include <cmath>
#include <optional>

namespace bt::win32 {

namespace {

constexpr UINT kRunPosted = WM_APP + 1;
constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT kAlarmDue = WM_APP + 3; // wParam: the alarm's timer id
constexpr UINT kTrayId = 1;
constexpr const wchar_t* kPlatformClass = L"BrontekTarnlowPlatform";
constexpr const wchar_t* kAnotherStart = L"BrontekTarnlowAnotherStart";

void key(INPUT& in, WORD vk, bool up) {
    in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    // Games that read scan codes or raw input ignore a key without one.
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

void typeChar(wchar_t c) {
    const SHORT scan = VkKeyScanW(c);
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

} // namespace

Win32Platform::Win32Platform(HINSTANCE instance)
    : instance_(instance), http_([this](std::function<void()> f) { post(std::move(f)); }) {
    QueryPerformanceFrequency(&frequency_);
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kPlatformClass;
    RegisterClassW(&wc);
    // A hidden top-level window: it hears "TaskbarCreated", which message-only windows do not.
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            instance, this);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    anotherStart_ = RegisterWindowMessageW(kAnotherStart);
    // The keyboard's Raw Input, whichever window has the focus. The keys still go to that window:
    // only RIDEV_NOLEGACY would take them away from it.
    RAWINPUTDEVICE keyboard{};
    keyboard.usUsagePage = 1; // generic desktop
    keyboard.usUsage = 6;     // keyboard
    keyboard.dwFlags = RIDEV_INPUTSINK;
    keyboard.hwndTarget = hwnd_;
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
}

bool Win32Platform::claimSingleInstance() {
    // "Local\" is the logon session: each session of a user runs its own copy. The system
    // closes the handle when the process ends, however it ends, so no lock is ever left over.
    CreateMutexW(nullptr, FALSE, L"Local\\BrontekTarnlow");
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    // The running copy may still be starting: give its window a moment to appear.
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (HWND running = FindWindowW(kPlatformClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(running, &pid);
            AllowSetForegroundWindow(pid);
            PostMessageW(running, RegisterWindowMessageW(kAnotherStart), 0, 0);
            break;
        }
        Sleep(100);
    }
    return false;
}

Win32Platform::~Win32Platform() {
    if (iconShown_) {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = hwnd_;
        nid.uID = kTrayId;
        Shell_NotifyIconW(NIM_DELETE, &nid);
    }
    if (hwnd_)
        DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Platform::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->hwnd_ == hwnd)
        return self->handle(msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32Platform::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        onTimer(wp);
        return 0;
    }
    if (msg == WM_INPUT) {
        keypadInput(lp);
        return DefWindowProcW(hwnd_, msg, wp, lp); // frees the input
    }
    if (msg == kAlarmDue) {
        onTimer(wp);
        return 0;
    }
    if (msg == kRunPosted) {
        auto* f = reinterpret_cast<std::function<void()>*>(lp);
        (*f)();
        delete f;
        return 0;
    }
    if (msg == kTrayCallback) {
        trayMessage(LOWORD(lp));
        return 0;
    }
    if (msg == anotherStart_ && anotherStart_ != 0) {
        if (onAnotherStart_)
            onAnotherStart_();
        return 0;
    }
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer restarted: the icon is gone with it, and the window behind it with no way back.
        if (iconShown_)
            addIcon();
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Win32Platform::post(std::function<void()> f) {
    auto* heap = new std::function<void()>(std::move(f));
    if (!PostMessageW(hwnd_, kRunPosted, 0, reinterpret_cast<LPARAM>(heap)))
        delete heap;
}

double Win32Platform::clockMs() const {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
}

Millis Win32Platform::now() const {
    return std::llround(clockMs());
}

Win32Platform::Scheduled& Win32Platform::scheduled(const void* owner) {
    auto it = timers_.find(owner);
    if (it == timers_.end()) {
        const UINT_PTR id = nextTimerId_++;
        it = timers_.emplace(owner, Scheduled{id, 0}).first;
        byId_[id] = owner;
    }
    return it->second;
}

void Win32Platform::forget(const void* owner) {
    const auto it = timers_.find(owner);
    if (it == timers_.end())
        return;
    KillTimer(hwnd_, it->second.id);
    byId_.erase(it->second.id);
    timers_.erase(it);
}

// SetTimer fires on the system tick (about 15.6 ms) and never below 10 ms: each tick is asked for
// the time left until its due time, so a sequence of keys does not drift.
void Win32Platform::schedule(const Scheduled& s) {
    const double wait = s.due - clockMs();
    if (s.alarm && wait <= 0) {
        // Due now (a key was pressed): rung as soon as the message loop is back, not a system
        // tick later.
        KillTimer(hwnd_, s.id);
        PostMessageW(hwnd_, kAlarmDue, s.id, 0);
        return;
    }
    SetTimer(hwnd_, s.id, static_cast<UINT>(wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait),
             nullptr);
}

void Win32Platform::timerChanged(Timer& timer) {
    if (!timer.armed() || ended_) {
        forget(&timer);
        return;
    }
    Scheduled& s = scheduled(&timer);
    s.timer = &timer;
    s.due = clockMs() + timer.interval();
    schedule(s);
}

void Win32Platform::alarmChanged(Alarm& alarm) {
    if (!alarm.due() || ended_) {
        forget(&alarm);
        return;
    }
    Scheduled& s = scheduled(&alarm);
    s.alarm = &alarm;
    s.due = static_cast<double>(*alarm.due());
    schedule(s);
}

void Win32Platform::onTimer(UINT_PTR id) {
    const auto found = byId_.find(id);
    if (found == byId_.end())
        return;
    const void* owner = found->second;
    Scheduled& s = timers_[owner];
    const double now = clockMs();
    if (now + 1.0 < s.due) { // the system timer came early: wait for the rest
        schedule(s);
        return;
    }
    if (s.alarm) {
        Alarm* alarm = s.alarm;
        forget(owner); // rings once; the ring may set it again
        // Keys that came meanwhile count for this poll: two keys of one instant are one chord.
        deliverQueuedKeys();
        alarm->ring(std::llround(now));
        return;
    }
    s.due += s.timer->interval();
    if (s.due < now)
        s.due = now + s.timer->interval(); // we fell behind (a modal loop); no burst of ticks
    const Scheduled next = s;
    next.timer->fire(std::llround(now));
    // The tick may have changed or stopped its own timer, which then scheduled itself.
    const auto again = timers_.find(owner);
    if (again != timers_.end() && again->second.id == next.id && again->second.due == next.due)
        schedule(next);
}

void Win32Platform::listen(std::function<void(const KeyEvent&)> onEvent) {
    onKey_ = std::move(onEvent);
}

void Win32Platform::watch(const KeyWatch& watch) {
    // Key input still queued happened before the change: it is reported as things stood.
    deliverQueuedKeys();
    watch_ = watch;
}

void Win32Platform::deliverQueuedKeys() {
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, WM_INPUT, WM_INPUT, PM_REMOVE))
        handle(msg.message, msg.wParam, msg.lParam);
}

void Win32Platform::keypadInput(LPARAM rawInput) {
    RAWINPUT input{};
    UINT size = sizeof input;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(rawInput), RID_INPUT, &input, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
        input.header.dwType != RIM_TYPEKEYBOARD)
        return;
    const RAWKEYBOARD& k = input.data.keyboard;
    const auto code = rawKeyCode(k.MakeCode, k.Flags, k.VKey);
    if (!code || !onKey_ || !watch_.covers(KeyCode{*code}))
        return;
    onKey_(KeyEvent{KeyCode{*code}, (k.Flags & RI_KEY_BREAK) == 0, now()});
}

KeyCode Win32Platform::keypadKey(int digit) const {
    if (digit < 0 || digit >= kSlotCount)
        return KeyCode{};
    return KeyCode{kKeypadScanCodes[static_cast<std::size_t>(digit)]};
}

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

} // namespace

std::optional<PressedKey> Win32Platform::describeKey(KeyCode key) const {
    for (int d = 0; d < kSlotCount; ++d)
        if (key == keypadKey(d))
            return PressedKey{key, KeyKind::Ordinary, "Numpad " + std::to_string(d)};
    const auto found = nameAndKey(key.value);
    wchar_t name[64] = {};
    if (!found || GetKeyNameTextW(found->lParam, name, 64) <= 0)
        return std::nullopt;
    return PressedKey{key, kindOf(found->vk, (key.value & kExtendedKey) != 0), narrow(name)};
}

void Win32Platform::trayMessage(UINT mouseMessage) {
    // The tray reports the icon's clicks as mouse messages: a double-click asks for the window,
    // the right button for the menu; the rest means nothing here. Handled after this message, as
    // on Linux: "Exit" deletes the icon whose message this is.
    std::optional<TrayEvent> event;
    if (mouseMessage == WM_LBUTTONDBLCLK)
        event = TrayEvent::ShowAsked;
    else if (mouseMessage == WM_RBUTTONDOWN)
        event = TrayEvent::MenuAsked;
    if (!event)
        return;
    post([this, e = *event] {
        if (trayHandler_)
            trayHandler_(e);
    });
}

void Win32Platform::typeKey(TypedKey key) {
    typeChar(static_cast<wchar_t>(key.character()));
}

std::string Win32Platform::inputBox(std::string_view prompt, std::string_view title,
                                    std::string_view defaultText, int leftTwips, int topTwips) {
    HWND owner = windows_.count(WindowId::Main) ? windows_[WindowId::Main] : nullptr;
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    const auto r = runInputBox(instance_, owner, widen(prompt), widen(title), widen(defaultText),
                               MulDiv(leftTwips, dpi, 1440), MulDiv(topTwips, dpi, 1440));
    return narrow(r);
}

void Win32Platform::messageBox(std::string_view prompt, std::string_view title) {
    HWND owner = windows_.count(WindowId::Main) ? windows_[WindowId::Main] : nullptr;
    MessageBoxW(owner, widen(prompt).c_str(), widen(title).c_str(), MB_OK);
}

char Win32Platform::decimalSeparator() const {
    wchar_t buf[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 0 && buf[0] < 0x80 &&
        buf[0] != 0 && buf[1] == 0)
        return static_cast<char>(buf[0]);
    return '.';
}

bool Win32Platform::trayAvailable() const {
    return true;
}

void Win32Platform::addIcon() {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayCallback;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, tip_.c_str(), static_cast<int>(std::size(nid.szTip)));
    Shell_NotifyIconW(NIM_ADD, &nid);
}

void Win32Platform::trayAdd(std::string_view tip) {
    tip_ = widen(tip);
    iconShown_ = true;
    addIcon();
}

void Win32Platform::trayDelete() {
    iconShown_ = false;
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayId;
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

PopupChoice Win32Platform::popupMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Show");
    AppendMenuW(menu, MF_STRING, 2, L"&Exit");
    POINT pt{};
    GetCursorPos(&pt);
    // Without this the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(hwnd_);
    const int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen == 1 ? PopupChoice::Show : chosen == 2 ? PopupChoice::Exit : PopupChoice::None;
}

void Win32Platform::bringToFront(WindowId window) {
    if (const auto it = windows_.find(window); it != windows_.end())
        SetForegroundWindow(it->second);
}

void Win32Platform::endProcess() {
    if (ended_)
        return;
    ended_ = true;
    for (auto& [owner, s] : timers_)
        KillTimer(hwnd_, s.id);
    timers_.clear();
    byId_.clear();
    PostQuitMessage(0);
}

std::int64_t Win32Platform::fileLength(std::string_view name) {
    return win32::fileLength(name);
}

std::optional<std::string> Win32Platform::readFile(std::string_view name, std::size_t maxBytes) {
    return win32::readFile(name, maxBytes);
}

FileWriteResult Win32Platform::replaceFile(std::string_view name, std::string_view contents) {
    return win32::replaceFile(name, contents);
}

HttpRequestId Win32Platform::httpGet(std::string url, std::function<void(HttpResult)> done) {
    return http_.get(std::move(url), std::move(done));
}

void Win32Platform::httpCancel(HttpRequestId id) {
    http_.cancel(id);
}

void Win32Platform::openLink(std::string_view url) {
    if (isWebLink(url))
        ShellExecuteW(nullptr, nullptr, widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace bt::win32
