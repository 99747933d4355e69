#include "frontends/win32/test_probe.h"

#include "app/application.h"
#include "backends/win32/wide.h"
#include "backends/win32/win32_clock.h"
#include "backends/win32/win32_tray.h"
#include "frontends/win32/main_window_view.h"
#include "frontends/win32/news_window_view.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace bt::win32 {

namespace {

Application* g_app = nullptr;
MainWindowView* g_main = nullptr;
NewsWindowView* const* g_news = nullptr;
const Win32Tray* g_tray = nullptr;
const Win32Clock* g_clock = nullptr;
std::string g_path;
std::string g_written;
constexpr UINT kCheck = WM_APP + 40; // a thread message: look whether anything changed
bool g_checkPending = false;

// JSON is built by appending only: GCC 12 at -O2 warns falsely (-Wrestrict) about strings
// built with operator+ from a literal.
void quote(std::string& out, const std::string& s) {
    out += '"';
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    out += '"';
}

void field(std::string& out, const char* name, const std::string& text) {
    out += ",\"";
    out += name;
    out += "\":";
    quote(out, text);
}

void field(std::string& out, const char* name, long long number) {
    out += ",\"";
    out += name;
    out += "\":";
    out += std::to_string(number);
}

void flag(std::string& out, const char* name, bool value) {
    out += ",\"";
    out += name;
    out += "\":";
    out += value ? "true" : "false";
}

std::string text(HWND w) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(w, buffer, 1024);
    return narrow(buffer);
}

// textW: the width the control's whole text needs, as its window's controls measure it.
void describe(std::string& out, HWND w, const std::string& name, int textW = 0) {
    RECT r;
    GetWindowRect(w, &r);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    out += "{\"name\":";
    quote(out, name);
    field(out, "class", narrow(cls));
    field(out, "text", text(w));
    field(out, "x", r.left);
    field(out, "y", r.top);
    field(out, "w", r.right - r.left);
    field(out, "h", r.bottom - r.top);
    flag(out, "visible", IsWindowVisible(w));
    field(out, "textW", textW);
    LOGFONTW font{};
    if (HGDIOBJ f = reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)))
        if (GetObjectW(f, sizeof font, &font))
            field(out, "font", std::abs(font.lfHeight));
    if (std::wstring(cls) == L"Button")
        flag(out, "checked", SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (std::wstring(cls) == L"ComboBox")
        field(out, "index", static_cast<long long>(SendMessageW(w, CB_GETCURSEL, 0, 0)));
    out += '}';
}

void window(std::string& out, HWND hwnd, const NativeControls* controls) {
    out += "{\"title\":";
    quote(out, text(hwnd));
    flag(out, "visible", IsWindowVisible(hwnd));
    RECT client;
    GetClientRect(hwnd, &client);
    field(out, "clientW", client.right);
    field(out, "clientH", client.bottom);
    out += ",\"children\":[";
    bool first = true;
    if (controls) {
        for (const auto& [child, info] : controls->children()) {
            if (!first)
                out += ',';
            describe(out, child, info.name, controls->textWidth(child));
            first = false;
        }
    }
    out += "]}";
}

// The program's other windows (the input box, message boxes, a menu): their controls by class.
void dialog(std::string& out, HWND hwnd) {
    out += "{\"title\":";
    quote(out, text(hwnd));
    flag(out, "visible", true);
    out += ",\"children\":[";
    std::string children;
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM param) -> BOOL {
            auto& list = *reinterpret_cast<std::string*>(param);
            if (!IsWindowVisible(child))
                return TRUE;
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            if (!list.empty())
                list += ',';
            describe(list, child, narrow(cls));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    out += children + "]}";
}

// Whether the process has the mouse's Raw Input registered, as the system answers.
bool rawMouseRegistered() {
    RAWINPUTDEVICE devices[8];
    UINT count = 8;
    const UINT n = GetRegisteredRawInputDevices(devices, &count, sizeof devices[0]);
    for (UINT i = 0; n != static_cast<UINT>(-1) && i < n; ++i)
        if (devices[i].usUsagePage == 1 && devices[i].usUsage == 2)
            return true;
    return false;
}

void checkSoon() {
    if (!g_checkPending)
        g_checkPending = PostThreadMessageW(GetCurrentThreadId(), kCheck, 0, 0) != 0;
}

// A window manager moving a window reaches Wine as an X event, which Wine turns into a sent
// WM_WINDOWPOSCHANGED with no posted message after it: without a look at the windows' own
// messages, the file would keep a window where it was first drawn, and a click aimed from it
// would miss. (A WH_CALLWNDPROCRET hook would do the same for every window, but under Wine it
// keeps a click on an inactive window from pressing its button.)
constexpr wchar_t kFormerProc[] = L"BrontekProbeFormerProc";

