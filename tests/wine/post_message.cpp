// post-message.exe CLASS MESSAGE WPARAM: posts one message to the window of that class, as the
// system would send it; the tests' way to tell the program what Wine never does. Exit status 0
// once posted.

#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    HWND window = count == 4 ? FindWindowW(args[1], nullptr) : nullptr;
    return window && PostMessageW(window, std::wcstoul(args[2], nullptr, 0),
                                  std::wcstoul(args[3], nullptr, 0), 0)
               ? 0
               : 1;
}
