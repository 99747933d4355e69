#pragma once

// Twips (1440 per inch), in which the windows are laid out, to pixels at the screen's logical DPI,
// and back; and the size a window gets on screen.

#include "base/controls/window.h"

#include <algorithm>
#include <cmath>

namespace bt {

class Twips {
  public:
    explicit Twips(double dpi) : dpi_(dpi) {}
    int px(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
    double toTwips(double px) const { return px * 1440.0 / dpi_; }
    double dpi() const { return dpi_; }

  private:
    double dpi_;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// A window's outer size in pixels: where the program set an outer size (the news feed, the
// status strip's shrink) that one, otherwise the design's client size with the frame around it;
// on screen a window stays between the limits, whatever a feed asks for.
inline PixelSize outerSizePx(const Window& w, const Twips& t, PixelSize frame) {
    const int width =
        w.outerWidth() > 0 ? t.px(w.outerWidth()) : t.px(w.clientWidth()) + frame.width;
    const int height =
        w.outerHeight() > 0 ? t.px(w.outerHeight()) : t.px(w.clientHeight()) + frame.height;
    return {std::clamp(width, kMinWindowWidthPx, kMaxWindowSidePx),
            std::clamp(height, kMinWindowHeightPx, kMaxWindowSidePx)};
}

} // namespace bt
