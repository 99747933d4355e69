#include "behaviours/news/news_links.h"

#include "base/link_policy.h"
#include "base/news_window_controls.h"
#include "base/text_lines.h"
#include "behaviours/news/feed_table.h"
#include "behaviours/news/news_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bt {

namespace {

std::int16_t toInt16(double v) {
    // Positions beyond the 16-bit range (a window over 32767 twips) are clamped to its ends.
    if (!std::isfinite(v))
        return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(v), lo, hi));
}

} // namespace

NewsLinks::NewsLinks(NewsWindowControls& w, Platform& platform) : w_(w), platform_(platform) {
    w_.probeTimer.setOnTick([this] { probeTick(); });
}

void NewsLinks::pointerOverLink(int k, int buttons, double x, double y) {
    if (!w_.linkLabel(k).enabled()) {
        surfaceMoved(x, y);
        return;
    }
    hover(k, buttons);
}

void NewsLinks::hover(int k, int buttons) {
    for (int other = 1; other <= kLinkCount; ++other)
        w_.linkLabel(other).setEnabled(other != k);
    // Lines are read from the current feed text at every hover; a missing or bad one is skipped.
    auto apply = [&](std::size_t line) {
        if (const auto value = lineAt(w_.feedText, line))
            applyFeedLine(w_, feedTable()[line], *value);
    };
    apply(hoverDescriptionLine(k));
    const std::size_t h = hoverBlock(k);
    for (std::size_t line = h; line <= h + 7; ++line)
        apply(line);
    apply(hoverPageLine(k));
    // Only the first link opens when the pointer comes onto it with the left button held.
    if (k == 1 && buttons == kLeftButton)
        open(w_.linkTarget[0]);
}

void NewsLinks::linkClicked(int k) {
    if (!w_.linkLabel(k).enabled()) {
        surfaceClicked();
        return;
    }
    open(w_.linkTarget[static_cast<std::size_t>(k - 1)]);
}

void NewsLinks::openLinkClicked() {
    open(w_.hoveredLinkTarget);
}

void NewsLinks::probeClicked() {
    w_.probeTimer.setEnabled(!w_.probeTimer.enabled());
}

void NewsLinks::surfaceMoved(double x, double y) {
    w_.pointerX = toInt16(x);
    w_.pointerY = toInt16(y);
}

void NewsLinks::surfaceClicked() {
    w_.probeTimer.setEnabled(false);
}

void NewsLinks::probeTick() {
    w_.probeLabel.setLeft(w_.pointerX);
    w_.probeLabel.setTop(w_.pointerY);
    w_.probeLabel.setCaption(std::to_string(w_.pointerX) + ", " + std::to_string(w_.pointerY));
}

void NewsLinks::open(const std::string& target) {
    if (isWebLink(target))
        platform_.openLink(target);
}

} // namespace bt
