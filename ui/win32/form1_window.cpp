#include "ui/win32/form1_window.h"

#include "platform/win32/wide.h"
#include "ui/form1.h"
#include "ui/win32/native_window.h"

namespace bt::win32 {

namespace {
constexpr int kComboId = 1000;  // + list number
constexpr int kButtonId = 2000; // + button number
constexpr int kOption1 = 3001;
constexpr int kOption2 = 3002;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int windowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (fn)
        return static_cast<int>(fn(hwnd));
    HDC dc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(hwnd, dc);
    return dpi;
}
} // namespace

Form1Window::Form1Window(HINSTANCE instance, Form1& form, HICON icon) : form_(form) {
    Form1Controls& c = form.controls();
    hwnd_ = createOwnedWindow(instance, L"BrontekTarnlowForm1", icon, kStyle,
                              widen(c.form.caption()).c_str(), this);
    const Scale scale{windowDpi(hwnd_)};
    RECT r{0, 0, scale.px(c.form.clientWidth()), scale.px(c.form.clientHeight())};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    controls_ = std::make_unique<NativeControls>(hwnd_, scale);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14})
        controls_->label(c.label(n), false);
    for (int n = 1; n <= 20; ++n)
        controls_->combo(c.combo(n), kComboId + n);
    for (int n : {1, 2, 5, 6})
        controls_->button(c.command(n), kButtonId + n);
    controls_->option(c.option1, kOption1);
    controls_->option(c.option2, kOption2);
    c.form.setObserver([this] { syncWindow(); });
    syncWindow();
}

Form1Window::~Form1Window() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form1Window::syncWindow() {
    if (syncing_)
        return;
    syncing_ = true;
    const Window& w = form_.controls().form;
    SetWindowTextW(hwnd_, widen(w.caption()).c_str());
    if (w.outerHeight() > 0 && controls_) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, controls_->scale().px(w.outerHeight()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!w.visible())
        ShowWindow(hwnd_, SW_HIDE);
    else if (w.windowState() == WindowState::Minimized)
        ShowWindow(hwnd_, SW_MINIMIZE);
    else if (IsIconic(hwnd_) || !IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, SW_SHOWNORMAL);
    if (w.visible() && w.windowState() == WindowState::Normal)
        SetForegroundWindow(hwnd_);
    syncing_ = false;
}

LRESULT Form1Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        const int code = HIWORD(wp);
        if (id > kComboId && id <= kComboId + 20 && code == CBN_SELCHANGE) {
            const auto sel = SendMessageW(reinterpret_cast<HWND>(lp), CB_GETCURSEL, 0, 0);
            form_.userSelected(id - kComboId, static_cast<int>(sel));
        } else if (id > kButtonId && id <= kButtonId + 6 && code == BN_CLICKED) {
            form_.controls().command(id - kButtonId).click();
        } else if ((id == kOption1 || id == kOption2) && code == BN_CLICKED) {
            form_.userSelectedOption(id == kOption1 ? 1 : 2);
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (controls_) {
            if (HBRUSH b = controls_->colour(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
                return reinterpret_cast<LRESULT>(b);
        }
        break;
    case WM_SIZE:
        if (!syncing_) {
            const bool minimized = form_.controls().form.windowState() == WindowState::Minimized;
            if (wp == SIZE_MINIMIZED && !minimized)
                form_.userMinimized();
            else if (wp == SIZE_RESTORED && minimized)
                form_.userRestored();
        }
        return 0;
    case WM_CLOSE:
        // Closing unloads the window; the model decides what comes after it.
        if (form_.loaded())
            form_.userClosed();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace bt::win32
