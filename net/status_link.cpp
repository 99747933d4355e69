#include "net/status_link.h"

#include "net/text_lines.h"
#include "platform/platform.h"
#include "storage/file_functions.h"
#include "ui/form1_controls.h"

namespace bt {

void StatusLink::wire() {
    f_.timer(6).setOnTick([this] { pollTick(); });
    f_.timer(7).setOnTick([this] { blinkTick(); });
    f_.timer(8).setOnTick([this] { timeoutTick(); });
}

void StatusLink::pollTick() {
    // The fetch runs in the background; a tick that finds it still running leaves it alone, so a
    // slow server never piles up requests and never holds up the key watcher.
    if (f_.inet1.stillExecuting())
        return;
    if (FileExists(platform_, "data") == 1)
        f_.text(8).setText(FileText(platform_, "data", kMaxDataFileBytes));
    RequestUrl = f_.text(5).text() + "form1.html";
    f_.inet1.openUrl(RequestUrl, [this](const HttpResult& r) { statusArrived(r); });
}

void StatusLink::statusArrived(const HttpResult& r) {
    // No answer at all ends the tick; the next tick tries again.
    if (r.httpStatus == 0)
        return;
    f_.text(4).setText(r.body);
    if (r.responseCode != 0)
        return;
    RequestUrl = f_.text(5).text() + "br.html";
    f_.inet1.openUrl(RequestUrl, [this](const HttpResult& s) { separatorArrived(s); });
}

void StatusLink::separatorArrived(const HttpResult& r) {
    if (r.httpStatus == 0)
        return;
    f_.text(6).setText(r.body);
    f_.text(4).setText(replaceAll(f_.text(4).text(), f_.text(6).text(), "\r\n"));
    // An empty status text has no line 1 to take; the next tick tries again.
    if (f_.text(4).text().empty())
        return;
    const std::string_view line1 = *lineAt(f_.text(4).text(), 0);
    if (line1 == "on" || line1 == "off") {
        f_.text(7).setText(f_.text(5).text());
        f_.label(14).setCaption("ONLINE");
        BlinkStep = 0;
    } else {
        f_.label(14).setCaption("SERVER OFFLINE");
    }
    f_.timer(7).setEnabled(true);
    f_.timer(6).setEnabled(false);
}

void StatusLink::timeoutTick() {
    if (lineAt(f_.text(4).text(), 0) != "offline")
        return;
    f_.label(14).setCaption("CANNOT CONNECT");
    f_.timer(7).setEnabled(true);
    f_.timer(8).setEnabled(false);
}

void StatusLink::blinkTick() {
    const std::int16_t c = BlinkStep;
    if (c == 0 || c == 2 || c == 4) {
        f_.label(14).setForeColor(f_.label(15).foreColor());
    } else if (c == 1 || c == 3 || c == 5) {
        f_.label(14).setForeColor(f_.label(16).foreColor());
    } else if (c == 6) {
        f_.label(14).setForeColor(f_.label(15).foreColor());
        f_.form.setOuterHeight(kShrunkHeight);
        f_.label(14).setVisible(false);
        f_.timer(7).setEnabled(false);
    } else {
        // The blink is over (a later status decision re-enabled the timer): nothing is left to
        // show, so the timer stops and the counter never runs past its range.
        f_.timer(7).setEnabled(false);
        return;
    }
    ++BlinkStep;
}

std::optional<NewsHandOff> StatusLink::newsDecision() const {
    const auto status = splitCrLf(f_.text(4).text());
    const auto stored = splitCrLf(f_.text(8).text());
    if (status.size() < 2 || status[0] != "on" || status[1] == stored[0])
        return std::nullopt;
    return NewsHandOff{f_.text(7).text(), status[1]};
}

} // namespace bt
