#include "backends/qt/qt_desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace bt::qt {

void QtDesktop::bringToFront(WindowId window) {
    if (QWidget* w = windows_[window]) {
        w->raise();
        w->activateWindow();
    }
}

void QtDesktop::openLink(std::string_view url) {
    QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(url.data(), static_cast<int>(url.size())), QUrl::StrictMode));
}

void QtDesktop::endProcess() {
    if (ended_)
        return;
    ended_ = true;
    clock_.stopAll();
    QCoreApplication::exit(0);
}

} // namespace bt::qt
