#include "behaviours/news/news_download.h"

#include "base/news_window_controls.h"
#include "behaviours/news/feed.h"
#include "behaviours/news/news_layout.h"

namespace bt {

NewsDownload::NewsDownload(NewsWindowControls& w) : w_(w) {
    w_.feedDownloadTimer.setOnTick([this] { downloadFeed(); });
    w_.tokenTimer.setOnTick([this] { downloadToken(); });
    w_.layoutTimer.setOnTick([this] { layOut(); });
}

void NewsDownload::downloadFeed() {
    w_.feedDownloadTimer.setEnabled(false);
    w_.requestUrl = w_.serverUrl + "data.html";
    w_.feedTransfer.start(w_.requestUrl, [this](const HttpResult& r) {
        // A server that cannot be reached at all counts as a failed transfer: the sequence stops
        // with the code noted, and the window can be closed.
        if (r.httpStatus != 0)
            w_.feedText = r.body;
        w_.tokenTimer.setEnabled(true);
    });
}

void NewsDownload::downloadToken() {
    w_.responseCode = w_.feedTransfer.responseCode();
    // A failed transfer is final: there is no retry, so the code cannot change any more and the
    // 1 ms timer has nothing left to do.
    w_.tokenTimer.setEnabled(false);
    if (w_.responseCode != 0)
        return;
    w_.requestUrl = w_.serverUrl + "br.html";
    w_.feedTransfer.start(w_.requestUrl, [this](const HttpResult& r) {
        if (r.httpStatus != 0)
            w_.breakToken = r.body;
        w_.feedText = normaliseFeed(w_.feedText, w_.breakToken);
        w_.layoutTimer.setEnabled(true);
    });
}

void NewsDownload::layOut() {
    w_.layoutTimer.setEnabled(false);
    if (w_.feedTransfer.responseCode() != 0)
        return;
    layoutStep(w_);
    w_.window.setVisible(true);
}

} // namespace bt
