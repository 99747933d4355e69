#include "frontends/win32/main_window_view.h"

#include "app/main_window.h"
#include "backends/win32/key_codes.h"
#include "backends/win32/wide.h"
#include "backends/win32/window_dpi.h"
#include "frontends/win32/native_window.h"

#include <windowsx.h>

namespace bt::win32 {

namespace {
constexpr int kFirstListId = 1000;
constexpr int kFirstButtonId = 2000;
constexpr int kCallOfDutyId = 3001;
constexpr int kUnitedOffensiveId = 3002;
constexpr int kOnlyInGameId = 3003;
constexpr int kLoginStartId = 3004;
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

MainWindowView::MainWindowView(HINSTANCE instance, MainWindow& model, HICON icon) : model_(model) {
    MainWindowControls& c = model.controls();
    hwnd_ = createOwnedWindow(instance, L"BrontekTarnlowMain", icon, kMainStyle,
                              widen(c.window.caption()).c_str(), this);
    controls_ = std::make_unique<NativeControls>(hwnd_, windowTwips(hwnd_));
    int id = kFirstListId;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        controls_->label(c.keyLabel(slot), false);
        for (DropDownList* list : {&c.slotMenu(slot), &c.slotMessage(slot)}) {
            controls_->list(*list, id);
            lists_[id++] = list;
        }
    }
    for (Label* l : {&c.previewMenuLabel, &c.previewMessageLabel, &c.statusLabel})
        controls_->label(*l, false);
    id = kFirstButtonId;
    for (Button* b :
         {&c.startButton, &c.intervalButton, &c.saveButton, &c.exitButton, &c.gameButton}) {
        controls_->button(*b, id);
        buttons_[id++] = b;
    }
    controls_->option(c.callOfDutyOption, kCallOfDutyId);
    controls_->option(c.unitedOffensiveOption, kUnitedOffensiveId);
    controls_->check(c.onlyInGameBox, kOnlyInGameId);
    controls_->check(c.loginStartBox, kLoginStartId);
    c.window.setObserver([this] { syncWindow(); });
    syncWindow();
}

MainWindowView::~MainWindowView() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void MainWindowView::syncWindow() {
    if (syncing_)
        return;
    syncing_ = true;
    const Window& w = model_.controls().window;
    SetWindowTextW(hwnd_, widen(w.caption()).c_str());
    // The design's client size with the frame around it, or the outer height of the shrink.
    resizeWindow(hwnd_, w, controls_->twips(), kMainStyle);
    controls_->fitToWindow();
    // Only what changed is done, and nothing here activates the window: activating it while a
    // modal box is open leaves the keyboard nowhere, while a list is dropped down it takes the
    // mouse from the list, and at any time it covers the game. Bringing it forward is the
    // desktop's bringToFront, for what the player asked.
    switch (w.appearance()) {
    case Window::Appearance::Hidden:
        if (IsWindowVisible(hwnd_))
            ShowWindow(hwnd_, SW_HIDE);
        break;
    case Window::Appearance::Minimized:
        // A hidden window (a start into the tray without one) is shown minimized without
        // taking the focus from the window the player is in.
        if (!IsWindowVisible(hwnd_))
            ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
        else if (!IsIconic(hwnd_))
            ShowWindow(hwnd_, SW_MINIMIZE);
        break;
    case Window::Appearance::Normal:
        if (IsIconic(hwnd_) || !IsWindowVisible(hwnd_))
            ShowWindow(hwnd_, SW_SHOWNORMAL);
        break;
    }
    syncing_ = false;
}

void MainWindowView::clicked(LPARAM lp) {
    // The key labels let the pointer through: the window finds which one was clicked.
    MainWindowControls& c = model_.controls();
    const double x = controls_->twips().toTwips(GET_X_LPARAM(lp));
    const double y = controls_->twips().toTwips(GET_Y_LPARAM(lp));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (c.keyLabel(slot).rect().contains(x, y)) {
            c.keyLabel(slot).click();
            if (model_.choosingKey())
                SetFocus(hwnd_); // away from a list, which would take the keys
            return;
        }
    }
}

bool MainWindowView::takeInput(const MSG& msg) {
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false; // another window's, a box's say
    switch (msg.message) {
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
        // The middle and side buttons do nothing in this window (a side button would go back as
        // in a browser): the platform reports them to a choice, and a chosen one fires its slot.
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // No key is ever taken outside a choice, nor one with Alt held: Alt+F4 closes and Alt
        // with a letter works the window, as everywhere. F10 comes as a system key without Alt,
        // and is taken.
        return model_.choosingKey() && (msg.lParam & (1 << 29)) == 0;
    default:
        return false;
    }
}

LRESULT MainWindowView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        const int code = HIWORD(wp);
        MainWindowControls& c = model_.controls();
        if (const auto list = lists_.find(id); list != lists_.end() && code == CBN_SELCHANGE) {
            const auto sel = SendMessageW(reinterpret_cast<HWND>(lp), CB_GETCURSEL, 0, 0);
            list->second->choose(static_cast<int>(sel));
        } else if (list != lists_.end() && code == CBN_DROPDOWN) {
            model_.focusLost(); // a list dropped down takes the keys: its own, not a choice's
        } else if (const auto b = buttons_.find(id); b != buttons_.end() && code == BN_CLICKED) {
            b->second->click();
        } else if (id == kCallOfDutyId && code == BN_CLICKED) {
            c.callOfDutyOption.click();
        } else if (id == kUnitedOffensiveId && code == BN_CLICKED) {
            c.unitedOffensiveOption.click();
        } else if (id == kOnlyInGameId && code == BN_CLICKED) {
            c.onlyInGameBox.toggle(!c.onlyInGameBox.checked());
        } else if (id == kLoginStartId && code == BN_CLICKED) {
            c.loginStartBox.toggle(!c.loginStartBox.checked());
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
        if (!syncing_ && (wp == SIZE_MINIMIZED || wp == SIZE_RESTORED))
            model_.shownMinimized(wp == SIZE_MINIMIZED);
        return 0;
    case WM_LBUTTONUP:
        clicked(lp);
        return 0;
    case WM_DPICHANGED:
        syncing_ = true; // its WM_SIZE is no minimize or restore of the player's
        followDpiChange(hwnd_, *controls_, wp, lp);
        syncing_ = false;
        syncWindow();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            model_.focusLost();
        break;
    case WM_CLOSE:
        // The model decides what comes after the window.
        model_.close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace bt::win32
