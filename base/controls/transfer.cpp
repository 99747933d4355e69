#include "base/controls/transfer.h"

namespace bt {

void Transfer::start(std::string url, std::function<void(const HttpResult&)> done) {
    if (running_)
        return;
    running_ = true;
    id_ = platform_.httpGet(std::move(url), [this, done = std::move(done)](HttpResult result) {
        running_ = false;
        if (done)
            done(result);
    });
}

void Transfer::cancel() {
    if (!running_)
        return;
    running_ = false;
    platform_.httpCancel(id_);
}

} // namespace bt
