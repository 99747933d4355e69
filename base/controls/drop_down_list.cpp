#include "base/controls/drop_down_list.h"

namespace bt {

void DropDownList::show(std::vector<std::string> items, int index) {
    if (items == items_ && index == index_)
        return;
    items_ = std::move(items);
    index_ = index;
    changed();
}

std::vector<std::string> digitItems(int count) {
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i)
        items.push_back(std::to_string(i));
    return items;
}

} // namespace bt
