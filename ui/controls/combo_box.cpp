#include "ui/controls/combo_box.h"

namespace bt {

namespace {
const std::string kEmpty;
}

const std::string& ComboBox::text() const {
    if (index_ < 0 || index_ >= listCount())
        return kEmpty;
    return items_[static_cast<std::size_t>(index_)];
}

bool ComboBox::setListIndex(int index) {
    if (index < -1 || index >= listCount())
        return false;
    if (index == index_)
        return true;
    index_ = index;
    changed();
    runClick();
    return true;
}

void ComboBox::clear() {
    if (items_.empty() && index_ == -1)
        return;
    items_.clear();
    index_ = -1;
    changed();
}

void ComboBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    changed();
}

} // namespace bt
