#pragma once

// Twips (1440 per inch) to pixels at the screen's logical DPI, and back.

#include "base/controls/control.h"

#include <QRect>
#include <cmath>

namespace bt::qt {

class Twips {
  public:
    explicit Twips(double dpi) : dpi_(dpi) {}
    int px(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
    double toTwips(double px) const { return px * 1440.0 / dpi_; }
    QRect rect(const Rect& r) const { return {px(r.left), px(r.top), px(r.width), px(r.height)}; }
    double dpi() const { return dpi_; }

  private:
    double dpi_;
};

} // namespace bt::qt
