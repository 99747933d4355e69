#include "ui/win32/form2_window.h"

#include "net/link_policy.h"
#include "net/news_links.h"
#include "platform/win32/wide.h"
#include "ui/form2.h"
#include "ui/win32/native_window.h"

#include <windowsx.h>

namespace bt::win32 {

namespace {
constexpr int kExit = 2001;
constexpr int kCheck = 2002;
constexpr int kText4 = 2003;
constexpr int kPage = 2004;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
} // namespace

Form2Window::Form2Window(HINSTANCE instance, Form2& form, HICON icon) : form_(form) {
    Form2Controls& c = form.controls();
    hwnd_ = createOwnedWindow(instance, L"BrontekTarnlowForm2", icon, kStyle,
                              widen(c.form.caption()).c_str(), this);
    HDC dc = GetDC(hwnd_);
    const Scale scale{GetDeviceCaps(dc, LOGPIXELSY)};
    ReleaseDC(hwnd_, dc);
    controls_ = std::make_unique<NativeControls>(hwnd_, scale);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11})
        controls_->label(c.label(n), n == 1 || n == 11);
    controls_->check(c.check1, kCheck);
    controls_->button(c.command1, kExit);
    controls_->edit(c.text(4), kText4);
    // The page area: the page's address as a link, opened in the browser on a click. It loads
    // nothing itself, so it can neither block nor run what a tampered feed points at.
    page_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | SS_CENTER | SS_NOTIFY, 0,
                            0, 10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPage)),
                            instance, nullptr);
    c.webBrowser1.setObserver([this] { syncPage(); });
    syncPage();
    c.form.setObserver([this] { syncWindow(); });
    syncWindow();
}

Form2Window::~Form2Window() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form2Window::syncPage() {
    const WebBrowser& b = form_.controls().webBrowser1;
    SetWindowTextW(page_, isWebLink(b.url()) ? widen(b.url()).c_str() : L"");
    const Rect& r = b.rect();
    const Scale& s = controls_->scale();
    SetWindowPos(page_, nullptr, s.px(r.left), s.px(r.top), s.px(r.width), s.px(r.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(page_, b.visible() ? SW_SHOWNA : SW_HIDE);
}

void Form2Window::syncWindow() {
    const Window& w = form_.controls().form;
    SetWindowTextW(hwnd_, widen(w.caption()).c_str());
    const Scale& s = controls_->scale();
    RECT r{0, 0, s.px(w.clientWidth()), s.px(w.clientHeight())};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (w.outerWidth() > 0)
        width = s.px(w.outerWidth());
    if (w.outerHeight() > 0)
        height = s.px(w.outerHeight());
    // A feed can ask for any size; the window stays within what a screen can show.
    width = std::clamp(width, 120, 4096);
    height = std::clamp(height, 60, 4096);
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, w.visible() ? SW_SHOWNORMAL : SW_HIDE);
}

int Form2Window::labelAt(double x, double y) const {
    Form2Controls& c = form_.controls();
    auto inside = [&](const Label& l) {
        const Rect& r = l.rect();
        return l.visible() && x >= r.left && x < r.left + r.width && y >= r.top &&
               y < r.top + r.height;
    };
    for (int k = 1; k <= 6; ++k)
        if (inside(c.linkLabel(k)))
            return k;
    if (inside(c.label(9)))
        return 9;
    if (inside(c.label(10)))
        return 10;
    return 0;
}

LRESULT Form2Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
    NewsLinks& links = form_.links();
    switch (msg) {
    case WM_MOUSEMOVE: {
        const double x = controls_->scale().twips(GET_X_LPARAM(lp));
        const double y = controls_->scale().twips(GET_Y_LPARAM(lp));
        int buttons = kNoButton;
        if (wp & MK_LBUTTON)
            buttons |= kLeftButton;
        if (wp & MK_RBUTTON)
            buttons |= kRightButton;
        if (wp & MK_MBUTTON)
            buttons |= kMiddleButton;
        const int k = labelAt(x, y);
        if (k >= 1 && k <= 6)
            links.pointerOverLink(k, buttons, x, y);
        else
            links.surfaceMoved(x, y);
        return 0;
    }
    case WM_LBUTTONUP: {
        const int k = labelAt(controls_->scale().twips(GET_X_LPARAM(lp)),
                              controls_->scale().twips(GET_Y_LPARAM(lp)));
        if (k >= 1 && k <= 6)
            links.linkClicked(k);
        else if (k == 9)
            links.clickLabelClicked();
        else if (k == 10)
            links.probeLabelClicked();
        else
            links.surfaceClicked();
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == kExit && HIWORD(wp) == BN_CLICKED) {
            form_.controls().command1.click();
        } else if (LOWORD(wp) == kCheck && HIWORD(wp) == BN_CLICKED) {
            form_.controls().check1.setValue(form_.controls().check1.value() ? 0 : 1);
        } else if (LOWORD(wp) == kText4 && HIWORD(wp) == EN_CHANGE) {
            wchar_t text[512] = {};
            GetWindowTextW(reinterpret_cast<HWND>(lp), text, 512);
            form_.controls().text(4).setText(narrow(text));
        } else if (LOWORD(wp) == kPage && HIWORD(wp) == STN_CLICKED) {
            links.open(form_.controls().webBrowser1.url());
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == page_) {
            SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_HOTLIGHT));
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        if (HBRUSH b = controls_->colour(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
            return reinterpret_cast<LRESULT>(b);
        break;
    case WM_CLOSE:
        if (form_.loaded())
            form_.unload();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace bt::win32
