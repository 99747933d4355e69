#include "behaviours/news/news_links.h"

#include "base/link_policy.h"
#include "base/system/desktop.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bt {

namespace {

std::int16_t toInt16(double v) {
    if (!std::isfinite(v))
        return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(v), lo, hi));
}

} // namespace

NewsLinks::NewsLinks(Desktop& desktop, std::function<void(int)> showHover,
                     std::function<void()> changed)
    : desktop_(desktop), showHover_(std::move(showHover)), changed_(std::move(changed)) {}

const LinkLayout* NewsLinks::link(int k) const {
    if (!layout_ || k < 1 || k > static_cast<int>(layout_->links.size()))
        return nullptr;
    return &layout_->links[static_cast<std::size_t>(k - 1)];
}

void NewsLinks::pointerOverLink(int k, PointerButtons buttons, double x, double y) {
    const LinkLayout* l = link(k);
    if (!l || k == hovered_) {
        surfaceMoved(x, y);
        return;
    }
    hovered_ = k;
    if (l->clickTarget)
        hoveredTarget_ = l->clickTarget;
    showHover_(k);
    changed_();
    // Only the first link opens at once when the pointer comes onto it with the left button held.
    if (k == 1 && buttons.onlyLeft())
        open(l->target.value_or(""));
}

void NewsLinks::linkClicked(int k) {
    const LinkLayout* l = link(k);
    if (!l || k == hovered_) {
        surfaceClicked();
        return;
    }
    open(l->target.value_or(""));
}

void NewsLinks::clickLabelClicked() {
    open(hoveredTarget_.value_or(""));
}

void NewsLinks::probeClicked() {
    probing_ = !probing_;
    changed_();
}

void NewsLinks::surfaceMoved(double x, double y) {
    pointerX_ = toInt16(x);
    pointerY_ = toInt16(y);
    if (probing_)
        changed_();
}

void NewsLinks::surfaceClicked() {
    if (!probing_)
        return;
    probing_ = false;
    changed_();
}

void NewsLinks::open(std::string_view target) {
    if (isWebLink(target))
        desktop_.openLink(target);
}

} // namespace bt
