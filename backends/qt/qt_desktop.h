#pragma once

// The desktop as the Linux program sees it: its windows brought forward, links opened with the
// desktop's handler, the end of Qt's event loop.

#include "backends/qt/qt_clock.h"
#include "base/system/desktop.h"

#include <QPointer>
#include <QWidget>

#include <map>

namespace bt::qt {

class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(QtClock& clock) : clock_(clock) {}
    void setWindow(WindowId id, QWidget* w) { windows_[id] = w; }

    void bringToFront(WindowId window) override;
    void openLink(std::string_view url) override;
    void endProcess() override;

  private:
    QtClock& clock_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    bool ended_ = false;
};

} // namespace bt::qt
