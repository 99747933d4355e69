#include "frontends/win32/test_probe.h"

#include "app/application.h"
#include "backends/win32/wide.h"
#include "frontends/win32/main_window_view.h"
#include "frontends/win32/news_window_view.h"

#include <cstdlib>
#include <string>

namespace bt::win32 {

namespace {

Application* g_app = nullptr;
MainWindowView* g_main = nullptr;
NewsWindowView* const* g_news = nullptr;
std::string g_path;

std::string quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            out += ' ';
            continue;
        }
        out += c;
    }
    return out + "\"";
}

std::string text(HWND w) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(w, buffer, 1024);
    return narrow(buffer);
}

std::string describe(HWND w, const std::string& name) {
    RECT r;
    GetWindowRect(w, &r);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    std::string s = "{\"name\":" + quote(name) + ",\"class\":" + quote(narrow(cls)) +
                    ",\"text\":" + quote(text(w)) + ",\"x\":" + std::to_string(r.left) +
                    ",\"y\":" + std::to_string(r.top) +
                    ",\"w\":" + std::to_string(r.right - r.left) +
                    ",\"h\":" + std::to_string(r.bottom - r.top) +
                    ",\"visible\":" + (IsWindowVisible(w) ? "true" : "false");
    if (std::wstring(cls) == L"ComboBox")
        s += ",\"index\":" + std::to_string(SendMessageW(w, CB_GETCURSEL, 0, 0));
    return s + "}";
}

std::string window(HWND hwnd, const NativeControls* controls) {
    std::string s = "{\"title\":" + quote(text(hwnd)) +
                    ",\"visible\":" + (IsWindowVisible(hwnd) ? "true" : "false") +
                    ",\"children\":[";
    bool first = true;
    if (controls) {
        for (const auto& [child, info] : controls->children()) {
            s += (first ? "" : ",") + describe(child, info.name);
            first = false;
        }
    }
    return s + "]}";
}

void CALLBACK write(HWND, UINT, UINT_PTR, DWORD) {
    std::string json = "{\"windows\":[";
    json += window(g_main->hwnd(), g_main->controls());
    if (*g_news)
        json += "," + window((*g_news)->hwnd(), (*g_news)->controls());
    const MainWindowControls& c = g_app->mainWindow().controls();
    json += "],\"model\":{\"keyInterval\":" + quote(c.keyInterval) +
            ",\"variant\":" + quote(c.variant) + ",\"status\":" + quote(c.statusLabel.caption()) +
            ",\"mainVisible\":" + (c.window.visible() ? "true" : "false") +
            ",\"newsWindow\":" + (g_app->newsWindow() ? "true" : "false") + "}}";
    const std::wstring path = widen(g_path);
    const std::wstring temp = path + L".tmp";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD n = 0;
    WriteFile(h, json.data(), static_cast<DWORD>(json.size()), &n, nullptr);
    CloseHandle(h);
    MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

void startTestProbe(Application& app, MainWindowView& mainView, NewsWindowView* const& newsView) {
    const char* path = std::getenv("BRONTEK_TEST_PROBE");
    if (!path || !*path)
        return;
    g_app = &app;
    g_main = &mainView;
    g_news = &newsView;
    g_path = path;
    SetTimer(nullptr, 0, 200, write);
}

} // namespace bt::win32
