#include "platform/x11/X11TickThread.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>
#include <poll.h>
#include <system_error>
#include <sys/eventfd.h>
#include <unistd.h>

#include "platform/x11/X11Connection.h"

namespace {

std::mutex g_runningMutex;
std::vector<X11TickThread*> g_running;

} // namespace

void X11TickThread::endAllAtExit()
{
    std::vector<X11TickThread*> running;
    {
        const std::lock_guard lock(g_runningMutex);
        running.swap(g_running);
    }
    for (X11TickThread* thread : running)
        thread->end();
}

X11TickThread::X11TickThread(std::shared_ptr<X11Connection> connection) : connection_(std::move(connection))
{
    wakeup_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

X11TickThread::~X11TickThread()
{
    stop();
    if (wakeup_ >= 0)
        close(wakeup_);
}

bool X11TickThread::start(std::function<void()> tick, std::chrono::milliseconds interval)
{
    if (isRunning())
        return true;
    if (wakeup_ < 0 || !connection_ || xcb_connection_has_error(connection_->get()))
        return false;
    tick_ = std::move(tick);
    interval_ = interval;
    stopping_ = false;
    connection_->setEventLoopReading(false);
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        connection_->setEventLoopReading(true);
        return false;
    }
    static std::once_flag registered;
    std::call_once(registered, [] { std::atexit(endAllAtExit); });
    const std::lock_guard lock(g_runningMutex);
    g_running.push_back(this);
    return true;
}

void X11TickThread::stop()
{
    if (!isRunning())
        return;
    {
        const std::lock_guard lock(g_runningMutex);
        std::erase(g_running, this);
    }
    end();
    connection_->setEventLoopReading(true);
}

void X11TickThread::end()
{
    if (!isRunning())
        return;
    stopping_ = true;
    const std::uint64_t one = 1;
    while (write(wakeup_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    thread_.join();
    std::uint64_t count = 0;
    while (read(wakeup_, &count, sizeof count) < 0 && errno == EINTR) {
    }
}

void X11TickThread::run()
{
    using Clock = std::chrono::steady_clock;
    xcb_connection_t* const c = connection_->get();
    pollfd fds[] = {{wakeup_, POLLIN, 0}, {xcb_get_file_descriptor(c), POLLIN, 0}};
    auto due = Clock::now() + interval_;
    while (!stopping_) {
        // A lost display ends the program through Qt's connection; until then the thread only waits to stop.
        const bool lost = xcb_connection_has_error(c);
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
        const int ready = poll(fds, lost ? 1 : 2, lost ? -1 : int(std::max<long long>(wait, 0)));
        if (stopping_)
            break;
        if (ready < 0)
            continue; // EINTR
        if (!lost && fds[1].revents)
            connection_->dispatchEvents();
        if (!lost && Clock::now() >= due) {
            tick_();
            connection_->dispatchQueuedEvents();
            due = Clock::now() + interval_;
        }
    }
}
