#include "base/controls/option_button.h"

namespace bt {

void OptionButton::group(std::vector<OptionButton*> members) {
    for (OptionButton* m : members)
        m->group_ = members;
}

void OptionButton::select() {
    if (value_)
        return;
    for (OptionButton* p : group_) {
        if (p->value_) { // never this one: it is not selected yet
            p->value_ = false;
            p->changed();
        }
    }
    value_ = true;
    changed();
    if (onClick_)
        onClick_();
}

} // namespace bt
