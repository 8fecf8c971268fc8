#pragma once
// Reads the screen of a wlroots compositor (sway, Hyprland, river, Wayfire)
// through its screen copies, on a Wayland connection of its own beside Qt's.
// A copy waits for the output's next frame (16-20 ms), so requests are
// answered by signal; the connection is served from the event loop and the
// caller never waits for a frame.
#include <QImage>
#include <QPoint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/AsyncScreenSampler.h"
#include "core/platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"

class QSocketNotifier;
class QTimer;

class WaylandScreenSampler : public AsyncScreenSampler, public IScreenSampler {
    Q_OBJECT
public:
    // displayName: a socket name or path; null for $WAYLAND_DISPLAY. Waits
    // for the compositor to list its outputs, once.
    explicit WaylandScreenSampler(const char* displayName = nullptr, QObject* parent = nullptr);
    ~WaylandScreenSampler() override;

    // Connected, and the compositor copies screen regions.
    bool isAvailable() const;
    // The outputs as the compositor reports them: logical desktop geometry,
    // device pixels per logical pixel, and the output's own buffer as device
    // area (from 0, 0). A pointer's desktop is its output's index here.
    std::vector<ScreenArea> screens() const;
    // The pointer at a logical point of the desktop: on the output holding
    // it (the nearest one outside them all).
    ScreenPointer pointerAt(QPoint logical) const;

    void requestGrab(const ScreenPointer& pointer, int radius) override;
    // Copies every output whole, at its device pixels, once the pointer is
    // over clear surfaces of the program's that hide its cursor and tell
    // where it is (a short while at most).
    void requestScreens() override;
    // A pointer motion of nothing through a virtual pointer: the compositor
    // sends the pointer's place over the surface under it again.
    void repeatPointerPosition() override;

    // Known over the program's own windows only: Wayland tells no client
    // where the pointer is elsewhere.
    ScreenPointer Pointer() override;
    // Never waits: hands out the newest copy of a square of that size (one
    // read behind a moving pointer; white before the first) and asks for the
    // pointer's.
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;

private:
    struct Connection;

    enum class Job { None, Square, Screens };

    struct Request {
        ScreenPointer pointer;
        int radius = 0;
    };

    void start(const Request& request);
    void startScreens();
    void copyScreens();
    void answerLater();
    void finish();
    void readEvents();
    void flush();
    void disconnect();

    std::unique_ptr<Connection> connection_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* watchdog_ = nullptr;
    QTimer* shieldWait_ = nullptr; // runs while the screens wait for the pointer
    Job job_ = Job::None;
    Request current_;
    std::optional<Request> waiting_;
    bool screensWaiting_ = false;
    QImage image_;
    QImage latest_;
};
