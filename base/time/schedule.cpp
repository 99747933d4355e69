#include "base/time/schedule.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace bt {

Millis nextTick(Millis due, int intervalMs, Millis now) {
    const Millis next = due + intervalMs;
    return next < now ? now + intervalMs : next;
}

// A change counts from the next run's time; one made within a run, from that run's time, which
// the run fixes before it ends.
void Schedule::timerChanged(Timer& timer) {
    if (!timer.armed())
        return forget(&timer);
    enter(&timer, {std::nullopt, nextOrder_++, &timer, nullptr});
}

void Schedule::alarmChanged(Alarm& alarm) {
    if (!alarm.armed())
        return forget(&alarm);
    enter(&alarm, {alarm.due(), nextOrder_++, nullptr, &alarm});
}

void Schedule::enter(const void* owner, Entry entry) {
    if (stopped_)
        return;
    entries_[owner] = entry;
    if (!running_)
        runSoon();
}

void Schedule::forget(const void* owner) {
    entries_.erase(owner);
}

void Schedule::stopAll() {
    stopped_ = true;
    entries_.clear();
}

std::optional<Millis> Schedule::nextDue(Millis now) {
    std::optional<Millis> next;
    for (auto& [owner, e] : entries_) {
        if (!e.due)
            e.due = e.timer ? now + e.timer->interval() : e.alarm->dueFrom(now);
        next = std::min(next.value_or(*e.due), *e.due);
    }
    return next;
}

std::optional<Millis> Schedule::run(Millis now) {
    nextDue(now);
    running_ = true;
    std::vector<std::tuple<Millis, std::uint64_t, const void*>> due;
    for (const auto& [owner, e] : entries_)
        if (*e.due <= now)
            due.emplace_back(*e.due, e.order, owner);
    std::sort(due.begin(), due.end());
    for (const auto& [at, order, owner] : due) {
        const auto it = entries_.find(owner);
        // An earlier ring or tick may have changed or stopped it.
        if (it != entries_.end() && it->second.due == at && it->second.order == order)
            runEntry(it->second, now);
    }
    running_ = false;
    return nextDue(now);
}

void Schedule::runEntry(Entry entry, Millis now) {
    if (entry.alarm) {
        entries_.erase(entry.alarm); // rings once; the ring may set it again
        entry.alarm->ring(now);
        return;
    }
    // The next tick is entered first: a tick that changes its own timer replaces it.
    entries_[entry.timer].due = nextTick(*entry.due, entry.timer->interval(), now);
    entry.timer->fire(now);
}

} // namespace bt
