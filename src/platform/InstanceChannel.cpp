#include "platform/InstanceChannel.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaMethod>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "platform/SingleInstance.h"

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

QString InstanceChannel::DefaultPath()
{
    const std::string dir = RuntimeDirectory();
    return dir.empty() ? QString() : QString::fromStdString(dir) + QStringLiteral("/HuebirdLite.socket");
}

bool InstanceChannel::Listen(const QString& path)
{
    if (path.isEmpty())
        return false;
    // The lock is ours, so a socket file there is a crashed copy's.
    QLocalServer::removeServer(path);
    return server_->listen(path);
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
    if (word == CommandWord(Command::Capture))
        signal = &InstanceChannel::captureRequested;
    else if (word == CommandWord(Command::Pick))
        signal = &InstanceChannel::pickRequested;
    // A command nobody in this copy carries out is not reported as done.
    const bool handled = signal && isSignalConnected(QMetaMethod::fromSignal(signal));
    socket->write(handled ? "ok\n" : "unsupported\n");
    socket->flush();
    socket->disconnectFromServer();
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
    return answer == "unsupported" ? Delivery::Unsupported : Delivery::NoAnswer;
}

int InstanceChannel::SendFromCommandLine(Command command, const QString& path)
{
    int argc = 1;
    char name[] = "huebird-lite";
    char* argv[] = {name, nullptr};
    // The socket wants an event dispatcher; no display is needed for it.
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);
    switch (Send(path, command)) {
    case Delivery::Delivered:
        return 0;
    case Delivery::NotRunning:
        std::fputs("Huebird Lite is not running.\n", stderr);
        return 1;
    case Delivery::Unsupported:
        std::fprintf(stderr, "The running Huebird Lite cannot carry out --%s.\n", CommandWord(command).constData());
        return 2;
    case Delivery::NoAnswer:
        break;
    }
    std::fputs("Huebird Lite did not answer.\n", stderr);
    return 3;
}
