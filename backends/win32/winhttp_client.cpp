#include "backends/win32/winhttp_client.h"

#include "backends/win32/wide.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
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

using Clock = std::chrono::steady_clock;

constexpr auto kTransferLimit = std::chrono::seconds(15);
constexpr const char* kTookTooLong = "the answer took longer than 15 s";

HttpResult failed(const char* why) {
    return HttpResult::failure(why);
}

// WinHTTP's time-outs bound each wait for the server, not the whole transfer: a server that sends
// a byte every 14 s never trips a 15 s receive time-out and holds the download for as long as it
// likes. So before each wait the request's time-outs are cut to what is left of the 15 s (at
// least 1 ms, since 0 would mean no limit at all).
void waitAtMostUntil(HINTERNET request, Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    const int ms = static_cast<int>(std::clamp<long long>(left.count(), 1, 15000));
    const int connect = std::min(ms, 5000);
    WinHttpSetTimeouts(request, connect, connect, ms, ms);
    DWORD response = static_cast<DWORD>(ms);
    WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response, sizeof response);
}

// Whether a wait that failed ran out of the time left. Windows says ERROR_WINHTTP_TIMEOUT; Wine
// passes on its socket's WSAETIMEDOUT.
bool ranOutOfTime(Clock::time_point deadline) {
    const DWORD error = GetLastError();
    return error == ERROR_WINHTTP_TIMEOUT || error == WSAETIMEDOUT || Clock::now() >= deadline;
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
HttpResult readAnswer(HINTERNET request, Clock::time_point deadline) {
    DWORD status = 0;
    DWORD size = sizeof status;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    std::string body;
    for (;;) {
        if (Clock::now() >= deadline)
            return failed(kTookTooLong);
        // Only asking what has arrived waits for the server: WinHttpReadData may wait to fill
        // its whole buffer (Wine's does), each receive with a time-out of its own, so it reads no
        // more than is there.
        waitAtMostUntil(request, deadline);
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available))
            return failed(ranOutOfTime(deadline) ? kTookTooLong : "the answer broke off");
        if (available == 0)
            break; // the end of the answer
        char buffer[16384];
        DWORD got = 0;
        if (!WinHttpReadData(request, buffer, std::min<DWORD>(available, sizeof buffer), &got))
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
    const auto deadline = Clock::now() + kTransferLimit;
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
    waitAtMostUntil(request.h, deadline);
    if (!WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                            0, 0))
        return failed("no answer");
    waitAtMostUntil(request.h, deadline);
    if (!WinHttpReceiveResponse(request.h, nullptr))
        return failed(ranOutOfTime(deadline) ? kTookTooLong : "no answer");
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
