#include "base/controls/text_fit.h"

#include <algorithm>

namespace bt {

int fittedWidth(const Rect& own, int needed, const std::vector<Rect>& others, int clientWidth) {
    int room = clientWidth - own.left;
    for (const Rect& other : others) {
        const bool beside = other.top < own.top + own.height && own.top < other.top + other.height;
        if (beside && other.left > own.left)
            room = std::min(room, other.left - own.left);
    }
    return std::max(own.width, std::min(needed, room));
}

} // namespace bt
