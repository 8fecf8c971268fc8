// The Windows ends of a run, turned into TerminationSignals::Received so that
// the program closes the normal way and keeps its settings: the session ending
// (WM_ENDSESSION to the program's windows) and the console's control events
// (Ctrl+C, Ctrl+Break, the console closing, logoff, shutdown), which arrive on
// a thread of their own.
#include "platform/TerminationSignals.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <atomic>

#include <windows.h>

namespace {

// The one watcher the console handler reports to.
std::atomic<TerminationSignals*> s_watcher{nullptr};
// Set once the event loop has handled an event: the handler then waits no more.
HANDLE s_handled = nullptr;

BOOL WINAPI ConsoleControl(DWORD event)
{
    TerminationSignals* watcher = s_watcher.load();
    if (!watcher)
        return FALSE;
    const int code = int(event);
    QMetaObject::invokeMethod(watcher, [watcher, code] { watcher->Deliver(code); }, Qt::QueuedConnection);
    // After the close, logoff and shutdown events Windows ends the process as
    // soon as the handler returns: give the event loop the time to close.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(s_handled, 4500);
    return TRUE;
}

class EndSessionFilter : public QAbstractNativeEventFilter {
public:
    explicit EndSessionFilter(TerminationSignals* watcher) : watcher_(watcher) {}
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        // The process may end as soon as WM_ENDSESSION returns: close now, not from the queue.
        if (msg->message == WM_ENDSESSION && msg->wParam && watcher_)
            watcher_->Deliver(int(WM_ENDSESSION));
        return false;
    }

private:
    QPointer<TerminationSignals> watcher_;
};

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    TerminationSignals* none = nullptr;
    if (!s_watcher.compare_exchange_strong(none, this))
        return;
    s_handled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    filter_ = new EndSessionFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(static_cast<EndSessionFilter*>(filter_));
    SetConsoleCtrlHandler(ConsoleControl, TRUE);
    installed_ = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!installed_)
        return;
    SetConsoleCtrlHandler(ConsoleControl, FALSE);
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(static_cast<EndSessionFilter*>(filter_));
    delete static_cast<EndSessionFilter*>(filter_);
    s_watcher = nullptr;
    SetEvent(s_handled); // a handler still waiting goes on
    CloseHandle(s_handled);
    s_handled = nullptr;
}

void TerminationSignals::Watch()
{
    if (!installed_ || watching_)
        return;
    watching_ = true;
    for (int event : pending_)
        emit Received(event);
    pending_.clear();
}

void TerminationSignals::Deliver(int event)
{
    if (!watching_) {
        pending_.push_back(event);
        return;
    }
    emit Received(event);
    if (s_handled)
        SetEvent(s_handled);
}
