#pragma once

// The main window on Qt: mirrors the Form1 model and forwards the user's events to it.

#include "ui/qt/twips.h"

#include <QWidget>

namespace bt {
class Form1;
}

namespace bt::qt {

class Form1Window : public QWidget {
    Q_OBJECT
  public:
    Form1Window(Form1& form, const Twips& twips);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void syncWindow();

    Form1& form_;
    Twips twips_;
    bool syncing_ = false;
};

} // namespace bt::qt
