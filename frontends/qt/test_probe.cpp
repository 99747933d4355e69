#include "frontends/qt/test_probe.h"

#include "app/application.h"
#include "backends/qt/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTimer>
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
    }
    return o;
}

} // namespace

void TestProbe::startIfRequested(Application& app, const QtPlatform& platform, QObject* parent) {
    const QString path = qEnvironmentVariable("BRONTEK_TEST_PROBE");
    if (!path.isEmpty())
        new TestProbe(app, platform, path, parent);
}

TestProbe::TestProbe(Application& app, const QtPlatform& platform, QString path, QObject* parent)
    : QObject(parent), app_(app), platform_(platform), path_(std::move(path)) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TestProbe::write);
    timer->start(100);
}

void TestProbe::write() {
    QJsonArray windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        QJsonObject win = describe(top);
        win["title"] = top->windowTitle();
        win["minimized"] = top->isMinimized();
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
    model["mainMinimized"] = c.window.windowState() == WindowState::Minimized;
    model["newsWindow"] = app_.newsWindow() != nullptr;
    model["keyPollTicks"] = static_cast<double>(platform_.pollsRun());
    model["keyPollMaxLateMs"] = platform_.maxLatenessMs();
    QJsonObject root;
    root["windows"] = windows;
    root["model"] = model;
    QSaveFile f(path_);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QJsonDocument(root).toJson(QJsonDocument::Compact));
        f.commit();
    }
}

} // namespace bt::qt