LRESULT CALLBACK watchedWindow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto former = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kFormerProc));
    if (msg == WM_WINDOWPOSCHANGED)
        checkSoon();
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(former));
        RemovePropW(hwnd, kFormerProc);
    }
    return CallWindowProcW(former, hwnd, msg, wp, lp);
}

void watchMoves(HWND hwnd) {
    if (!hwnd || GetPropW(hwnd, kFormerProc))
        return;
    const LONG_PTR former =
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchedWindow));
    SetPropW(hwnd, kFormerProc, reinterpret_cast<HANDLE>(former));
}

void write() {
    std::string json = "{\"windows\":[";
    watchMoves(g_main->hwnd());
    window(json, g_main->hwnd(), g_main->controls());
    if (*g_news) {
        watchMoves((*g_news)->hwnd());
        json += ',';
        window(json, (*g_news)->hwnd(), (*g_news)->controls());
    }
    std::vector<HWND> others;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM param) -> BOOL {
            if (IsWindowVisible(w))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&others));
    for (HWND w : others) {
        if (w == g_main->hwnd() || (*g_news && w == (*g_news)->hwnd()))
            continue;
        json += ',';
        dialog(json, w);
    }
    const MainWindow& main = g_app->mainWindow();
    const MainWindowControls& c = main.controls();
    json += "],\"model\":{\"keyInterval\":";
    json += std::to_string(main.keyInterval());
    field(json, "game",
          !main.profile().game                           ? "none"
          : main.profile().game == Game::UnitedOffensive ? "UnitedOffensive"
                                                         : "CallOfDuty");
    field(json, "status", c.statusLabel.caption());
    flag(json, "mainVisible", c.window.visible());
    flag(json, "newsWindow", g_app->newsWindow() != nullptr);
    json += ",\"notices\":";
    json += std::to_string(g_tray->noticesShown());
    field(json, "dpi", std::lround(g_main->controls()->twips().dpi()));
    ICONINFO icon{};
    if (GetIconInfo(g_tray->icon(), &icon)) {
        BITMAP bits{};
        GetObjectW(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bits, &bits);
        field(json, "trayIconPx", bits.bmWidth);
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
    }
    field(json, "clock", g_clock->highResolution() ? "high-resolution" : "set-timer");
    flag(json, "throttlingOff", g_clock->throttlingOff());
    flag(json, "rawMouse", rawMouseRegistered());
    json += "}}";
    if (json == g_written)
        return;
    const std::wstring path = widen(g_path);
    const std::wstring temp = path + L".tmp";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD n = 0;
    WriteFile(h, json.data(), static_cast<DWORD>(json.size()), &n, nullptr);
    CloseHandle(h);
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        g_written = json;
}

// Wine never sends WM_DPICHANGED, so a test posts one, without the rectangle the system would
// suggest, which only a sender in this process can pass: the probe puts in the window's own,
// scaled from the scale its view has now to the new one, as Windows suggests for a window moved
// to a monitor of another scale.
void suggestRectangle(MSG& msg) {
    static RECT suggested;
    GetWindowRect(msg.hwnd, &suggested);
    const NativeControls* view = msg.hwnd == g_main->hwnd()                 ? g_main->controls()
                                 : *g_news && msg.hwnd == (*g_news)->hwnd() ? (*g_news)->controls()
                                                                            : nullptr;
    const double scale = view ? HIWORD(msg.wParam) / view->twips().dpi() : 1.0;
    suggested.right = suggested.left + std::lround((suggested.right - suggested.left) * scale);
    suggested.bottom = suggested.top + std::lround((suggested.bottom - suggested.top) * scale);
    msg.lParam = reinterpret_cast<LPARAM>(&suggested);
}

// Every message the thread takes, in the main loop or in a box's or menu's own loop, may change
// what the windows show: once it has been handled, the check message that follows it writes the
// file if anything changed. The probe has no timer: after the last message it is idle too.
LRESULT CALLBACK messageTaken(int code, WPARAM removal, LPARAM lp) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        auto* msg = reinterpret_cast<MSG*>(lp);
        if (msg->message == WM_DPICHANGED && msg->lParam == 0)
            suggestRectangle(*msg);
        if (msg->message == kCheck && msg->hwnd == nullptr) {
            g_checkPending = false;
            write();
        } else {
            checkSoon();
        }
    }
    return CallNextHookEx(nullptr, code, removal, lp);
}

} // namespace

void startTestProbe(Application& app, MainWindowView& mainView, NewsWindowView* const& newsView,
                    const Win32Tray& tray, const Win32Clock& clock) {
    const char* path = std::getenv("BRONTEK_TEST_PROBE");
    if (!path || !*path)
        return;
    g_app = &app;
    g_main = &mainView;
    g_news = &newsView;
    g_tray = &tray;
    g_clock = &clock;
    g_path = path;
    write();
    SetWindowsHookExW(WH_GETMESSAGE, messageTaken, nullptr, GetCurrentThreadId());
}

} // namespace bt::win32
