#include "platform/wayland/WaylandScreenSampler.h"

#include <QCursor>
#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <utility>
#include <wayland-client.h>

#include "platform/wayland/PointerShield.h"
#include "platform/wayland/Registry.h"
#include "platform/wayland/Screencopy.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

// A copy that never comes (an output switched off) must not stop the reads.
constexpr int kFrameTimeoutMs = 1000;
// The pointer comes over the shield within a frame or two; where it does not
// (no pointer, or another client holds it), the screens are copied anyway.
constexpr int kShieldTimeoutMs = 500;

} // namespace

struct WaylandScreenSampler::Connection {
    wl_display* display = nullptr;
    std::unique_ptr<WaylandRegistry> registry;
    std::unique_ptr<ScreenCopies> copies;
    std::unique_ptr<PointerShield> shield;
    zwlr_virtual_pointer_v1* pointer = nullptr;

    ~Connection()
    {
        copies.reset();
        shield.reset();
        if (pointer)
            zwlr_virtual_pointer_v1_destroy(pointer);
        registry.reset();
        if (display)
            wl_display_disconnect(display);
    }
};

WaylandScreenSampler::WaylandScreenSampler(const char* displayName, QObject* parent)
    : AsyncScreenSampler(parent), connection_(std::make_unique<Connection>())
{
    Connection& c = *connection_;
    c.display = wl_display_connect(displayName);
    if (!c.display) {
        connection_.reset();
        return;
    }
    c.registry = std::make_unique<WaylandRegistry>(c.display);
    // The globals, then the outputs' descriptions.
    const WaylandRegistry& r = *c.registry;
    if (wl_display_roundtrip(c.display) < 0 || wl_display_roundtrip(c.display) < 0 || !r.screencopy || !r.shm
        || !r.outputManager) {
        connection_.reset();
        return;
    }
    c.copies = std::make_unique<ScreenCopies>(*c.registry);
    c.shield = std::make_unique<PointerShield>(*c.registry);
    notifier_ = new QSocketNotifier(wl_display_get_fd(c.display), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WaylandScreenSampler::readEvents);
    watchdog_ = new QTimer(this);
    watchdog_->setSingleShot(true);
    watchdog_->setInterval(kFrameTimeoutMs);
    connect(watchdog_, &QTimer::timeout, this, &WaylandScreenSampler::finish);
    shieldWait_ = new QTimer(this);
    shieldWait_->setSingleShot(true);
    shieldWait_->setInterval(kShieldTimeoutMs);
    connect(shieldWait_, &QTimer::timeout, this, &WaylandScreenSampler::copyScreens);
}

WaylandScreenSampler::~WaylandScreenSampler()
{
    delete notifier_; // before the connection closes its socket
}

bool WaylandScreenSampler::isAvailable() const { return connection_ != nullptr; }

std::vector<ScreenArea> WaylandScreenSampler::screens() const
{
    return connection_ ? connection_->registry->screens() : std::vector<ScreenArea>{};
}

ScreenPointer WaylandScreenSampler::pointerAt(QPoint logical) const
{
    ScreenPointer pointer;
    pointer.pos = logical;
    const std::vector<ScreenArea> areas = screens();
    pointer.desktop = ScreenIndexAt(areas, {logical.x(), logical.y()});
    if (pointer.desktop >= 0)
        pointer.device = ToDevicePixel(areas[std::size_t(pointer.desktop)], {logical.x(), logical.y()});
    return pointer;
}

ScreenPointer WaylandScreenSampler::Pointer() { return pointerAt(QCursor::pos()); }

void WaylandScreenSampler::GrabAround(const ScreenPointer& pointer, int radius, QImage& out)
{
    requestGrab(pointer, radius);
    const QSize size(2 * radius + 1, 2 * radius + 1);
    if (latest_.size() == size) {
        out = latest_;
        return;
    }
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    out.fill(Qt::white);
}

void WaylandScreenSampler::requestGrab(const ScreenPointer& pointer, int radius)
{
    if (job_ != Job::None)
        waiting_ = Request{pointer, radius};
    else
        start({pointer, radius});
}

