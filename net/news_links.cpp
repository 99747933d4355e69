#include "net/news_links.h"

#include "net/feed.h"
#include "net/feed_table.h"
#include "net/link_policy.h"
#include "net/news_layout.h"
#include "net/text_lines.h"
#include "platform/platform.h"
#include "ui/form2_controls.h"

#include <cmath>
#include <limits>

namespace bt {

namespace {

std::int16_t toInt16(double v) {
    // Positions beyond the 16-bit range (a window over 32767 twips) are clamped to its ends.
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(r < lo ? lo : (r > hi ? hi : r));
}

} // namespace

void NewsLinks::wire() {
    f_.timer(4).setOnTick([this] { probeTick(); });
}

void NewsLinks::pointerOverLink(int k, int buttons, double x, double y) {
    if (k < 1 || k > 6)
        return;
    if (!f_.linkLabel(k).enabled()) {
        surfaceMoved(x, y);
        return;
    }
    hover(k, buttons);
}

void NewsLinks::hover(int k, int buttons) {
    for (int other = 1; other <= 6; ++other)
        f_.linkLabel(other).setEnabled(other != k);
    // Lines are read from the current feed text at every hover; a missing or bad one is skipped.
    const std::string& text = f_.text(1).text();
    auto apply = [&](std::size_t line) {
        if (const auto value = lineAt(text, line))
            applyFeedLine(f_, feedTable()[line], *value);
    };
    apply(hoverDescriptionLine(k));
    const std::size_t h = hoverBlock(k);
    for (std::size_t line = h; line <= h + 7; ++line)
        apply(line);
    apply(hoverPageLine(k));
    if (k == 1 && buttons == kLeftButton)
        open(f_.LinkTarget[0]);
}

void NewsLinks::linkClicked(int k) {
    if (k < 1 || k > 6)
        return;
    if (!f_.linkLabel(k).enabled()) {
        surfaceClicked();
        return;
    }
    open(f_.LinkTarget[static_cast<std::size_t>(k - 1)]);
}

void NewsLinks::clickLabelClicked() {
    open(f_.ActiveLinkTarget);
}

void NewsLinks::probeLabelClicked() {
    f_.timer(4).setEnabled(!f_.timer(4).enabled());
}

void NewsLinks::surfaceMoved(double x, double y) {
    f_.MouseX = toInt16(x);
    f_.MouseY = toInt16(y);
}

void NewsLinks::surfaceClicked() {
    f_.timer(4).setEnabled(false);
}

void NewsLinks::probeTick() {
    f_.label(10).setLeft(f_.MouseX);
    f_.label(10).setTop(f_.MouseY);
    f_.label(10).setCaption(std::to_string(f_.MouseX) + ", " + std::to_string(f_.MouseY));
}

void NewsLinks::open(const std::string& target) {
    if (isWebLink(target))
        platform_.openLink(target);
}

} // namespace bt
