#include "platform/x11/X11Connection.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/shm.h>

#include <X11/Xlib.h> // last: its macros clash with Qt's names

std::shared_ptr<X11Connection> X11Connection::open(const QByteArray& displayName)
{
    xcb_connection_t* c = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        return nullptr;
    }
    return std::shared_ptr<X11Connection>(new X11Connection(c));
}

QByteArray X11Connection::displayName(void* display)
{
    return display ? QByteArray(DisplayString(static_cast<Display*>(display))) : QByteArray();
}

X11Connection::X11Connection(xcb_connection_t* connection) : connection_(connection)
{
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(connection_, &xcb_shm_id);
    if (ext && ext->present) {
        xcb_shm_query_version_reply_t* version =
            xcb_shm_query_version_reply(connection_, xcb_shm_query_version(connection_), nullptr);
        shm_ = version != nullptr;
        std::free(version);
    }
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        dispatchEvents();
        // A broken connection stays readable: stop listening rather than spin.
        if (xcb_connection_has_error(connection_))
            notifier_->setEnabled(false);
    });
}

X11Connection::~X11Connection()
{
    delete notifier_;
    xcb_disconnect(connection_);
}

void X11Connection::watch(std::uint32_t window, EventHandler handler)
{
    const std::lock_guard lock(mutex_);
    handlers_[window] = std::move(handler);
}

void X11Connection::forget(std::uint32_t window)
{
    const std::lock_guard lock(mutex_);
    handlers_.erase(window);
}

void X11Connection::dispatchEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
        dispatch(event);
}

void X11Connection::dispatchQueuedEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_))
        dispatch(event);
}

void X11Connection::setEventLoopReading(bool reading)
{
    notifier_->setEnabled(reading && !xcb_connection_has_error(connection_));
    // Events read meanwhile wait in xcb's queue, where the notifier does not see them.
    if (reading)
        dispatchQueuedEvents();
}

void X11Connection::dispatch(xcb_generic_event_t* event)
{
    std::uint32_t window = 0;
    switch (event->response_type & 0x7F) {
    case 0:
        window = reinterpret_cast<xcb_generic_error_t*>(event)->resource_id;
        break;
    case XCB_EXPOSE:
        window = reinterpret_cast<xcb_expose_event_t*>(event)->window;
        break;
    default:
        break;
    }
    EventHandler handler; // a copy: the handler may forget its window
    if (window) {
        const std::lock_guard lock(mutex_);
        if (const auto it = handlers_.find(window); it != handlers_.end())
            handler = it->second;
    }
    if (handler)
        handler(*event);
    std::free(event);
}

namespace {

// Sequence numbers wrap around; of two near each other, a is later when the
// distance from b to it is under half the range.
bool Later(unsigned int a, unsigned int b)
{
    return a != b && a - b < 0x80000000u;
}

} // namespace

void X11Connection::noteReply(unsigned int sequence)
{
    const std::lock_guard lock(mutex_);
    if (putPending_ && Later(sequence, lastPut_))
        putPending_ = false;
}

void X11Connection::notePut(unsigned int sequence)
{
    const std::lock_guard lock(mutex_);
    putPending_ = true;
    lastPut_ = sequence;
}

void X11Connection::awaitPuts()
{
    {
        const std::lock_guard lock(mutex_);
        if (!putPending_)
            return;
    }
    const xcb_get_input_focus_cookie_t cookie = xcb_get_input_focus(connection_);
    std::free(xcb_get_input_focus_reply(connection_, cookie, nullptr));
    noteReply(cookie.sequence);
}
