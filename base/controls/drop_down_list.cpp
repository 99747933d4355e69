#include "base/controls/drop_down_list.h"

namespace bt {

void DropDownList::show(const std::vector<std::string>& items, int index) {
    if (items == items_ && index == index_)
        return;
    items_ = items;
    index_ = index;
    changed();
}

} // namespace bt
