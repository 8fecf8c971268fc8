#include "platform/InstanceChannel.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaMethod>
#include <QTimer>
#include <QFile>
#include <cstdio>
#include <optional>

#include "core/platform/SingleInstance.h"

namespace {

// One line each way: the command, then "ok" or why not.
constexpr qint64 kMaxLine = 64;
constexpr int kIdleMs = 2000;

QByteArray CommandWord(InstanceChannel::Command command)
{
    return command == InstanceChannel::Command::Capture ? "capture" : "pick";
}

} // namespace

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    // Only the user who runs the program may send it commands.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

InstanceChannel::~InstanceChannel() = default;

QStringList InstanceChannel::DefaultPaths()
{
    QStringList paths;
    for (const std::string& dir : {RuntimeDirectory(), FallbackRuntimeDirectory()}) {
        const QString path = QString::fromStdString(dir) + QStringLiteral("/HuebirdLite.socket");
        if (!dir.empty() && !paths.contains(path))
            paths << path;
    }
    return paths;
}

bool InstanceChannel::Listen(const QString& path)
{
    if (path.isEmpty())
        return false;
    // The lock is ours, so a socket there is a crashed copy's.
    if (!ClearStaleSocket(QFile::encodeName(path).toStdString()))
        return false;
    return server_->listen(path);
}

bool InstanceChannel::ListenAtFirst(const QStringList& paths)
{
    for (const QString& path : paths)
        if (Listen(path))
            return true;
    return false;
}

void InstanceChannel::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A client that connects and says nothing is dropped.
        QTimer::singleShot(kIdleMs, socket, [socket] { socket->abort(); socket->deleteLater(); });
        if (socket->bytesAvailable() > 0)
            Read(socket);
    }
}

void InstanceChannel::Read(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxLine) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    const QByteArray word = socket->readLine(kMaxLine).trimmed();
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);

    void (InstanceChannel::*signal)() = nullptr;
    Command command = Command::Capture;
    if (word == CommandWord(Command::Capture)) {
        signal = &InstanceChannel::captureRequested;
    } else if (word == CommandWord(Command::Pick)) {
        signal = &InstanceChannel::pickRequested;
        command = Command::Pick;
    }
    // A command nobody in this copy carries out is not reported as done.
    bool handled = signal && isSignalConnected(QMetaMethod::fromSignal(signal));
    const bool refused = handled && refuses_ && refuses_(command);
    handled = handled && !refused;
    socket->write(refused ? "busy\n" : handled ? "ok\n" : "unsupported\n");
    socket->flush();
    // The client hangs up once it has read the answer: a named pipe's server
    // that disconnects first throws away what the client has not read yet.
    if (handled)
        emit(this->*signal)();
}

InstanceChannel::Delivery InstanceChannel::Send(const QString& path, Command command, int timeoutMs)
{
    if (path.isEmpty())
        return Delivery::NotRunning;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs))
        return Delivery::NotRunning;
    socket.write(CommandWord(command) + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return Delivery::NoAnswer;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs) || socket.bytesAvailable() > kMaxLine)
            return Delivery::NoAnswer;
    }
    const QByteArray answer = socket.readLine(kMaxLine).trimmed();
    if (answer == "ok")
        return Delivery::Delivered;
    if (answer == "busy")
        return Delivery::Refused;
    return answer == "unsupported" ? Delivery::Unsupported : Delivery::NoAnswer;
}

int InstanceChannel::SendFromCommandLine(Command command, const QStringList& paths)
{
    int argc = 1;
    char name[] = "huebird-lite";
    char* argv[] = {name, nullptr};
    // The socket wants an event dispatcher; no display is needed for it.
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);
    Delivery delivery = Delivery::NotRunning;
    for (const QString& path : paths)
        if ((delivery = Send(path, command)) != Delivery::NotRunning)
            break;
    switch (delivery) {
    case Delivery::Delivered:
        return 0;
    case Delivery::NotRunning:
        std::fputs("Huebird Lite is not running.\n", stderr);
        return 1;
    case Delivery::Unsupported:
        std::fprintf(stderr, "The running Huebird Lite cannot carry out --%s.\n", CommandWord(command).constData());
        return 2;
    case Delivery::Refused:
        std::fprintf(stderr, "The running Huebird Lite cannot carry out --%s while one of its dialogs is open.\n",
                     CommandWord(command).constData());
        return 4;
    case Delivery::NoAnswer:
        break;
    }
    std::fputs("Huebird Lite did not answer.\n", stderr);
    return 3;
}
