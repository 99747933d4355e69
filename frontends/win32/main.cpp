// brontek-tarnlow.exe: the Windows program, one static executable built from the shared core.

#include "app/application.h"
#include "app/command_line.h"
#include "backends/win32/single_instance.h"
#include "backends/win32/wide.h"
#include "backends/win32/win32_autostart.h"
#include "backends/win32/win32_clock.h"
#include "backends/win32/win32_desktop.h"
#include "backends/win32/win32_dialogs.h"
#include "backends/win32/win32_files.h"
#include "backends/win32/win32_focus.h"
#include "backends/win32/win32_tray.h"
#include "backends/win32/win32_trigger_input.h"
#include "backends/win32/win32_typist.h"
#include "backends/win32/winhttp_client.h"
#include "base/texts.h"
#include "frontends/win32/main_window_view.h"
#include "frontends/win32/news_window_view.h"
#include "frontends/win32/test_probe.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr const char* kFilesNote =
    "\"binds\" (your bindings), \"keys\" (keys and mouse buttons chosen instead of keypad keys), "
    "\"options\" "
    "and \"data\" (a declined news item) are kept in the folder the program is started in (or "
    "--folder names); started from its own folder, they lie beside brontek-tarnlow.exe. Started "
    "with Windows, it keeps using the folder it used when the box was ticked.";

std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; list && i < count; ++i)
        args.push_back(bt::win32::narrow(list[i]));
    LocalFree(list);
    return args;
}

// A program without a console answers its command line in a message box.
void tell(const std::string& text, UINT icon) {
    MessageBoxW(nullptr, bt::win32::widen(text).c_str(), bt::win32::widen(bt::kBoxTitle).c_str(),
                MB_OK | icon);
}

// A click in one of the program's windows, the title bar's buttons among them.
bool isClick(UINT message) {
    return (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
           (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const bt::CommandLine command = bt::parseCommandLine(arguments(), BRONTEK_DEFAULT_SERVER_HOST);
    switch (command.action) {
    case bt::CommandLine::Action::Help:
        tell(bt::usageText(kFilesNote, BRONTEK_DEFAULT_SERVER_HOST), MB_ICONINFORMATION);
        return 0;
    case bt::CommandLine::Action::Version:
        tell(bt::versionText(), MB_ICONINFORMATION);
        return 0;
    case bt::CommandLine::Action::Error:
        tell(command.usageHint ? command.error + "\n" + bt::kUsageHint : command.error,
             MB_ICONERROR);
        return 2;
    case bt::CommandLine::Action::Run:
        break;
    }
    // Explorer starts the programs of the Run key in a folder of its own: the entry names the
    // folder of the player's files.
    if (!command.folder.empty() &&
        !SetCurrentDirectoryW(bt::win32::widen(command.folder).c_str())) {
        std::string problem = "brontek-tarnlow: the folder \"";
        problem += command.folder;
        problem += "\" cannot be used: ";
        problem += bt::win32::systemMessage(GetLastError());
        tell(problem + ".", MB_ICONERROR);
        return 1;
    }
    // Two copies would both watch the keypad and type every message twice. A start into the tray
    // (at sign-in) leaves a running copy where it is.
    if (!bt::win32::claimSingleInstance(!command.intoTray))
        return 0;

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));

    // The system's roles, around the hidden window that carries the program's own messages.
    bt::win32::MessageWindow messages(instance);
    // The tests force SetTimer's path, which Windows before 10 1803 takes by itself.
    const char* forced = std::getenv("BRONTEK_TEST_CLOCK");
    bt::win32::Win32Clock clock(messages, !forced || std::string(forced) != "set-timer");
    bt::win32::Win32TriggerInput input(messages, [&clock] { return clock.now(); });
    // Before a message starts, key input that came meanwhile is read too: keys of one instant are a
    // chord.
    clock.setBeforeRun([&input] { input.deliverQueued(); });
    bt::win32::Win32Typist typist;
    bt::win32::Win32Dialogs dialogs(instance);
    bt::win32::Win32Tray tray(messages, MAKEINTRESOURCEW(1));
    bt::win32::Win32Desktop desktop(clock);
    bt::win32::Win32Files files;
    bt::win32::Win32Focus focus;
    bt::win32::Win32Autostart autostart;
    bt::win32::WinHttpClient http(
        [&messages](std::function<void()> f) { messages.post(std::move(f)); });

    bt::GrantedFromTheStart permission; // Windows lets every program type
    bt::Application core({input, typist, clock, dialogs, tray, desktop, files, http, focus, tray,
                          permission, autostart},
                         command.serverUrl);
    bt::win32::MainWindowView mainView(instance, core.mainWindow(), icon);
    desktop.setWindow(bt::WindowId::Main, mainView.hwnd());
    dialogs.setOwner(mainView.hwnd());
    tray.setHandler([&core](bt::TrayEvent e) { core.mainWindow().trayEvent(e); });
    bt::win32::listenForAnotherStart(messages, [&core] { core.anotherCopyStarted(); });

    std::unique_ptr<bt::win32::NewsWindowView> newsView;
    bt::win32::NewsWindowView* newsViewRaw = nullptr;
    core.setOnNewsWindowCreated([&](bt::NewsWindow& news) {
        newsView = std::make_unique<bt::win32::NewsWindowView>(instance, news, icon);
        newsViewRaw = newsView.get();
        desktop.setWindow(bt::WindowId::News, newsView->hwnd());
    });

    core.start(clock.now(), command.intoTray);
    bt::win32::startTestProbe(core, mainView, newsViewRaw, tray, clock);

    MSG msg;
    while (!desktop.ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Key input the system holds happened before a click in the program's windows: the core
        // hears it first, so a keypad press made as a key label is clicked is no key of the
        // choice.
        if (isClick(msg.message))
            input.deliverQueued();
        if (mainView.takeInput(msg))
            continue;
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
