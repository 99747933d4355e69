#include "ui/qt/form1_window.h"

#include "ui/form1.h"
#include "ui/qt/control_binding.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace bt::qt {

Form1Window::Form1Window(Form1& form, const Twips& twips) : form_(form), twips_(twips) {
    Form1Controls& c = form.controls();
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(twips_.px(c.form.clientWidth()), twips_.px(c.form.clientHeight()));

    // Labels the user can see: the ten keys, the preview and the status label.
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14}) {
        auto* w = new QLabel(this);
        w->setObjectName(QString::fromStdString(c.label(n).name()));
        bindLabel(c.label(n), w, twips_);
    }
    for (int n = 1; n <= 20; ++n) {
        auto* w = new QComboBox(this);
        w->setObjectName(QString::fromStdString(c.combo(n).name()));
        bindCombo(c.combo(n), w, twips_);
        connect(w, &QComboBox::activated, this,
                [this, n](int index) { form_.userSelected(n, index); });
    }
    for (int n : {1, 2, 5, 6}) {
        auto* w = new QPushButton(this);
        w->setObjectName(QString::fromStdString(c.command(n).name()));
        bindButton(c.command(n), w, twips_);
    }
    auto* o1 = new QRadioButton(this);
    o1->setObjectName(QStringLiteral("Option1"));
    bindOption(c.option1, o1, twips_);
    auto* o2 = new QRadioButton(this);
    o2->setObjectName(QStringLiteral("Option2"));
    bindOption(c.option2, o2, twips_);

    c.form.setObserver([this] { syncWindow(); });
    syncWindow();
}

void Form1Window::syncWindow() {
    if (syncing_)
        return;
    syncing_ = true;
    const Window& w = form_.controls().form;
    setWindowTitle(QString::fromStdString(w.caption()));
    if (w.outerHeight() > 0) {
        // The shrink after the blink sets the outer height; the frame keeps its own part.
        const int frame = frameGeometry().height() - geometry().height();
        setFixedHeight(std::max(1, twips_.px(w.outerHeight()) - frame));
    }
    if (!w.visible()) {
        hide();
    } else if (w.windowState() == WindowState::Minimized) {
        if (!isVisible())
            show();
        if (!isMinimized())
            showMinimized();
    } else {
        if (isMinimized() || !isVisible())
            showNormal();
        raise();
    }
    syncing_ = false;
}

void Form1Window::closeEvent(QCloseEvent* event) {
    // Closing the window unloads it; what comes next (the news window, or the end) is the
    // model's decision.
    event->accept();
    if (form_.loaded())
        form_.userClosed();
}

void Form1Window::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || syncing_)
        return;
    if (isMinimized() && form_.controls().form.windowState() != WindowState::Minimized)
        form_.userMinimized();
    else if (!isMinimized() && form_.controls().form.windowState() == WindowState::Minimized)
        form_.userRestored();
}

} // namespace bt::qt
