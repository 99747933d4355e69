#pragma once

// A periodic timer ticks at armedAt + k * interval (k = 1, 2, ...). A driver that lets the key poll
// sleep uses this to wake it at exactly the tick plain polling would have run next.

#include <cstdint>

namespace bt {

// The first tick strictly after now; times in any one unit (the drivers use milliseconds).
constexpr std::int64_t nextTickAfter(std::int64_t armedAt, std::int64_t interval,
                                     std::int64_t now) {
    if (interval <= 0 || now < armedAt)
        return armedAt + (interval > 0 ? interval : 0);
    return armedAt + ((now - armedAt) / interval + 1) * interval;
}

} // namespace bt
