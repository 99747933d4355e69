#include "backends/win32/winhttp_client.h"

#include "backends/win32/wide.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <optional>
#include <thread>

namespace bt::win32 {

namespace {

struct Handle {
    HINTERNET h = nullptr;
    explicit Handle(HINTERNET x) : h(x) {}
    ~Handle() {
        if (h)
            WinHttpCloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

HttpResult failed(const char* why) {
    return HttpResult::failure(why);
}

// The parts of a web address WinHTTP needs, or nullopt for anything but http and https.
struct Address {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object; // path and query
    bool secure = false;
};

std::optional<Address> crack(const std::wstring& url) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    wchar_t host[256] = {};
    wchar_t path[4096] = {};
    wchar_t extra[4096] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 4096;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = 4096;
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return std::nullopt;
    return Address{host, parts.nPort, std::wstring(path) + extra,
                   parts.nScheme == INTERNET_SCHEME_HTTPS};
}

// The body, read until its end, the deadline or the size limit.
HttpResult readAnswer(HINTERNET request, std::chrono::steady_clock::time_point deadline) {
    DWORD status = 0;
    DWORD size = sizeof status;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    std::string body;
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline)
            return failed("the answer took longer than 15 s");
        char buffer[16384];
        DWORD got = 0;
        if (!WinHttpReadData(request, buffer, sizeof buffer, &got))
            return failed("the answer broke off");
        if (got == 0)
            break;
        if (body.size() + got > kMaxAnswerBytes)
            return failed(kAnswerTooLarge);
        body.append(buffer, got);
    }
    return HttpResult::answer(static_cast<int>(status), body);
}

HttpResult fetch(const std::wstring& url) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    const auto address = crack(url);
    if (!address)
        return failed("only http and https are fetched");
    Handle session(WinHttpOpen(widen(kUserAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.h)
        return failed("cannot start WinHTTP");
    WinHttpSetTimeouts(session.h, 5000, 5000, 15000, 15000);
    DWORD redirects = 5;
    WinHttpSetOption(session.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                     sizeof redirects);
    Handle connection(WinHttpConnect(session.h, address->host.c_str(), address->port, 0));
    if (!connection.h)
        return failed("cannot connect");
    Handle request(WinHttpOpenRequest(connection.h, L"GET", address->object.c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                      address->secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request.h)
        return failed("cannot make the request");
    if (!WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                            0, 0) ||
        !WinHttpReceiveResponse(request.h, nullptr))
        return failed("no answer");
    return readAnswer(request.h, deadline);
}

} // namespace

WinHttpClient::WinHttpClient(Post post) : post_(std::move(post)) {}

WinHttpClient::~WinHttpClient() {
    live_->callbacks.clear();
}

HttpRequestId WinHttpClient::get(std::string url, std::function<void(HttpResult)> done) {
    const HttpRequestId id = next_++;
    live_->callbacks[id] = std::move(done);
    std::weak_ptr<Live> weak = live_;
    Post post = post_;
    std::thread([weak, post, id, url = widen(url)] {
        HttpResult r = fetch(url);
        post([weak, id, r = std::move(r)]() mutable {
            const auto live = weak.lock();
            if (!live)
                return;
            const auto it = live->callbacks.find(id);
            if (it == live->callbacks.end())
                return; // cancelled meanwhile
            auto done = std::move(it->second);
            live->callbacks.erase(it);
            if (done)
                done(std::move(r));
        });
    }).detach();
    return id;
}

void WinHttpClient::cancel(HttpRequestId id) {
    live_->callbacks.erase(id);
}

} // namespace bt::win32
