#pragma once

#include "platform/platform.h"

#include <functional>
#include <string>

namespace bt {

// The transfer control of a window. The original blocked the one thread during a transfer; here a
// transfer starts at once and its result arrives later on the UI thread, so the key watcher never
// stalls. At most one transfer per control is in flight.
class Inet {
  public:
    explicit Inet(Platform& platform) : platform_(platform) {}
    Inet(const Inet&) = delete;
    Inet& operator=(const Inet&) = delete;
    ~Inet() { cancel(); }

    // Starts a GET unless one is already running (then returns false and does nothing).
    bool openUrl(std::string url, std::function<void(const HttpResult&)> done);
    bool stillExecuting() const { return running_; }
    void cancel();
    // Of the last completed transfer; 0 = completed with a 2xx answer.
    int responseCode() const { return responseCode_; }

  private:
    Platform& platform_;
    bool running_ = false;
    HttpRequestId id_ = 0;
    int responseCode_ = 0;
    std::uint64_t generation_ = 0;
};

} // namespace bt
