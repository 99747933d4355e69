// brontek-tarnlow: the Linux program. Needs an X11 display (XWayland on a Wayland desktop):
// keypad keys are watched and keys typed through X11, which reaches X11 games and games under Wine.

#include "app/application.h"
#include "app/command_line.h"
#include "backends/curl/curl_http.h"
#include "backends/posix/posix_files.h"
#include "backends/posix/xdg_autostart.h"
#include "backends/qt/portal_typist.h"
#include "backends/qt/qt_clock.h"
#include "backends/qt/qt_desktop.h"
#include "backends/qt/qt_dialogs.h"
#include "backends/qt/qt_tray.h"
#include "backends/x11/x11_focus.h"
#include "backends/x11/x11_trigger_input.h"
#include "backends/x11/x11_typist.h"
#include "base/texts.h"
#include "frontends/qt/app_icon.h"
#include "frontends/qt/main_window_view.h"
#include "frontends/qt/news_window_view.h"
#include "frontends/qt/single_instance.h"
#include "frontends/qt/test_probe.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace {

// Key events the system holds happened before a click in the program's windows, or before the
// window manager minimizes or closes one: the core hears them first, so a keypad press made as a
// key label is clicked starts its message and is no key of the choice. (The trigger input has an X
// connection of its own, which Qt's input does not wait for.)
class KeyEventsFirst : public QObject {
  public:
    explicit KeyEventsFirst(bt::x11::X11TriggerInput& input, QObject* parent)
        : QObject(parent), input_(input) {}
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::WindowStateChange:
        case QEvent::Close:
            input_.deliverQueued();
            break;
        default:
            break;
        }
        return false;
    }

  private:
    bt::x11::X11TriggerInput& input_;
};

constexpr const char* kFilesNote =
    "\"binds\" (your bindings), \"keys\" (keys and mouse buttons chosen instead\n"
    "of keypad keys), \"options\", \"data\" (a declined news item) and \"grant\"\n"
    "(a Wayland desktop's leave to type) are kept in the folder the program is\n"
    "started in (or --folder names). The installed launcher starts it in\n"
    "$XDG_DATA_HOME/brontek-tarnlow (~/.local/share/brontek-tarnlow). Started at\n"
    "login, it keeps using the folder it used when the box was ticked.";

// What the command line asks for that ends the program before it starts: its exit status.
std::optional<int> answerCommandLine(const bt::CommandLine& command) {
    switch (command.action) {
    case bt::CommandLine::Action::Help:
        std::fputs(bt::usageText(kFilesNote, BRONTEK_DEFAULT_SERVER_HOST).c_str(), stdout);
        return 0;
    case bt::CommandLine::Action::Version:
        std::fputs(bt::versionText().c_str(), stdout);
        return 0;
    case bt::CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", command.error.c_str());
        if (command.usageHint)
            std::fprintf(stderr, "%s\n", bt::kUsageHint);
        return 2;
    case bt::CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

bool x11Reachable() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Display* d = XOpenDisplay(name);
    if (!d)
        return false;
    XCloseDisplay(d);
    return true;
}

// A Wayland desktop, where keys typed into Xwayland may need the desktop's leave.
bool waylandSession() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (display && *display) || (type && std::string_view(type) == "wayland");
}

// Without the keypad or the typist the program cannot do its job; a player who started it from the
// desktop never sees stderr, so the window says it too, once it is up.
void tellWhatCannotWork(const bt::x11::X11TriggerInput& input, const bt::x11::X11Typist& typist,
                        bt::Dialogs& dialogs, QObject* context) {
    QString problem;
    if (!input.ok())
        problem = QStringLiteral("Keypad keys cannot be watched: %1.")
                      .arg(QString::fromStdString(input.error()));
    else if (!typist.ok())
        problem = QStringLiteral("Keys cannot be typed: the X server has no XTest extension.");
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "brontek-tarnlow: %s\n", problem.toUtf8().constData());
    QTimer::singleShot(0, context, [&dialogs, problem] {
        dialogs.messageBox(problem.toStdString(), bt::kBoxTitle);
    });
}

