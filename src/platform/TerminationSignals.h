#pragma once
// SIGTERM (the session ends), SIGINT and SIGHUP, turned into a signal of the
// event loop so that the program can close the normal way and keep its
// settings. The handler only writes the signal's number into a pipe; a socket
// notifier reads it back in the event loop. On Windows: the session's end and
// the console's control events (win/WinTerminationSignals.cpp).
#include <QObject>
#include <vector>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on: they wait in the pipe until Watch().
    explicit TerminationSignals(QObject* parent = nullptr);
    // Restores the default handling.
    ~TerminationSignals() override;

    // Delivers the waiting and later signals through Received, from the event loop.
    void Watch();
    // Windows: an end reported on the GUI thread; it waits until Watch().
    void Deliver(int event);

signals:
    void Received(int signal);

private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
    void* filter_ = nullptr; // Windows: the native event filter
    bool watching_ = false;
    std::vector<int> pending_;
};
