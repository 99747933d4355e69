#include "net/news_download.h"

#include "net/feed.h"
#include "net/news_layout.h"
#include "ui/form2_controls.h"

namespace bt {

void NewsDownload::wire() {
    f_.timer(2).setOnTick([this] { feedTick(); });
    f_.timer(1).setOnTick([this] { tokenTick(); });
    f_.timer(3).setOnTick([this] { layoutTick(); });
}

void NewsDownload::feedTick() {
    if (f_.inet1.stillExecuting())
        return;
    f_.timer(2).setEnabled(false);
    f_.RequestUrl = f_.text(2).text() + "data.html";
    f_.inet1.openUrl(f_.RequestUrl, [this](const HttpResult& r) {
        // A server that cannot be reached at all counts as a failed transfer: the sequence stops
        // at Timer1 with the code shown in Label8, and the window can be closed.
        if (r.httpStatus != 0)
            f_.text(1).setText(r.body);
        f_.timer(1).setEnabled(true);
    });
}

void NewsDownload::tokenTick() {
    if (f_.inet1.stillExecuting())
        return;
    f_.label(8).setCaption(std::to_string(f_.inet1.responseCode()));
    // A failed transfer is final: there is no retry, so the code shown cannot change any more and
    // the 1 ms timer has nothing left to do.
    f_.timer(1).setEnabled(false);
    if (f_.inet1.responseCode() != 0)
        return;
    f_.RequestUrl = f_.text(2).text() + "br.html";
    f_.inet1.openUrl(f_.RequestUrl, [this](const HttpResult& r) {
        if (r.httpStatus != 0)
            f_.text(3).setText(r.body);
        f_.text(1).setText(normaliseFeed(f_.text(1).text(), f_.text(3).text()));
        f_.timer(3).setEnabled(true);
    });
}

void NewsDownload::layoutTick() {
    if (f_.inet1.stillExecuting())
        return;
    f_.timer(3).setEnabled(false);
    if (f_.inet1.responseCode() != 0)
        return;
    layoutStep(f_);
    f_.form.setVisible(true);
}

} // namespace bt
