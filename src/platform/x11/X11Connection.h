#pragma once
// A connection of the program's own to the X server its windows are on, for
// the work of every capture tick. Qt's connection has a reader thread that
// wakes for every reply and event; on this one, replies are read by the thread
// that waits for them, and the few events of the program's own native windows
// (exposures, errors) are read by the event loop through a socket notifier,
// or by a thread of the tick's own while it runs (see X11TickThread).
#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <xcb/xcb.h>

class QSocketNotifier;

class X11Connection : public QObject {
    Q_OBJECT
public:
    // Connects to the display (an X display name such as ":0"); null when the
    // server cannot be reached.
    static std::shared_ptr<X11Connection> open(const QByteArray& displayName);
    // The name of the display an Xlib Display* is connected to.
    static QByteArray displayName(void* display);
    ~X11Connection() override;

    xcb_connection_t* get() const { return connection_; }
    // Whether the server shares memory with this process (MIT-SHM on a local connection).
    bool hasShm() const { return shm_; }

    // Events about a window of this connection (exposures; errors of requests
    // on it) go to its handler, on the thread that reads them, until it is
    // forgotten.
    using EventHandler = std::function<void(const xcb_generic_event_t& event)>;
    void watch(std::uint32_t window, EventHandler handler);
    void forget(std::uint32_t window);
    // Reads the socket and hands out every event that came.
    void dispatchEvents();
    // Hands out the events xcb has already read (no system call); run it after
    // the replies of a tick, which may have brought events along.
    void dispatchQueuedEvents();
    // Whether the GUI thread's event loop reads the events (the default); off
    // while another thread does. Called on the GUI thread.
    void setEventLoopReading(bool reading);

    // Shared memory read by the server may be rewritten only once its put has
    // been handled: the reply to any later request tells that it has, since
    // the server handles one connection's requests in order.
    void noteReply(unsigned int sequence);
    void notePut(unsigned int sequence);
    // Makes sure no put is still reading shared memory (a round trip only
    // when one was sent after the last reply).
    void awaitPuts();

private:
    explicit X11Connection(xcb_connection_t* connection);
    void dispatch(xcb_generic_event_t* event);

    xcb_connection_t* connection_;
    bool shm_ = false;
    QSocketNotifier* notifier_ = nullptr;
    std::mutex mutex_; // the handlers and sequence numbers, for the tick's thread and the GUI's
    std::unordered_map<std::uint32_t, EventHandler> handlers_;
    bool putPending_ = false;
    unsigned int lastPut_ = 0;
};
