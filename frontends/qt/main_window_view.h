#pragma once

// The main window on Qt: mirrors the main window's model and forwards the user's events to it.

#include "base/twips.h"

#include <QWidget>

#include <array>

class QKeyEvent;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void syncWindow();
    // While a slot's key is chosen, a key pressed in this window goes to the model (the X keycode,
    // which is what the trigger keys are watched by) and not to its widgets: true when taken.
    bool takeKey(QObject* receiver, const QKeyEvent& key);
    // The middle and side buttons do nothing in this window, chosen or not: true for their events.
    bool isMiddleOrSideButton(QObject* receiver, const QEvent& event) const;
    // Whether an event goes to this window or one of its widgets.
    bool ours(QObject* receiver) const;

    MainWindow& model_;
    std::array<QWidget*, 10> keyLabels_{};
    Twips twips_;
    bool syncing_ = false;
};

} // namespace bt::qt
