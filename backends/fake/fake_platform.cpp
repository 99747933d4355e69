#include "backends/fake/fake_platform.h"

#include "base/bind_profile.h"

#include <algorithm>

namespace bt {

void VirtualClock::advanceTo(Millis t) {
    // What came since the last advance (a press, a click) is scheduled from the time it came.
    for (auto next = nextDue(now_); next && *next + late <= t; next = nextDue(now_)) {
        now_ = std::max(now_, *next + late);
        ++wakeUps;
        if (beforeRun)
            beforeRun();
        run(now_);
    }
    now_ = t;
}

void FakeTriggerInput::report(KeyCode key, bool down, std::optional<Millis> happened) {
    if (!repeats_.changesState(key, down))
        return;
    const KeyEvent event{key, down, happened.value_or(clock_.now()), altHeld};
    if (holding)
        held_.push_back(event);
    else
        deliver(event);
}

void FakeTriggerInput::deliver(const KeyEvent& event) {
    if (onKey_ && watch_.covers(event.key))
        onKey_(event);
}

void FakeTriggerInput::deliverQueued() {
    while (!held_.empty()) {
        const KeyEvent event = held_.front();
        held_.pop_front();
        deliver(event);
    }
}

FakeTypist::FakeTypist(VirtualClock& clock, const FakeFocus& focus, FakeTriggerInput& input)
    : clock_(clock), focus_(focus), input_(input) {
    echo_.setOnRing([this](Millis now) { echoDue(now); });
    echo_.attach(clock_);
}

TypeOutcome FakeTypist::typeKey(TypedKey key) {
    if (result != TypeResult::Typed)
        return {result, {}};
    const auto& names = focus_.window.programNames;
    typed.push_back({clock_.now(), {key.character()}, names.empty() ? "" : names.front()});
    if (!echoAfter)
        return {};
    const KeyCode code = keyFor(key.character());
    echoes_.emplace_back(clock_.now() + *echoAfter, code);
    echo_.ringAt(echoes_.front().first);
    return {TypeResult::Typed, {code}};
}

void FakeTypist::echoDue(Millis now) {
    // Each key comes back down and up at once, as a desktop's virtual keyboard types it.
    while (!echoes_.empty() && echoes_.front().first <= now) {
        const KeyCode code = echoes_.front().second;
        echoes_.pop_front();
        input_.pressKey(code);
        input_.releaseKey(code);
    }
    if (!echoes_.empty())
        echo_.ringAt(echoes_.front().first);
}

std::optional<PressedKey> FakeTriggerInput::describeKey(KeyCode key) const {
    if (key.value >= 1000 && key.value < 1000 + kSlotCount)
        return PressedKey{key, KeyKind::Ordinary, keypadName(static_cast<int>(key.value - 1000))};
    const auto it = keys_.find(key.value);
    return it == keys_.end() ? std::nullopt : std::optional<PressedKey>(it->second);
}

std::string FakeDialogs::inputBox(std::string_view prompt, std::string_view title,
                                  std::string_view defaultText, int leftTwips, int topTwips) {
    inputBoxes.push_back(
        {std::string(prompt), std::string(title), std::string(defaultText), leftTwips, topTwips});
    if (whileOpen)
        whileOpen();
    if (inputAnswers.empty())
        return {};
    std::string answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

void FakeDialogs::messageBox(std::string_view prompt, std::string_view title) {
    messageBoxes.push_back({std::string(prompt), std::string(title), {}, 0, 0});
    if (whileOpen)
        whileOpen();
}

PopupChoice FakeTray::popupMenu() {
    ++popupsOpened;
    if (popupChoices.empty())
        return PopupChoice::None;
    const PopupChoice c = popupChoices.front();
    popupChoices.pop_front();
    return c;
}

AutostartResult FakeAutostart::write() {
    ++writes;
    if (writeError)
        return {false, *writeError};
    present = AutostartEntry::Ours;
    return {};
}

AutostartResult FakeAutostart::remove() {
    if (writeError)
        return {false, *writeError};
    present = AutostartEntry::None;
    return {};
}

std::int64_t FakeFiles::fileLength(std::string_view name) {
    const auto it = content_.find(name);
    return it == content_.end() ? -1 : static_cast<std::int64_t>(it->second.size());
}

std::optional<std::string> FakeFiles::readFile(std::string_view name, std::size_t maxBytes) {
    const auto it = content_.find(name);
    return it == content_.end() ? std::nullopt : std::optional(it->second.substr(0, maxBytes));
}

FileWriteResult FakeFiles::replaceFile(std::string_view name, std::string_view contents) {
    if (writeError) {
        failedWrites.emplace_back(name);
        return {false, *writeError};
    }
    content_[std::string(name)] = std::string(contents);
    return {};
}

HttpRequestId FakeHttp::get(std::string url, std::function<void(HttpResult)> done) {
    const HttpRequestId id = next_++;
    requests.push_back(url);
    // A request nobody waits for (the counter page) is only recorded.
    if (done)
        pending_[id] = Pending{std::move(url), std::move(done)};
    return id;
}

bool FakeHttp::respondTo(const std::string& url, HttpResult result) {
    const auto it = std::find_if(pending_.begin(), pending_.end(),
                                 [&](const auto& p) { return p.second.url == url; });
    if (it == pending_.end())
        return false;
    auto done = std::move(it->second.done);
    pending_.erase(it);
    done(std::move(result));
    return true;
}

bool FakeHttp::isPending(const std::string& url) const {
    return std::any_of(pending_.begin(), pending_.end(),
                       [&](const auto& p) { return p.second.url == url; });
}

} // namespace bt
