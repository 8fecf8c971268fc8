#pragma once
// Runs the capture tick on a thread of its own, so that nothing wakes the GUI
// thread while the pointer moves: the thread sleeps in poll() on the tick's
// X connection until the next tick is due or an event (an exposure) comes,
// and hands the events to the connection's handlers itself. Qt's X11 platform
// ends the program with exit() when the display goes away: the threads still
// running are stopped then, before Qt's own globals are destroyed under them.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class X11Connection;

class X11TickThread {
public:
    explicit X11TickThread(std::shared_ptr<X11Connection> connection);
    ~X11TickThread();
    X11TickThread(const X11TickThread&) = delete;
    X11TickThread& operator=(const X11TickThread&) = delete;

    // The first tick comes one interval after the start, each next one an
    // interval after the last one's work. False when no thread could start.
    bool start(std::function<void()> tick, std::chrono::milliseconds interval);
    // Returns once the thread has ended; a tick under way finishes first.
    void stop();
    bool isRunning() const { return thread_.joinable(); }

private:
    void run();
    // Ends the thread without touching Qt.
    void end();
    // Registered with atexit() after Qt's libraries registered their
    // destructors, so that it runs before them.
    static void endAllAtExit();

    std::shared_ptr<X11Connection> connection_;
    std::function<void()> tick_;
    std::chrono::milliseconds interval_{50};
    std::thread thread_;
    int wakeup_ = -1; // an eventfd that stop() writes to
    std::atomic<bool> stopping_{false};
};
