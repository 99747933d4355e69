#include "frontends/qt/main_window_view.h"

#include "app/main_window.h"
#include "frontends/qt/control_binding.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace bt::qt {

MainWindowView::MainWindowView(MainWindow& model, const Twips& twips)
    : model_(model), twips_(twips) {
    MainWindowControls& c = model.controls();
    setObjectName(QString::fromStdString(c.window.name()));

    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto* key = new QLabel(this);
        bindLabel(c.keyLabel(slot), key, twips_);
        key->setCursor(Qt::PointingHandCursor);
        key->setToolTip(QStringLiteral("Click, then press the key that types this message"));
        key->installEventFilter(this);
        keyLabels_[static_cast<std::size_t>(slot)] = key;
        bindList(c.slotMenu(slot), new QComboBox(this), twips_);
        bindList(c.slotMessage(slot), new QComboBox(this), twips_);
    }
    for (Label* l : {&c.previewMenuLabel, &c.previewMessageLabel, &c.statusLabel})
        bindLabel(*l, new QLabel(this), twips_);
    for (Button* b :
         {&c.startButton, &c.intervalButton, &c.saveButton, &c.exitButton, &c.gameButton})
        bindButton(*b, new QPushButton(this), twips_);
    bindCheck(c.onlyInGameBox, new QCheckBox(this), twips_);
    bindCheck(c.loginStartBox, new QCheckBox(this), twips_);
    bindOption(c.callOfDutyOption, new QRadioButton(this), twips_);
    bindOption(c.unitedOffensiveOption, new QRadioButton(this), twips_);

    c.window.setObserver([this] { syncWindow(); });
    syncWindow();
    // Keys reach the focused widget, not the window: the window looks at every key event first.
    qApp->installEventFilter(this);
}

void MainWindowView::syncWindow() {
    if (syncing_)
        return;
    syncing_ = true;
    const Window& w = model_.controls().window;
    setWindowTitle(QString::fromStdString(w.caption()));
    // The shrink after the blink sets the outer height; the frame keeps its own part.
    const PixelSize frame{frameGeometry().width() - geometry().width(),
                          frameGeometry().height() - geometry().height()};
    const PixelSize outer = outerSizePx(w, twips_, frame);
    setFixedSize(outer.width - frame.width, outer.height - frame.height);
    switch (w.appearance()) {
    case Window::Appearance::Hidden:
        hide();
        break;
    case Window::Appearance::Minimized:
        // Shown at once as an icon when it was hidden (a start into the tray without one), never
        // over the window the player is in.
        if (!isVisible() || !isMinimized())
            showMinimized();
        break;
    case Window::Appearance::Normal:
        // Shown again; whether it also comes forward is the program's decision (bringToFront),
        // never a side effect of a caption, size or colour change.
        if (isMinimized() || !isVisible())
            showNormal();
        break;
    }
    fitChildrenToText(this); // the room beside each widget is known once the window has its size
    syncing_ = false;
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (watched != keyLabels_[static_cast<std::size_t>(slot)])
                continue;
            model_.controls().keyLabel(slot).click();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && takeKey(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    if (isMiddleOrSideButton(watched, *event))
        return true;
    // A list dropped down takes the keys: they are its own, not a choice's.
    if (const auto* popup = qobject_cast<QWidget*>(watched); event->type() == QEvent::Show &&
                                                             popup && popup->isWindow() &&
                                                             popup->windowType() == Qt::Popup)
        model_.focusLost();
    return QWidget::eventFilter(watched, event);
}

bool MainWindowView::takeKey(QObject* receiver, const QKeyEvent& key) {
    if (!model_.choosingKey())
        return false; // no key is ever taken from anyone outside a choice
    // Only this window's own keys: a box, a dropped-down list or another window keeps its keys.
    // Alt+F4 closes, and Alt with a letter works the window, as everywhere.
    if (!ours(receiver) || (key.modifiers() & Qt::AltModifier) ||
        QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    return true; // the platform's report of it goes to the choice, not the control's own
}

bool MainWindowView::ours(QObject* receiver) const {
    // An input event reaches the window's QWindow first, then the widget.
    const auto* widget = qobject_cast<QWidget*>(receiver);
    return receiver == static_cast<QObject*>(windowHandle()) ||
           (widget && widget->window() == this);
}

bool MainWindowView::isMiddleOrSideButton(QObject* receiver, const QEvent& event) const {
    const QEvent::Type type = event.type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    // The middle button would drop a list down under the pointer, where the label asking for a
    // button stood; the platform reports it to the choice, and a chosen one fires its slot.
    const Qt::MouseButton button = static_cast<const QMouseEvent&>(event).button();
    return button != Qt::LeftButton && button != Qt::RightButton && ours(receiver);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // What comes after the window (the news window, or the end) is the model's decision.
    event->accept();
    model_.close();
}

void MainWindowView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        model_.focusLost();
    if (event->type() == QEvent::WindowStateChange && !syncing_)
        model_.shownMinimized(isMinimized());
}

} // namespace bt::qt
