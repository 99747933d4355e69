#include "behaviours/keys/own_keys.h"

#include "base/system/trigger_input.h"

#include <algorithm>

namespace bt {

bool OwnKeys::typed(const std::vector<KeyCode>& keys, Millis at) {
    bool newKey = false;
    for (const KeyCode key : keys) {
        expected_.push_back({key, at + kEchoWait});
        if (std::find(keys_.begin(), keys_.end(), key) == keys_.end()) {
            keys_.push_back(key);
            newKey = true;
        }
    }
    return newKey;
}

bool OwnKeys::isEcho(const KeyEvent& event) {
    std::erase_if(expected_, [&](const Expected& e) { return e.until < event.at; });
    const auto it = std::find_if(expected_.begin(), expected_.end(), [&](const Expected& e) {
        return e.key == event.key && e.down != event.down;
    });
    if (it == expected_.end())
        return false;
    if (event.down)
        it->down = true;
    else
        expected_.erase(it);
    return true;
}

} // namespace bt
