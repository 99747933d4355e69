#pragma once

// For the end-to-end tests only: with BRONTEK_TEST_PROBE naming a file, the program writes what
// its windows show (widgets, texts, lists, places on the screen, a few model values) to that file
// every 100 ms. Qt draws its widgets itself, so an outside test could not read them otherwise.

#include <QObject>
#include <QString>

namespace bt {
class Application;
}

namespace bt::qt {
class QtPlatform;

class TestProbe : public QObject {
    Q_OBJECT
  public:
    // Starts only when the environment names a file.
    static void startIfRequested(Application& app, const QtPlatform& platform, QObject* parent);

  private:
    TestProbe(Application& app, const QtPlatform& platform, QString path, QObject* parent);
    void write();

    Application& app_;
    const QtPlatform& platform_;
    QString path_;
};

} // namespace bt::qt
