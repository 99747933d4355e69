#include "frontends/win32/news_window_view.h"

#include "app/news_window.h"
#include "backends/win32/wide.h"
#include "backends/win32/window_dpi.h"
#include "behaviours/news/news_links.h"
#include "frontends/win32/native_window.h"

#include <windowsx.h>

namespace bt::win32 {

namespace {
constexpr int kExitId = 2001;
constexpr int kDeclineId = 2002;
constexpr int kNewsIdId = 2003;
constexpr int kPageId = 2004;
constexpr DWORD kNewsStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
} // namespace

NewsWindowView::NewsWindowView(HINSTANCE instance, NewsWindow& model, HICON icon) : model_(model) {
    NewsWindowControls& c = model.controls();
    hwnd_ = createOwnedWindow(instance, L"BrontekTarnlowNews", icon, kNewsStyle,
                              widen(c.window.caption()).c_str(), this);
    controls_ = std::make_unique<NativeControls>(hwnd_, windowTwips(hwnd_));
    controls_->label(c.newsText, true);
    controls_->label(c.connectingLabel, true);
    for (int k = 1; k <= kLinkCount; ++k)
        controls_->label(c.linkLabel(k), false);
    controls_->label(c.openLinkLabel, false);
    controls_->label(c.probeLabel, false);
    controls_->check(c.declineBox, kDeclineId);
    controls_->button(c.exitButton, kExitId);
    controls_->edit(c.newsIdBox, kNewsIdId);
    // The page area: the page's address as a link, opened in the browser on a click. It loads
    // nothing itself, so it can neither block nor run what a tampered feed points at.
    page_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | SS_CENTER | SS_NOTIFY, 0, 0, 10, 10, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageId)), instance, nullptr);
    c.pageView.setObserver([this] { syncPage(); });
    syncPage();
    controls_->keepClear(c.pageView);
    c.window.setObserver([this] { syncWindow(); });
    syncWindow();
}

NewsWindowView::~NewsWindowView() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void NewsWindowView::syncPage() {
    const PageView& b = model_.controls().pageView;
    SetWindowTextW(page_, widen(b.link()).c_str());
    const Rect& r = b.rect();
    const Twips& s = controls_->twips();
    SetWindowPos(page_, nullptr, s.px(r.left), s.px(r.top), s.px(r.width), s.px(r.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(page_, b.visible() ? SW_SHOWNA : SW_HIDE);
}

void NewsWindowView::syncWindow() {
    const Window& w = model_.controls().window;
    SetWindowTextW(hwnd_, widen(w.caption()).c_str());
    resizeWindow(hwnd_, w, controls_->twips(), kNewsStyle);
    controls_->fitToWindow();
    // Shown once when it opens; a later layout or caption change must not activate it again.
    if (w.visible() != (IsWindowVisible(hwnd_) != FALSE))
        ShowWindow(hwnd_, w.visible() ? SW_SHOWNORMAL : SW_HIDE);
}

int NewsWindowView::labelAt(double x, double y) const {
    NewsWindowControls& c = model_.controls();
    auto inside = [&](const Label& l) { return l.visible() && l.rect().contains(x, y); };
    for (int k = 1; k <= kLinkCount; ++k)
        if (inside(c.linkLabel(k)))
            return k;
    if (inside(c.openLinkLabel))
        return kOpenLinkLabel;
    if (inside(c.probeLabel))
        return kProbeLabel;
    return 0;
}

void NewsWindowView::mouseMoved(WPARAM wp, LPARAM lp) {
    const double x = controls_->twips().toTwips(GET_X_LPARAM(lp));
    const double y = controls_->twips().toTwips(GET_Y_LPARAM(lp));
    const PointerButtons buttons{(wp & MK_LBUTTON) != 0, (wp & MK_RBUTTON) != 0,
                                 (wp & MK_MBUTTON) != 0};
    const int k = labelAt(x, y);
    if (k >= 1 && k <= kLinkCount)
        model_.links().pointerOverLink(k, buttons, x, y);
    else
        model_.links().surfaceMoved(x, y);
}

void NewsWindowView::leftButtonUp(LPARAM lp) {
    NewsLinks& links = model_.links();
    const int k = labelAt(controls_->twips().toTwips(GET_X_LPARAM(lp)),
                          controls_->twips().toTwips(GET_Y_LPARAM(lp)));
    if (k >= 1 && k <= kLinkCount)
        links.linkClicked(k);
    else if (k == kOpenLinkLabel)
        links.clickLabelClicked();
    else if (k == kProbeLabel)
        links.probeClicked();
    else
        links.surfaceClicked();
}

void NewsWindowView::command(WPARAM wp, LPARAM lp) {
    NewsWindowControls& c = model_.controls();
    const int id = LOWORD(wp);
    const int code = HIWORD(wp);
    if (id == kExitId && code == BN_CLICKED) {
        c.exitButton.click();
    } else if (id == kDeclineId && code == BN_CLICKED) {
        c.declineBox.toggle(!c.declineBox.checked());
    } else if (id == kNewsIdId && code == EN_CHANGE) {
        wchar_t text[512] = {};
        GetWindowTextW(reinterpret_cast<HWND>(lp), text, 512);
        c.newsIdBox.edit(narrow(text));
    } else if (id == kPageId && code == STN_CLICKED) {
        model_.pageClicked();
    }
}

LRESULT NewsWindowView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEMOVE:
        mouseMoved(wp, lp);
        return 0;
    case WM_LBUTTONUP:
        leftButtonUp(lp);
        return 0;
    case WM_COMMAND:
        command(wp, lp);
        return 0;
    case WM_DPICHANGED:
        followDpiChange(hwnd_, *controls_, wp, lp);
        syncPage();
        syncWindow();
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
        model_.close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace bt::win32
