#include "frontends/qt/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bt::qt {

namespace {

constexpr char kWake[] = "show\n";

// The folder for the lock and the socket: the user's runtime folder, or a private one in /tmp.
// Empty when the one in /tmp is not ours alone: someone else made it first.
QString runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    const QString own = QDir::tempPath() + "/brontek-tarnlow-" + QString::number(::getuid());
    const QByteArray path = QFile::encodeName(own);
    ::mkdir(path.constData(), 0700);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return own;
}

// ":0" and ":0.0" are one display; "host:10.0" is another than ":10".
QString displayKey(QString display) {
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != '-')
            c = '_';
    return display;
}

} // namespace

SingleInstance::SingleInstance(const QString& display) {
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return;
    const QString base = folder + "/brontek-tarnlow-" + displayKey(display);
    lockPath_ = base + ".lock";
    socketPath_ = base + ".socket";
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool SingleInstance::claim() {
    // Without a lock file (no private folder for it, or an unwritable one) the program still
    // runs: a second copy is the lesser harm next to no copy at all.
    if (lockPath_.isEmpty())
        return true;
    lockFd_ = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0)
        return true;
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    // The lock is ours, so a socket left by a copy that died can go.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("show") && onAnotherStart_)
                    onAnotherStart_();
                s->disconnectFromServer();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    server_->listen(socketPath_);
    return true;
}

bool SingleInstance::wakeRunningCopy() {
    // The running copy may be starting up itself and not listen yet: try for a few seconds.
    for (int attempt = 0; attempt < 30; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(100)) {
            socket.write(kWake);
            return socket.waitForBytesWritten(1000);
        }
        QThread::msleep(100);
    }
    return false;
}

} // namespace bt::qt
