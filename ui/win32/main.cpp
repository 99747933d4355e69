// brontek-tarnlow.exe: the Windows program, one static executable built from the shared core.

#include "platform/win32/win32_platform.h"
#include "ui/application.h"
#include "ui/win32/form1_window.h"
#include "ui/win32/form2_window.h"
#include "ui/win32/test_probe.h"

#include <commctrl.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));

    bt::win32::Win32Platform platform(instance);
    platform.setIcon(icon);
    bt::Application core(platform, BRONTEK_SERVER_BASE_URL);
    bt::win32::Form1Window form1(instance, core.form1(), icon);
    platform.setWindow(bt::WindowId::Form1, form1.hwnd());
    platform.setTrayHandler([&core](int message) { core.form1().trayMessage(message); });

    std::unique_ptr<bt::win32::Form2Window> form2;
    bt::win32::Form2Window* form2Raw = nullptr;
    core.setOnForm2Created([&](bt::Form2& f) {
        form2 = std::make_unique<bt::win32::Form2Window>(instance, f, icon);
        form2Raw = form2.get();
        platform.setWindow(bt::WindowId::Form2, form2->hwnd());
    });

    core.start();
    bt::win32::startTestProbe(core, form1, form2Raw);

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
