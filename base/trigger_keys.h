#pragma once

// Which key fires each slot: its keypad key, or one the player chose (a keyboard without a keypad
// has none of those). A key fires at most one slot.

#include "base/bind_profile.h"
#include "base/keys.h"

#include <array>
#include <optional>

namespace bt {

struct TriggerKeys {
    std::array<std::optional<KeyCode>, kSlotCount> chosen{};
    friend bool operator==(const TriggerKeys&, const TriggerKeys&) = default;
};

} // namespace bt
