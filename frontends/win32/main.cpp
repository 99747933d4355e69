// brontek-tarnlow.exe: the Windows program, one static executable built from the shared core.

#include "app/application.h"
#include "backends/win32/win32_platform.h"
#include "frontends/win32/main_window_view.h"
#include "frontends/win32/news_window_view.h"
#include "frontends/win32/test_probe.h"

#include <commctrl.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));

    bt::win32::Win32Platform platform(instance);
    platform.setIcon(icon);
    bt::Application core(platform, BRONTEK_SERVER_BASE_URL);
    bt::win32::MainWindowView mainView(instance, core.mainWindow(), icon);
    platform.setWindow(bt::WindowId::Main, mainView.hwnd());
    platform.setTrayHandler([&core](int message) { core.mainWindow().trayMessage(message); });

    std::unique_ptr<bt::win32::NewsWindowView> newsView;
    bt::win32::NewsWindowView* newsViewRaw = nullptr;
    core.setOnNewsWindowCreated([&](bt::NewsWindow& news) {
        newsView = std::make_unique<bt::win32::NewsWindowView>(instance, news, icon);
        newsViewRaw = newsView.get();
        platform.setWindow(bt::WindowId::News, newsView->hwnd());
    });

    core.start();
    bt::win32::startTestProbe(core, mainView, newsViewRaw);

    MSG msg;
    while (!platform.ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
