#include "base/system/transfer.h"

namespace bt {

void Transfer::start(std::string url, std::function<void(const HttpResult&)> done) {
    if (running_)
        return;
    running_ = true;
    id_ = http_.get(std::move(url), [this, done = std::move(done)](HttpResult result) {
        running_ = false;
        if (done)
            done(result);
    });
}

void Transfer::cancel() {
    if (!running_)
        return;
    running_ = false;
    http_.cancel(id_);
}

} // namespace bt
