#include "backends/win32/win32_autostart.h"

#include "backends/win32/wide.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

namespace bt::win32 {

namespace {

constexpr const wchar_t* kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kApproved =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const wchar_t* kValueName = L"Brontek Tarnlow";

// One argument as CommandLineToArgvW reads it back: in quotes, with the backslashes before the
// closing quote doubled (a folder such as C:\ ends in one).
std::wstring quoted(const std::wstring& arg) {
    std::wstring out(1, L'"');
    out += arg;
    for (auto it = arg.rbegin(); it != arg.rend() && *it == L'\\'; ++it)
        out += L'\\';
    out += L'"';
    return out;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring moduleFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring currentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(n, L'\0');
    folder.resize(GetCurrentDirectoryW(n, folder.data()));
    return folder;
}

// The Run value's text, and whether it could be read (ERROR_FILE_NOT_FOUND: there is none). A
// REG_EXPAND_SZ value comes expanded, as REG_SZ.
LSTATUS readRunValue(std::wstring& text) {
    DWORD bytes = 0;
    LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, kRun, kValueName, RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, kRun, kValueName, RRF_RT_REG_SZ, nullptr, text.data(),
                          &bytes);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return status;
}

} // namespace

Win32Autostart::Win32Autostart() : program_(moduleFileName()), folder_(currentFolder()) {}

bool Win32Autostart::turnedOff() const {
    // Task Manager writes 12 bytes; an odd first byte is "disabled", an even one "enabled".
    BYTE state[12] = {};
    DWORD bytes = sizeof state;
    return RegGetValueW(HKEY_CURRENT_USER, kApproved, kValueName, RRF_RT_REG_BINARY, nullptr, state,
                        &bytes) == ERROR_SUCCESS &&
           bytes > 0 && (state[0] & 1) != 0;
}

AutostartEntry Win32Autostart::entry() {
    std::wstring text;
    const LSTATUS status = readRunValue(text);
    if (status == ERROR_FILE_NOT_FOUND)
        return AutostartEntry::None;
    if (status != ERROR_SUCCESS || text.empty() || turnedOff())
        return AutostartEntry::Another;
    int count = 0;
    wchar_t** args = CommandLineToArgvW(text.c_str(), &count);
    const bool ours = args && count == 4 && samePath(args[0], program_) &&
                      std::wstring(args[1]) == L"--tray" && std::wstring(args[2]) == L"--folder" &&
                      samePath(args[3], folder_);
    LocalFree(args);
    return ours ? AutostartEntry::Ours : AutostartEntry::Another;
}

AutostartResult Win32Autostart::write() {
    std::wstring command = quoted(program_);
    command += L" --tray --folder ";
    command += quoted(folder_);
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CURRENT_USER, kRun, kValueName, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        return {false, systemMessage(static_cast<DWORD>(status))};
    // Whatever the Startup tab said of an earlier entry, the player wants this one to run.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApproved, kValueName);
    return {};
}

AutostartResult Win32Autostart::remove() {
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, kValueName);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return {false, systemMessage(static_cast<DWORD>(status))};
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApproved, kValueName);
    return {};
}

} // namespace bt::win32
