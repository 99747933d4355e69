#include "ui/controls/inet.h"

namespace bt {

bool Inet::openUrl(std::string url, std::function<void(const HttpResult&)> done) {
    if (running_)
        return false;
    running_ = true;
    const std::uint64_t generation = ++generation_;
    id_ = platform_.httpGet(std::move(url),
                            [this, generation, done = std::move(done)](HttpResult result) {
                                // A result of a cancelled transfer must never reach the window.
                                if (generation != generation_ || !running_)
                                    return;
                                running_ = false;
                                responseCode_ = result.responseCode;
                                if (done)
                                    done(result);
                            });
    return true;
}

void Inet::cancel() {
    if (!running_)
        return;
    running_ = false;
    ++generation_;
    platform_.httpCancel(id_);
}

} // namespace bt
