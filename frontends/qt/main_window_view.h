#pragma once

// The main window on Qt: mirrors the main window's model and forwards the user's events to it.

#include "backends/qt/twips.h"

#include <QWidget>

namespace bt {
class MainWindow;
}

namespace bt::qt {

class MainWindowView : public QWidget {
    Q_OBJECT
  public:
    MainWindowView(MainWindow& model, const Twips& twips);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void syncWindow();

    MainWindow& model_;
    Twips twips_;
    bool syncing_ = false;
};

} // namespace bt::qt
