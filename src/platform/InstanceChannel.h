#pragma once
// Commands from a later start of the program to the copy that runs, over a
// local socket beside the instance lock: `huebird-lite --capture` bound to a
// key of the desktop captures in the running copy. Works with or without a
// session bus, on X11 and Wayland alike.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    enum class Command { Capture, Pick };
    enum class Delivery { Delivered, NotRunning, Unsupported, Refused, NoAnswer };

    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket's places, in order: the runtime folder, then the private
    // folder of the instance lock, for when the runtime folder cannot hold the
    // socket (read-only, or something else stands at its path).
    static QStringList DefaultPaths();
    // Listens at path, replacing a socket a crashed copy left behind, and
    // nothing else that stands there; call it only while holding the instance lock.
    bool Listen(const QString& path);
    // Listens at the first of the paths where it can.
    bool ListenAtFirst(const QStringList& paths);
    // Asked before a command is carried out: one it refuses for now is
    // answered so (pick mode while a modal dialog holds the input).
    void setRefusal(std::function<bool(Command)> refuses) { refuses_ = std::move(refuses); }

    // Sends the command to the copy listening at path and waits for its answer.
    static Delivery Send(const QString& path, Command command, int timeoutMs = 3000);
    // The sending side of main(): sends to the first path where a copy
    // listens, says on stderr what went wrong, and returns the process's exit
    // code (0 when the running copy took it).
    static int SendFromCommandLine(Command command, const QStringList& paths = DefaultPaths());

signals:
    void captureRequested();
    void pickRequested();

private:
    void Accept();
    void Read(QLocalSocket* socket);

    QLocalServer* server_;
    std::function<bool(Command)> refuses_;
};
