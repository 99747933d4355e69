#pragma once

#include <cstdint>

namespace bt {

// A point in time on the platform's monotonic clock, in milliseconds. The core never reads a
// clock: every event and every tick hands it the time it happened.
using Millis = std::int64_t;

} // namespace bt
