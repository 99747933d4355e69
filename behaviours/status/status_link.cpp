#include "behaviours/status/status_link.h"

#include "base/main_window_controls.h"
#include "base/text_lines.h"
#include "behaviours/binds/file_functions.h"

namespace bt {

StatusLink::StatusLink(MainWindowControls& w, Platform& platform) : w_(w), platform_(platform) {
    w_.statusPollTimer.setOnTick([this] { pollTick(); });
    w_.blinkTimer.setOnTick([this] { blinkTick(); });
    w_.connectTimeoutTimer.setOnTick([this] { timeoutTick(); });
}

void StatusLink::pollTick() {
    // The fetch runs in the background; a tick that finds it still running leaves it alone, so a
    // slow server never piles up requests and never holds up the key poll.
    if (w_.statusTransfer.running())
        return;
    if (fileState(platform_, "data") == FileState::HasContent)
        w_.declinedNewsId = fileText(platform_, "data", kMaxDataFileBytes);
    requestUrl_ = w_.serverUrl + "form1.html";
    w_.statusTransfer.start(requestUrl_, [this](const HttpResult& r) { statusArrived(r); });
}

void StatusLink::statusArrived(const HttpResult& r) {
    // No answer at all ends the tick; the next tick tries again.
    if (r.httpStatus == 0)
        return;
    w_.statusText = r.body;
    if (r.responseCode != 0)
        return;
    requestUrl_ = w_.serverUrl + "br.html";
    w_.statusTransfer.start(requestUrl_, [this](const HttpResult& s) { separatorArrived(s); });
}

void StatusLink::separatorArrived(const HttpResult& r) {
    if (r.httpStatus == 0)
        return;
    w_.separatorText = r.body;
    w_.statusText = replaceAll(w_.statusText, w_.separatorText, "\r\n");
    // An empty status text has no line 1 to take; the next tick tries again.
    if (w_.statusText.empty())
        return;
    const std::string_view line1 = *lineAt(w_.statusText, 0);
    if (line1 == "on" || line1 == "off") {
        w_.newsServerUrl = w_.serverUrl;
        w_.statusLabel.setCaption("ONLINE");
        blinkStep_ = 0;
    } else {
        w_.statusLabel.setCaption("SERVER OFFLINE");
    }
    w_.blinkTimer.setEnabled(true);
    w_.statusPollTimer.setEnabled(false);
    // The status text no longer says "offline", so the timeout has nothing left to find.
    w_.connectTimeoutTimer.setEnabled(false);
}

void StatusLink::timeoutTick() {
    if (lineAt(w_.statusText, 0) != "offline")
        return;
    w_.statusLabel.setCaption("CANNOT CONNECT");
    w_.blinkTimer.setEnabled(true);
    w_.connectTimeoutTimer.setEnabled(false);
}

void StatusLink::blinkTick() {
    // Seven ticks: the desktop colour on even ones, the highlight on odd ones; on the seventh the
    // window shrinks so the status strip is cut off.
    if (blinkStep_ < 6) {
        w_.statusLabel.setForeColor(blinkStep_ % 2 == 0 ? SysColor::Desktop : SysColor::Highlight);
    } else if (blinkStep_ == 6) {
        w_.statusLabel.setForeColor(SysColor::Desktop);
        w_.window.setOuterHeight(kShrunkHeight);
        w_.statusLabel.setVisible(false);
        w_.blinkTimer.setEnabled(false);
    } else {
        // The blink is over (a later status decision enabled the timer again): nothing is left
        // to show, so the timer stops.
        w_.blinkTimer.setEnabled(false);
        return;
    }
    ++blinkStep_;
}

std::optional<NewsHandOff> StatusLink::newsDecision() const {
    const auto status = splitCrLf(w_.statusText);
    const auto declined = lineAt(w_.declinedNewsId, 0);
    if (status.size() < 2 || status[0] != "on" || status[1] == declined)
        return std::nullopt;
    return NewsHandOff{w_.newsServerUrl, status[1]};
}

} // namespace bt
