#include "base/controls/drop_down_list.h"

#include <algorithm>

namespace bt {

namespace {
const std::string kNoText;
}

const std::string& DropDownList::text() const {
    return index_ < 0 ? kNoText : items_[static_cast<std::size_t>(index_)];
}

bool DropDownList::setIndex(int index) {
    if (index < -1 || index >= count())
        return false;
    if (index == index_)
        return true;
    index_ = index;
    changed();
    runBehaviour();
    return true;
}

void DropDownList::clear() {
    if (items_.empty() && index_ == -1)
        return;
    items_.clear();
    index_ = -1;
    changed();
}

void DropDownList::addItem(std::string item) {
    items_.push_back(std::move(item));
    changed();
}

std::vector<std::string> digitItems(int count) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
        items.push_back(std::to_string(i));
    return items;
}

} // namespace bt
