#include "backends/win32/win32_files.h"

#include "backends/win32/wide.h"

#include <windows.h>

namespace bt::win32 {

std::int64_t fileLength(std::string_view name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(widen(name).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) {
    HANDLE h = CreateFileW(widen(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string content(maxBytes, '\0');
    std::size_t got = 0;
    while (got < maxBytes) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(maxBytes - got, 1 << 20));
        if (!ReadFile(h, content.data() + got, want, &n, nullptr)) {
            CloseHandle(h);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += n;
    }
    CloseHandle(h);
    content.resize(got);
    return content;
}

FileWriteResult replaceFile(std::string_view name, std::string_view contents) {
    const std::wstring target = widen(name);
    const std::wstring temp = target + L".tmp" + std::to_wstring(GetCurrentProcessId());
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {false, systemMessage(GetLastError())};
    DWORD written = 0;
    const bool ok =
        WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size() && FlushFileBuffers(h);
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(h);
    if (!ok) {
        DeleteFileW(temp.c_str());
        return {false, systemMessage(error)};
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = GetLastError();
        DeleteFileW(temp.c_str());
        return {false, systemMessage(moveError)};
    }
    return {};
}

} // namespace bt::win32
