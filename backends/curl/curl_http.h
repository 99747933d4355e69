#pragma once

// HTTP GET with libcurl on a worker thread. Results are handed to `post`, which must run them on
// the UI thread; a cancelled request never delivers.

#include "base/system/http.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace bt {

struct HttpOptions {
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{15000};
    std::size_t maxBody = kMaxAnswerBytes; // more is a failed transfer
    long maxRedirects = 5;                 // followed only to http and https
};

class CurlHttp : public Http {
  public:
    using Post = std::function<void(std::function<void()>)>;

    explicit CurlHttp(Post post, HttpOptions options = {});
    ~CurlHttp() override;
    CurlHttp(const CurlHttp&) = delete;
    CurlHttp& operator=(const CurlHttp&) = delete;

    // UI thread only.
    HttpRequestId get(std::string url, std::function<void(HttpResult)> done) override;
    void cancel(HttpRequestId id) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace bt
