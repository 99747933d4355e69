#pragma once

// HTTP GET, and one transfer's outcome, the same from every backend.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

using HttpRequestId = std::uint64_t;

// No answer the program reads is anywhere near this; a larger one is refused as a failure.
constexpr std::size_t kMaxAnswerBytes = 1 << 20;
constexpr const char* kAnswerTooLarge = "the answer is larger than 1 MiB";
// How the program introduces itself to the server.
constexpr const char* kUserAgent = "Brontek Tarnlow";

struct HttpResult {
    std::optional<int> status; // the HTTP status, when an answer came
    std::string body;          // the answer as UTF-8 text
    std::string error;         // why no answer came, in words

    bool answered() const { return status.has_value(); }
    // An answer with a 2xx status: the only kind whose body the program takes as what it asked.
    bool ok() const { return status && *status >= 200 && *status <= 299; }

    // An answer: the body's bytes as the server sent them (UTF-8, or else Windows-1252).
    static HttpResult answer(int status, std::string_view bytes);
    static HttpResult failure(std::string why);
};

class Http {
  public:
    virtual ~Http() = default;
    // A GET, asynchronous: returns at once; done runs later on the UI thread, unless the request
    // is cancelled first. A request nobody waits for (done empty) is still made.
    virtual HttpRequestId get(std::string url, std::function<void(HttpResult)> done) = 0;
    virtual void cancel(HttpRequestId id) = 0;
};

} // namespace bt
