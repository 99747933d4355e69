#pragma once

// When a key went down, from the X server's stamp on its event: the server's own clock in
// milliseconds, kept in 32 bits. A server on this machine keeps the same monotonic clock as the
// program, so the press's own moment is known even when its event is read a few milliseconds
// late, as after a long idle. A stamp that does not fit (a server elsewhere, with a clock of its
// own, or an event read very late) is not trusted: the event then counts from when it was read.

#include "base/time/time.h"

#include <cstdint>

namespace bt::x11 {

inline constexpr Millis kLongestTrustedEventAge = 1000;

inline Millis eventTime(std::uint32_t serverStamp, Millis readAt) {
    const std::uint32_t age = static_cast<std::uint32_t>(readAt) - serverStamp; // wraps as X's does
    return age < kLongestTrustedEventAge ? readAt - static_cast<Millis>(age) : readAt;
}

} // namespace bt::x11
