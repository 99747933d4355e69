#include "backends/win32/message_window.h"

namespace bt::win32 {

namespace {
constexpr UINT kRunPosted = WM_APP + 1;
} // namespace

MessageWindow::MessageWindow(HINSTANCE instance) : instance_(instance) {
    QueryPerformanceFrequency(&frequency_);
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    // A hidden top-level window: it hears "TaskbarCreated", which message-only windows do not.
    hwnd_ =
        CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    onMessage(kRunPosted, [](WPARAM, LPARAM lp) {
        auto* f = reinterpret_cast<std::function<void()>*>(lp);
        (*f)();
        delete f;
        return LRESULT{0};
    });
}

MessageWindow::~MessageWindow() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

LRESULT CALLBACK MessageWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (const auto it = self->handlers_.find(msg); it != self->handlers_.end())
            return it->second(wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void MessageWindow::post(std::function<void()> f) {
    auto* heap = new std::function<void()>(std::move(f));
    if (!PostMessageW(hwnd_, kRunPosted, 0, reinterpret_cast<LPARAM>(heap)))
        delete heap;
}

double MessageWindow::clockMs() const {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
}

} // namespace bt::win32
