#include "backends/win32/clock_schedule.h"

#include <algorithm>
#include <cmath>

namespace bt::win32 {

long long armUnits(const SystemTimer& timer, Millis due, double now) {
    const auto units =
        static_cast<long long>(std::ceil((static_cast<double>(due) - now) * timer.unitsPerMs));
    return std::max(timer.minimum, units);
}

Millis scheduleTime(double now) {
    return static_cast<Millis>(std::floor(now));
}

} // namespace bt::win32
