#include "backends/win32/clock_schedule.h"

#include <algorithm>
#include <cmath>

namespace bt::win32 {

bool hasCome(double due, double now) {
    return now >= due;
}

long long armUnits(const SystemTimer& timer, double due, double now) {
    const auto units = static_cast<long long>(std::ceil((due - now) * timer.unitsPerMs));
    return std::max(timer.minimum, units);
}

double nextDue(double due, int intervalMs, double now) {
    const double next = due + intervalMs;
    return next < now ? now + intervalMs : next;
}

} // namespace bt::win32
