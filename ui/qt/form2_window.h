#pragma once

// The news window on Qt: mirrors the Form2 model; pointer moves and clicks over the window and its
// labels go to the model with positions in twips.

#include "ui/qt/twips.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace bt {
class Form2;
}

namespace bt::qt {

class Form2Window : public QWidget {
    Q_OBJECT
  public:
    Form2Window(Form2& form, const Twips& twips);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void syncWindow();
    void syncPage();
    int buttonsOf(const QMouseEvent* e) const;

    Form2& form_;
    Twips twips_;
    QLabel* links_[6] = {};
    QLabel* clickLabel_ = nullptr;
    QLabel* probeLabel_ = nullptr;
    QLabel* page_ = nullptr;
    QLineEdit* id_ = nullptr;
};

} // namespace bt::qt
