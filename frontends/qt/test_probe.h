#pragma once

// For the end-to-end tests only: with BRONTEK_TEST_PROBE naming a file, the program writes what
// its windows show (widgets, texts, lists, places on the screen, a few model values) to that file
// whenever something may have changed. Qt draws its widgets itself, so an outside test could not
// read them otherwise. It has no timer of its own: it writes only after events the program handles
// anyway, so it never wakes the program and never hides an event left waiting.

#include <QObject>
#include <QString>

namespace bt {
class Application;
}

namespace bt::qt {

class TestProbe : public QObject {
    Q_OBJECT
  public:
    // Starts only when the environment names a file.
    static void startIfRequested(Application& app, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TestProbe(Application& app, QString path, QObject* parent);
    void write();

    Application& app_;
    QString path_;
    QByteArray written_;
    bool pending_ = false;
};

} // namespace bt::qt
