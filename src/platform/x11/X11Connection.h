#pragma once
// A connection of the program's own to the X server its windows are on, for
// the work of every capture tick. Qt's connection has a reader thread that
// wakes for every reply and event; on this one, replies are read by the thread
// that waits for them, and only the few events of the program's own native
// windows (exposures, errors) reach the event loop, through a socket notifier.
#include <QByteArray>
#include <QObject>
#include <functional>
#include <memory>
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
    // on it) go to its handler, until it is forgotten.
    using EventHandler = std::function<void(const xcb_generic_event_t& event)>;
    void watch(std::uint32_t window, EventHandler handler);
    void forget(std::uint32_t window);
    // Hands out the events xcb has already read (no system call); run it after
    // the replies of a tick, which may have brought events along.
    void dispatchQueuedEvents();

    // Shared memory written into by the server may be read, and memory read
    // by the server rewritten, only once its request has been handled: any
    // reply on this connection tells that every earlier request has been.
    void noteReply() { putPending_ = false; }
    void notePut() { putPending_ = true; }
    // Makes sure no put is still reading shared memory (a round trip only
    // when one was sent since the last reply).
    void awaitPuts();

private:
    explicit X11Connection(xcb_connection_t* connection);
    void dispatch(xcb_generic_event_t* event);

    xcb_connection_t* connection_;
    bool shm_ = false;
    bool putPending_ = false;
    QSocketNotifier* notifier_ = nullptr;
    std::unordered_map<std::uint32_t, EventHandler> handlers_;
};
