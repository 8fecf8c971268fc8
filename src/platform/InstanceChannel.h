#pragma once
// Commands from a later start of the program to the copy that runs, over a
// local socket beside the instance lock: `huebird-lite --capture` bound to a
// key of the desktop captures in the running copy. Works with or without a
// session bus, on X11 and Wayland alike.
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    enum class Command { Capture, Pick };
    enum class Delivery { Delivered, NotRunning, Unsupported, NoAnswer };

    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket's place: the runtime folder of the instance lock.
    static QString DefaultPath();
    // Listens at path, replacing a socket a crashed copy left behind; call it
    // only while holding the instance lock.
    bool Listen(const QString& path);

    // Sends the command to the copy listening at path and waits for its answer.
    static Delivery Send(const QString& path, Command command, int timeoutMs = 3000);
    // The sending side of main(): sends, says on stderr what went wrong, and
    // returns the process's exit code (0 when the running copy took it).
    static int SendFromCommandLine(Command command, const QString& path = DefaultPath());

signals:
    void captureRequested();
    void pickRequested();

private:
    void Accept();
    void Read(QLocalSocket* socket);

    QLocalServer* server_;
};
