#include "backends/fake/fake_platform.h"

#include "base/poll_grid.h"

#include <utility>

namespace bt {

FakePlatform::~FakePlatform() = default;

void FakePlatform::advanceTo(std::int64_t t) {
    for (;;) {
        Timer* next = nullptr;
        Scheduled best{};
        for (const auto& [timer, s] : timers_) {
            if (s.due > t)
                continue;
            if (!next || s.due < best.due || (s.due == best.due && s.order < best.order)) {
                next = timer;
                best = s;
            }
        }
        if (!next)
            break;
        now_ = best.due;
        // Periodic without drift: the next tick is one interval after this one was due. A tick
        // that changes its own timer replaces this entry.
        timers_[next] = Scheduled{best.due + next->interval(), best.order};
        ++wakeUps[next];
        next->fire();
        if (sleeps(*next) && timers_.count(next) && keypad_.idle())
            timers_.erase(next);
    }
    now_ = t;
}

std::optional<std::int64_t> FakePlatform::dueTime(const Timer& t) const {
    const auto it = timers_.find(const_cast<Timer*>(&t));
    if (it == timers_.end())
        return std::nullopt;
    return it->second.due;
}

bool FakePlatform::sleeps(const Timer& timer) const {
    return sleepingKeyPoll && timer.wakesOnKeypad();
}

void FakePlatform::forget(Timer& timer) {
    timers_.erase(&timer);
    grids_.erase(&timer);
}

void FakePlatform::timerChanged(Timer& timer) {
    forget(timer);
    if (!timer.armed())
        return;
    const Scheduled first{now_ + timer.interval(), nextOrder_++};
    if (sleeps(timer))
        grids_[&timer] = Scheduled{now_, first.order};
    if (!sleeps(timer) || !keypad_.idle())
        timers_[&timer] = first;
}

void FakePlatform::timerDestroyed(Timer& timer) {
    forget(timer);
}

void FakePlatform::keypadChanged() {
    // A key event wakes a sleeping key poll for the tick plain polling would run next.
    for (const auto& [timer, grid] : grids_)
        if (!timers_.count(timer))
            timers_[timer] =
                Scheduled{nextTickAfter(grid.due, timer->interval(), now_), grid.order};
}

void FakePlatform::press(int digit) {
    keypad_.press(digit);
    keypadChanged();
}

void FakePlatform::release(int digit) {
    keypad_.release(digit);
    keypadChanged();
}

bool FakePlatform::keypadPressed(int digit) {
    return keypad_.query(digit);
}

void FakePlatform::sendKeys(std::string_view keys) {
    if (keys.empty()) {
        ++emptySends;
        return;
    }
    typed.push_back({now_, std::string(keys)});
}

std::string FakePlatform::inputBox(std::string_view prompt, std::string_view title,
                                   std::string_view defaultText, int leftTwips, int topTwips) {
    inputBoxes.push_back({now_, std::string(prompt), std::string(title), std::string(defaultText),
                          leftTwips, topTwips});
    if (inputAnswers.empty())
        return {};
    std::string answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

void FakePlatform::messageBox(std::string_view prompt, std::string_view title) {
    messageBoxes.push_back({now_, std::string(prompt), std::string(title), {}, 0, 0});
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
    pending_[id] = Pending{std::move(url), std::move(done)};
    return id;
}

void FakePlatform::httpCancel(HttpRequestId id) {
    if (pending_.erase(id) > 0)
        cancelled.push_back(id);
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

void FakePlatform::navigate(WindowId window, std::string_view url) {
    navigations.emplace_back(window, std::string(url));
}

void FakePlatform::openLink(std::string_view url) {
    linksOpened.emplace_back(url);
}

} // namespace bt