// The system's roles from X11 (keys), Qt (clock, boxes, tray, desktop), POSIX and libcurl; the
// program's windows, mirrored by their views once they exist.
int run(QApplication& app, const bt::CommandLine& command, bt::qt::SingleInstance& instance) {
    bt::qt::QtClock clock;
    bt::x11::X11TriggerInput input([&clock] { return clock.now(); });
    bt::x11::X11Typist xtest;
    bt::qt::PortalTypist typist(xtest, waylandSession());
    bt::qt::QtDialogs dialogs;
    bt::qt::QtTray tray(bt::qt::appIcon());
    bt::qt::QtDesktop desktop(clock);
    bt::posix::PosixFiles files;
    bt::x11::X11Focus focus;
    bt::posix::XdgAutostart autostart;
    // Results come from the transfer thread; they are handled on the UI thread.
    bt::CurlHttp http([&app](std::function<void()> f) {
        QMetaObject::invokeMethod(&app, std::move(f), Qt::QueuedConnection);
    });
    tellWhatCannotWork(input, xtest, dialogs, &app);
    // The keys' events wake the program: without them it sleeps. Before a message starts, events
    // that came meanwhile are read too, so keys pressed in one instant are one chord.
    if (input.ok()) {
        auto* events = new QSocketNotifier(input.connectionFd(), QSocketNotifier::Read, &app);
        QObject::connect(events, &QSocketNotifier::activated, &app,
                         [&input] { input.deliverQueued(); });
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &app,
                         [&input] { input.deliverAlreadyRead(); });
        app.installEventFilter(new KeyEventsFirst(input, &app));
    }
    clock.setBeforeRun([&input] { input.deliverQueued(); });
    if (xtest.ok()) {
        auto* news = new QSocketNotifier(xtest.connectionFd(), QSocketNotifier::Read, &app);
        QObject::connect(news, &QSocketNotifier::activated, &app,
                         [&xtest] { xtest.followLayout(); });
    }

    const bt::Twips twips(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    bt::Application core(
        {input, typist, clock, dialogs, tray, desktop, files, http, focus, tray, typist, autostart},
        command.serverUrl);
    bt::qt::MainWindowView mainView(core.mainWindow(), twips);
    desktop.setWindow(bt::WindowId::Main, &mainView);
    dialogs.setOwner(&mainView);
    tray.setHandler([&core](bt::TrayEvent e) { core.mainWindow().trayEvent(e); });
    instance.setOnAnotherStart([&core] { core.anotherCopyStarted(); });

    std::unique_ptr<bt::qt::NewsWindowView> newsView;
    core.setOnNewsWindowCreated([&](bt::NewsWindow& news) {
        newsView = std::make_unique<bt::qt::NewsWindowView>(news, twips);
        desktop.setWindow(bt::WindowId::News, newsView.get());
    });

    core.start(clock.now(), command.intoTray);
    bt::qt::TestProbe::startIfRequested(core, &app);
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    const bt::CommandLine command =
        bt::parseCommandLine({argv + 1, argv + argc}, BRONTEK_DEFAULT_SERVER_HOST);
    if (const auto status = answerCommandLine(command))
        return *status;
    // The session starts programs at login in the home folder: the entry names the folder of the
    // player's files.
    if (!command.folder.empty() && ::chdir(command.folder.c_str()) != 0) {
        std::fprintf(stderr, "brontek-tarnlow: the folder \"%s\" cannot be used: %s.\n",
                     command.folder.c_str(), std::strerror(errno));
        return 1;
    }
    if (!x11Reachable()) {
        std::fprintf(stderr, "brontek-tarnlow needs an X11 display (XWayland on a Wayland "
                             "desktop); DISPLAY is not set or cannot be opened.\n");
        return 1;
    }
    // The window must be an X11 window too, even on a Wayland desktop.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brontek-tarnlow"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(bt::qt::appIcon());

    // Two copies would both watch the keypad and type every message twice.
    bt::qt::SingleInstance instance(qEnvironmentVariable("DISPLAY"));
    if (!instance.claim()) {
        // A start into the tray (at login) leaves a running copy where it is.
        const bool woken = !command.intoTray && instance.wakeRunningCopy();
        std::fprintf(stderr, "brontek-tarnlow is already running on this display%s\n",
                     woken ? "; its window is brought to the front." : ".");
        return 0;
    }
    return run(app, command, instance);
}
