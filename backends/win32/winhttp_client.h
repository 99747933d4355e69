#pragma once

// HTTP GET with WinHTTP, each transfer on a worker thread; results are handed to `post`, which
// must run them on the UI thread. A cancelled request never delivers. Same rules as the Linux
// client: connect within 5 s, done within 15 s, at most 1 MiB, at most 5 redirects, 2xx succeeds.

#include "base/system/http.h"

#include <functional>
#include <map>
#include <memory>

namespace bt::win32 {

class WinHttpClient : public Http {
  public:
    using Post = std::function<void(std::function<void()>)>;
    explicit WinHttpClient(Post post);
    ~WinHttpClient() override;

    HttpRequestId get(std::string url, std::function<void(HttpResult)> done) override;
    void cancel(HttpRequestId id) override;

  private:
    struct Live {
        std::map<HttpRequestId, std::function<void(HttpResult)>> callbacks;
    };
    Post post_;
    std::shared_ptr<Live> live_ = std::make_shared<Live>();
    HttpRequestId next_ = 1;
};

} // namespace bt::win32
