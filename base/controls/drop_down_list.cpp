#include "base/controls/drop_down_list.h"

namespace bt {

void DropDownList::show(std::vector<std::string> items, int index) {
    if (items == items_ && index == index_)
        return;
    items_ = std::move(items);
    index_ = index;
    changed();
}

} // namespace bt
