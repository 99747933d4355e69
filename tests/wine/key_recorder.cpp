// A window that writes every character it receives, with the message time, to the file named on
// its command line: the focused target of the smoke test under Wine. "FILE [TITLE [LEFT TOP]]":
// several of them, each under a name and in a place of its own, are the game and other windows.
// Each key going down is written too, as "TIME key VK EXTENDED" with the time on the recorder's own
// clock (QueryPerformanceCounter, ms), for the bench's press to v and gaps.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
FILE* g_out = nullptr;

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && g_out) {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        std::fprintf(g_out, "%.3f key %u %u\n", 1000.0 * now.QuadPart / frequency.QuadPart,
                     static_cast<unsigned>(wp), static_cast<unsigned>(lp >> 24 & 1));
        std::fflush(g_out);
    }
    if (msg == WM_CHAR && g_out) {
        std::fprintf(g_out, "%ld %lc\n", static_cast<long>(GetMessageTime()),
                     static_cast<wint_t>(wp));
        std::fflush(g_out);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmd, int) {
    wchar_t file[512] = L"", title[128] = L"Recorder";
    int left = 700, top = 500;
    std::swscanf(cmd, L"%511ls %127ls %d %d", file, title, &left, &top);
    g_out = _wfopen(file, L"w");
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"KeyRecorder";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, left, top, 300, 200,
                             nullptr, nullptr, instance, nullptr);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    SetFocus(w);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
