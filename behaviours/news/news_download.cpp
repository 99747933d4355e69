#include "behaviours/news/news_download.h"

#include "behaviours/news/feed_format.h"

namespace bt {

namespace {
constexpr Millis kDelayMs = 2000;
} // namespace

NewsDownload::NewsDownload(Http& http, Clock& clock, std::function<void(const Lines&)> onFeed)
    : clock_(clock), onFeed_(std::move(onFeed)), transfer_(http) {
    delay_.setOnRing([this](Millis) { askFeed(); });
}

void NewsDownload::start(std::string serverUrl) {
    serverUrl_ = std::move(serverUrl);
    delay_.attach(clock_);
    delay_.ringAfter(kDelayMs);
}

void NewsDownload::stop() {
    delay_.silence();
    transfer_.cancel();
}

void NewsDownload::askFeed() {
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
