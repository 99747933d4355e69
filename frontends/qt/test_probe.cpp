#include "frontends/qt/test_probe.h"

#include "app/application.h"
#include "frontends/qt/control_binding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QWidget>

namespace bt::qt {

namespace {

QJsonObject describe(const QWidget* w) {
    QJsonObject o;
    o["name"] = w->objectName();
    o["class"] = QString::fromLatin1(w->metaObject()->className());
    const QPoint g = w->mapToGlobal(QPoint(0, 0));
    o["x"] = g.x();
    o["y"] = g.y();
    o["w"] = w->width();
    o["h"] = w->height();
    o["visible"] = w->isVisible();
    o["enabled"] = w->isEnabled();
    o["textW"] = textWidth(w); // what its whole text needs, to hold against its width
    if (auto* l = qobject_cast<const QLabel*>(w))
        o["text"] = l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        o["text"] = b->text();
        o["checked"] = b->isChecked();
    }
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        o["text"] = e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) {
        QJsonArray items;
        for (int i = 0; i < c->count(); ++i)
            items.append(c->itemText(i));
        o["items"] = items;
        o["index"] = c->currentIndex();
        o["text"] = c->currentText();
    }
    return o;
}

} // namespace

void TestProbe::startIfRequested(Application& app, QObject* parent) {
    const QString path = qEnvironmentVariable("BRONTEK_TEST_PROBE");
    if (!path.isEmpty())
        new TestProbe(app, path, parent);
}

TestProbe::TestProbe(Application& app, QString path, QObject* parent)
    : QObject(parent), app_(app), path_(std::move(path)) {
    qApp->installEventFilter(this);
    write();
}

bool TestProbe::eventFilter(QObject* watched, QEvent* event) {
    // Whatever a widget or a window shows changes through an event of its own (shown, hidden,
    // moved, painted…); the file is written once the events at hand are handled.
    if (!pending_ && (watched->isWidgetType() || watched->isWindowType()) &&
        event->type() != QEvent::Timer) {
        pending_ = true;
        QMetaObject::invokeMethod(this, &TestProbe::write, Qt::QueuedConnection);
    }
    return false;
}

void TestProbe::write() {
    pending_ = false;
    QJsonArray windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        QJsonObject win = describe(top);
        win["title"] = top->windowTitle();
        win["minimized"] = top->isMinimized();
        win["scale"] = top->devicePixelRatioF(); // the screen's pixels to one of the window's
        QJsonArray children;
        for (QWidget* child : top->findChildren<QWidget*>())
            children.append(describe(child));
        win["children"] = children;
        windows.append(win);
    }
    QJsonObject model;
    const MainWindow& main = app_.mainWindow();
    const MainWindowControls& c = main.controls();
    model["keyInterval"] = main.keyInterval();
    model["game"] = !main.profile().game                           ? "none"
                    : main.profile().game == Game::UnitedOffensive ? "UnitedOffensive"
                                                                   : "CallOfDuty";
    model["status"] = QString::fromStdString(c.statusLabel.caption());
    model["mainVisible"] = c.window.visible();
    model["mainMinimized"] = c.window.state() == WindowState::Minimized;
    model["newsWindow"] = app_.newsWindow() != nullptr;
    QJsonObject root;
    root["windows"] = windows;
    root["model"] = model;
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    if (json == written_)
        return;
    QSaveFile f(path_);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(json);
        if (f.commit())
            written_ = json;
    }
}

} // namespace bt::qt
