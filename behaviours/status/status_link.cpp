#include "behaviours/status/status_link.h"

#include "base/text_lines.h"

namespace bt {

const char* statusCaption(ServerStatus::Shown shown) {
    switch (shown) {
    case ServerStatus::Shown::Online:
        return "ONLINE";
    case ServerStatus::Shown::ServerOffline:
        return "SERVER OFFLINE";
    case ServerStatus::Shown::CannotConnect:
        return "CANNOT CONNECT";
    case ServerStatus::Shown::NoServer:
        return "No server set";
    case ServerStatus::Shown::Connecting:
        break;
    }
    return "Connecting to server...";
}

namespace {

// No answer yet reads as "offline", and so does an answer whose first line says so: the status
// page has always been able to say it itself.
bool soundsOffline(const std::optional<std::vector<std::string>>& answer) {
    return !answer || answer->front() == "offline";
}

} // namespace

namespace {
constexpr int kPollMs = 1000;
constexpr int kBlinkMs = 300;
constexpr int kConnectTimeoutMs = 10000;
} // namespace

StatusLink::StatusLink(Http& http, Clock& clock, std::optional<std::string> serverUrl,
                       ServerStatus& status, std::function<void()> onChange)
    : http_(http), clock_(clock), serverUrl_(std::move(serverUrl)), status_(status),
      onChange_(std::move(onChange)), transfer_(http) {
    pollTimer_.setOnTick([this](Millis) { pollTick(); });
    blinkTimer_.setOnTick([this](Millis) { blinkTick(); });
    timeoutTimer_.setOnTick([this](Millis) { timeoutTick(); });
}

void StatusLink::start() {
    if (!serverUrl_) {
        // Nothing will ever decide otherwise, so there is nothing to blink about either.
        status_.shown = ServerStatus::Shown::NoServer;
        onChange_();
        return;
    }
    http_.get(*serverUrl_ + "counter.php", nullptr);
    for (Timer* t : {&pollTimer_, &blinkTimer_, &timeoutTimer_})
        t->attach(clock_);
    pollTimer_.start(kPollMs);
    timeoutTimer_.start(kConnectTimeoutMs);
}

void StatusLink::stop() {
    for (Timer* t : {&pollTimer_, &blinkTimer_, &timeoutTimer_})
        t->stop();
    transfer_.cancel();
}

void StatusLink::pollTick() {
    // The fetch runs in the background; a tick that finds it still running leaves it alone, so a
    // slow server never piles up requests and never holds up a key.
    transfer_.start(*serverUrl_ + "form1.html", [this](const HttpResult& r) { statusArrived(r); });
}

void StatusLink::statusArrived(const HttpResult& r) {
    // No answer at all ends the tick; the next tick tries again. Any answer is kept, an error
    // page's too, but only a proper one goes on to the separator.
    if (!r.answered())
        return;
    answerText_ = r.body;
    status_.answer = splitCrLf(answerText_);
    if (!r.ok())
        return;
    transfer_.start(*serverUrl_ + "br.html", [this](const HttpResult& s) { separatorArrived(s); });
}

void StatusLink::separatorArrived(const HttpResult& r) {
    if (!r.answered())
        return;
    answerText_ = replaceAll(answerText_, r.body, "\r\n");
    status_.answer = splitCrLf(answerText_);
    // An empty answer has no line 1 to take; the next tick tries again.
    if (answerText_.empty())
        return;
    const std::string& line1 = status_.answer->front();
    if (line1 == "on" || line1 == "off") {
        status_.blinkStep = 0;
        decide(ServerStatus::Shown::Online);
    } else {
        decide(ServerStatus::Shown::ServerOffline);
    }
    pollTimer_.stop();
    // The answer no longer sounds offline, so the timeout has nothing left to find.
    timeoutTimer_.stop();
}

void StatusLink::timeoutTick() {
    if (!soundsOffline(status_.answer))
        return;
    decide(ServerStatus::Shown::CannotConnect);
    timeoutTimer_.stop();
}

void StatusLink::decide(ServerStatus::Shown shown) {
    status_.shown = shown;
    blinkTimer_.start(kBlinkMs);
    onChange_();
}

void StatusLink::blinkTick() {
    // Seven ticks: dim on even ones, bright on odd ones; on the seventh, dim, the window shrinks.
    // A later decision that enables the timer again after the blink finds nothing left to show.
    if (status_.blinkStep > 6) {
        blinkTimer_.stop();
        return;
    }
    status_.dim = status_.blinkStep % 2 == 0;
    if (status_.blinkStep == 6) {
        status_.shrunk = true;
        blinkTimer_.stop();
    }
    ++status_.blinkStep;
    onChange_();
}

std::optional<NewsHandOff> StatusLink::newsDecision(std::string_view declinedId) const {
    if (!status_.answer)
        return std::nullopt;
    const std::vector<std::string>& lines = *status_.answer;
    if (lines.size() < 2 || lines[0] != "on" || lines[1] == declinedId)
        return std::nullopt;
    return NewsHandOff{*serverUrl_, lines[1]};
}

} // namespace bt
