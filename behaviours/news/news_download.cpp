#include "behaviours/news/news_download.h"

#include "base/platform.h"
#include "behaviours/news/feed_format.h"

namespace bt {

NewsDownload::NewsDownload(Platform& platform, std::function<void(const Lines&)> onFeed)
    : platform_(platform), onFeed_(std::move(onFeed)), transfer_(platform) {
    delay_.setOnTick([this](Millis) { askFeed(); });
}

void NewsDownload::start(std::string serverUrl) {
    serverUrl_ = std::move(serverUrl);
    delay_.attach(platform_);
}

void NewsDownload::stop() {
    delay_.setEnabled(false);
    transfer_.cancel();
}

void NewsDownload::askFeed() {
    delay_.setEnabled(false);
    transfer_.start(serverUrl_ + "data.html", [this](const HttpResult& r) { feedArrived(r); });
}

void NewsDownload::feedArrived(const HttpResult& r) {
    if (!r.ok())
        return;
    feed_ = r.body;
    transfer_.start(serverUrl_ + "br.html", [this](const HttpResult& t) { tokenArrived(t); });
}

void NewsDownload::tokenArrived(const HttpResult& r) {
    if (!r.ok())
        return;
    onFeed_(feed::split(feed::normalise(feed_, r.body)));
}

} // namespace bt
