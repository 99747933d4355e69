#include "base/controls/drop_down_list.h"

#include <algorithm>

namespace bt {

namespace {
const std::string kNoText;
}

const std::string& DropDownList::text() const {
    return index_ < 0 ? kNoText : items_[static_cast<std::size_t>(index_)];
}

void DropDownList::setItems(std::vector<std::string> items) {
    if (items == items_)
        return;
    items_ = std::move(items);
    if (index_ >= count())
        index_ = -1;
    changed();
}

void DropDownList::setIndex(int index) {
    assign(index_, index >= 0 && index < count() ? index : -1);
}

std::vector<std::string> digitItems(int count) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
        items.push_back(std::to_string(i));
    return items;
}

} // namespace bt
