#pragma once

// The boxes of the Linux program: Qt's input and message boxes, over the main window.

#include "base/system/dialogs.h"
#include "base/twips.h"

#include <QPointer>
#include <QWidget>

namespace bt::qt {

class QtDialogs : public Dialogs {
  public:
    QtDialogs();
    // The window the boxes belong to.
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override { return decimalSeparator_; }

  private:
    QPointer<QWidget> owner_;
    char decimalSeparator_ = '.';
};

} // namespace bt::qt
