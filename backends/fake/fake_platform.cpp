#include "backends/fake/fake_platform.h"

#include <utility>

namespace bt {

FakePlatform::~FakePlatform() = default;

std::optional<std::pair<const void*, FakePlatform::Scheduled>>
FakePlatform::nextDue(Millis t) const {
    std::optional<std::pair<const void*, Scheduled>> best;
    for (const auto& [key, s] : scheduled_) {
        if (s.due > t)
            continue;
        if (!best || s.due < best->second.due ||
            (s.due == best->second.due && s.order < best->second.order))
            best = std::make_pair(key, s);
    }
    return best;
}

void FakePlatform::advanceTo(Millis t) {
    while (const auto next = nextDue(t)) {
        const Scheduled s = next->second;
        now_ = s.due;
        if (s.timer) {
            // Periodic without drift: the next tick is one interval after this one was due. A
            // tick that changes its own timer replaces this entry.
            scheduled_[s.timer] = Scheduled{s.due + s.timer->interval(), s.order, s.timer, nullptr};
            s.timer->fire(now_);
        } else {
            scheduled_.erase(s.alarm);
            ++pollsRun;
            s.alarm->ring(now_);
            if (afterAlarm)
                afterAlarm();
        }
    }
    now_ = t;
}

void FakePlatform::timerChanged(Timer& timer) {
    scheduled_.erase(&timer);
    if (timer.armed())
        scheduled_[&timer] = Scheduled{now_ + timer.interval(), nextOrder_++, &timer, nullptr};
}

void FakePlatform::alarmChanged(Alarm& alarm) {
    scheduled_.erase(&alarm);
    if (alarm.due())
        scheduled_[&alarm] = Scheduled{*alarm.due(), nextOrder_++, nullptr, &alarm};
}

void FakePlatform::trigger(KeyCode key, bool down) {
    if (onKey_ && watch_.covers(key))
        onKey_(KeyEvent{key, down, now_});
}

KeyCode FakePlatform::addKey(std::uint32_t code, std::string name, KeyKind kind) {
    keyboard[code] = PressedKey{KeyCode{code}, kind, std::move(name)};
    return KeyCode{code};
}

std::optional<PressedKey> FakePlatform::describeKey(KeyCode key) const {
    if (key.value >= 1000 && key.value < 1000 + kSlotCount)
        return PressedKey{key, KeyKind::Ordinary, "Numpad " + std::to_string(key.value - 1000)};
    const auto it = keyboard.find(key.value);
    if (it == keyboard.end())
        return std::nullopt;
    return it->second;
}

std::string FakePlatform::inputBox(std::string_view prompt, std::string_view title,
                                   std::string_view defaultText, int leftTwips, int topTwips) {
    inputBoxes.push_back({now_, std::string(prompt), std::string(title), std::string(defaultText),
                          leftTwips, topTwips});
    if (whileBoxOpen)
        whileBoxOpen();
    if (inputAnswers.empty())
        return {};
    std::string answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

void FakePlatform::messageBox(std::string_view prompt, std::string_view title) {
    messageBoxes.push_back({now_, std::string(prompt), std::string(title), {}, 0, 0});
    if (whileBoxOpen)
        whileBoxOpen();
}

void FakePlatform::trayAdd(std::string_view tip) {
    ++trayAdds;
    iconPresent = trayHost;
    trayTip = tip;
}

void FakePlatform::trayDelete() {
    ++trayDeletes;
    iconPresent = false;
}

PopupChoice FakePlatform::popupMenu() {
    ++popupsOpened;
    if (popupChoices.empty())
        return PopupChoice::None;
    const PopupChoice c = popupChoices.front();
    popupChoices.pop_front();
    return c;
}

std::int64_t FakePlatform::fileLength(std::string_view name) {
    const auto it = files.find(std::string(name));
    return it == files.end() ? -1 : static_cast<std::int64_t>(it->second.size());
}

std::optional<std::string> FakePlatform::readFile(std::string_view name, std::size_t maxBytes) {
    const auto it = files.find(std::string(name));
    if (it == files.end())
        return std::nullopt;
    return it->second.substr(0, maxBytes);
}

FileWriteResult FakePlatform::replaceFile(std::string_view name, std::string_view contents) {
    if (writeError)
        return {false, *writeError};
    files[std::string(name)] = std::string(contents);
    return {};
}

HttpRequestId FakePlatform::httpGet(std::string url, std::function<void(HttpResult)> done) {
    const HttpRequestId id = nextRequest_++;
    requests.push_back({id, now_, url});
    // A request nobody waits for (the counter page) is only recorded.
    if (done)
        pending_[id] = Pending{std::move(url), std::move(done)};
    return id;
}

void FakePlatform::httpCancel(HttpRequestId id) {
    pending_.erase(id);
}

bool FakePlatform::respond(HttpRequestId id, HttpResult result) {
    const auto it = pending_.find(id);
    if (it == pending_.end())
        return false;
    auto done = std::move(it->second.done);
    pending_.erase(it);
    if (done)
        done(std::move(result));
    return true;
}

bool FakePlatform::respondTo(const std::string& url, HttpResult result) {
    for (const auto& [id, p] : pending_)
        if (p.url == url)
            return respond(id, std::move(result));
    return false;
}

bool FakePlatform::isPending(const std::string& url) const {
    for (const auto& [id, p] : pending_)
        if (p.url == url)
            return true;
    return false;
}

std::size_t FakePlatform::requestsFor(const std::string& url) const {
    std::size_t n = 0;
    for (const Request& r : requests)
        n += r.url == url ? 1 : 0;
    return n;
}

} // namespace bt