void WaylandScreenSampler::requestScreens()
{
    if (job_ != Job::None)
        screensWaiting_ = true;
    else
        startScreens();
}

void WaylandScreenSampler::repeatPointerPosition()
{
    if (!connection_ || !connection_->registry->pointerManager || !connection_->registry->seat)
        return;
    Connection& c = *connection_;
    if (!c.pointer)
        c.pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(c.registry->pointerManager, c.registry->seat);
    const auto now = std::uint32_t(QDateTime::currentMSecsSinceEpoch());
    zwlr_virtual_pointer_v1_motion(c.pointer, now, wl_fixed_from_int(0), wl_fixed_from_int(0));
    zwlr_virtual_pointer_v1_frame(c.pointer);
    flush();
}

void WaylandScreenSampler::start(const Request& request)
{
    job_ = Job::Square;
    current_ = request;
    const int side = 2 * std::max(request.radius, 0) + 1;
    if (image_.size() != QSize(side, side) || image_.format() != QImage::Format_RGB32)
        image_ = QImage(side, side, QImage::Format_RGB32);
    image_.fill(Qt::white);
    if (!connection_ || !connection_->copies->captureSquare(request.pointer, std::max(request.radius, 0)))
        return answerLater();
    watchdog_->start();
    flush();
}

void WaylandScreenSampler::startScreens()
{
    job_ = Job::Screens;
    if (connection_ && connection_->shield->raise()) {
        shieldWait_->start();
        flush();
        return;
    }
    copyScreens();
}

void WaylandScreenSampler::copyScreens()
{
    shieldWait_->stop();
    if (!connection_ || !connection_->copies->captureScreens())
        return answerLater();
    watchdog_->start();
    flush();
}

// Nothing to wait for: answer from the event loop, as a copy would be.
void WaylandScreenSampler::answerLater()
{
    QTimer::singleShot(0, this, &WaylandScreenSampler::finish);
}

void WaylandScreenSampler::finish()
{
    const Job job = std::exchange(job_, Job::None);
    if (watchdog_)
        watchdog_->stop();
    if (shieldWait_)
        shieldWait_->stop();
    if (job == Job::Square) {
        if (connection_)
            connection_->copies->compose(image_);
        latest_ = image_;
    }
    QList<ScreenPicture> pictures;
    std::optional<QPointF> pointer;
    if (connection_ && job == Job::Screens) {
        pictures = connection_->copies->pictures();
        pointer = connection_->shield->pointer();
        connection_->shield->lower();
    }
    if (connection_) {
        connection_->copies->clear();
        flush();
    }
    if (job == Job::Square)
        emit grabbed(current_.pointer, image_);
    else if (job == Job::Screens)
        emit screensGrabbed(pictures, pointer);
    if (job_ != Job::None)
        return; // a receiver asked again
    if (std::exchange(screensWaiting_, false))
        startScreens();
    else if (waiting_)
        start(*std::exchange(waiting_, std::nullopt));
}

void WaylandScreenSampler::readEvents()
{
    wl_display* display = connection_ ? connection_->display : nullptr;
    if (!display)
        return;
    if (wl_display_prepare_read(display) == 0 && wl_display_read_events(display) < 0) {
        disconnect();
        return;
    }
    if (wl_display_dispatch_pending(display) < 0) {
        disconnect();
        return;
    }
    if (shieldWait_->isActive()) {
        // Asked after the cursor was hidden, the copies leave it out.
        if (connection_->shield->holdsPointer())
            copyScreens();
    } else if (job_ != Job::None && connection_->copies->allDone()) {
        finish();
    }
    flush();
}

void WaylandScreenSampler::flush()
{
    if (connection_ && wl_display_flush(connection_->display) < 0 && errno != EAGAIN)
        disconnect();
}

// The compositor went away: what is being read ends white, and so does every
// later request.
void WaylandScreenSampler::disconnect()
{
    if (notifier_)
        notifier_->setEnabled(false);
    if (connection_)
        connection_->copies->clear();
    connection_.reset();
    if (job_ != Job::None)
        answerLater();
}
