#pragma once

// The news window on Qt: mirrors the news window's model; pointer moves and clicks over the window
// and its labels go to the model with positions in twips.

#include "base/news_window_controls.h"
#include "base/twips.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace bt {
class NewsWindow;
}

namespace bt::qt {

class NewsWindowView : public QWidget {
    Q_OBJECT
  public:
    NewsWindowView(NewsWindow& model, const Twips& twips);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void syncWindow();
    void syncPage();

    NewsWindow& model_;
    Twips twips_;
    QLabel* links_[kLinkCount] = {};
    QLabel* openLinkLabel_ = nullptr;
    QLabel* probeLabel_ = nullptr;
    QLabel* page_ = nullptr;
    QLineEdit* id_ = nullptr;
};

} // namespace bt::qt
