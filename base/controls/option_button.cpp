#include "base/controls/option_button.h"

namespace bt {

void OptionButton::group(std::vector<OptionButton*> members) {
    for (OptionButton* m : members) {
        m->peers_.clear();
        for (OptionButton* other : members)
            if (other != m)
                m->peers_.push_back(other);
    }
}

void OptionButton::select() {
    if (value_)
        return;
    for (OptionButton* p : peers_) {
        if (p->value_) {
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
