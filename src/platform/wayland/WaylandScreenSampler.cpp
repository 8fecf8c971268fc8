#include "platform/wayland/WaylandScreenSampler.h"

#include <QCursor>
#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace {

// A copy that never comes (an output switched off) must not stop the reads.
constexpr int kFrameTimeoutMs = 1000;

bool IsSupported(std::uint32_t format)
{
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888
           || format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

// A client buffer in shared memory that the compositor copies into.
class ShmBuffer {
public:
    ShmBuffer() = default;
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;
    ~ShmBuffer() { reset(); }

    bool fits(std::uint32_t format, int width, int height, int stride) const
    {
        return buffer_ && format == format_ && width == width_ && height == height_ && stride == stride_;
    }

    bool create(wl_shm* shm, std::uint32_t format, int width, int height, int stride)
    {
        reset();
        const std::size_t size = std::size_t(stride) * std::size_t(height);
        if (width <= 0 || height <= 0 || stride < width * 4 || size == 0)
            return false;
        const int fd = memfd_create("huebird-screen-copy", MFD_CLOEXEC);
        if (fd < 0)
            return false;
        void* data = ftruncate(fd, off_t(size)) == 0 ? mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                                                      : MAP_FAILED;
        if (data == MAP_FAILED) {
            close(fd);
            return false;
        }
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int(size));
        buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
        wl_shm_pool_destroy(pool);
        close(fd);
        data_ = static_cast<const std::uint8_t*>(data);
        size_ = size;
        format_ = format;
        width_ = width;
        height_ = height;
        stride_ = stride;
        return true;
    }

    void reset()
    {
        if (buffer_)
            wl_buffer_destroy(buffer_);
        if (data_)
            munmap(const_cast<std::uint8_t*>(data_), size_);
        buffer_ = nullptr;
        data_ = nullptr;
    }

    wl_buffer* handle() const { return buffer_; }
    const std::uint8_t* row(int y) const { return data_ + std::size_t(y) * std::size_t(stride_); }
    std::uint32_t format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    wl_buffer* buffer_ = nullptr;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint32_t format_ = 0;
    int width_ = 0, height_ = 0, stride_ = 0;
};

struct Output {
    std::uint32_t globalName = 0;
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    PixelRect logical;
    int scale = 1;
    int transform = WL_OUTPUT_TRANSFORM_NORMAL;
    int modeWidth = 0, modeHeight = 0;

    ~Output()
    {
        if (xdgOutput)
            zxdg_output_v1_destroy(xdgOutput);
        if (output)
            wl_output_destroy(output);
    }

    // Its buffer is the device area: every output has one of its own.
    ScreenArea area() const
    {
        if (logical.Empty())
            return {};
        // Rotated outputs have their mode's width upright.
        int width = transform % 2 ? modeHeight : modeWidth;
        int height = transform % 2 ? modeWidth : modeHeight;
        if (width <= 0 || height <= 0) {
            width = logical.width * scale;
            height = logical.height * scale;
        }
        return {logical, double(width) / logical.width, {0, 0, width, height}};
    }
};

} // namespace

// The Wayland side: globals, outputs and the copies of one request. Its
// callbacks only record what arrives; the sampler acts on it once libwayland
// has returned.
struct WaylandScreenSampler::Connection {
    struct Frame {
        Connection* connection = nullptr;
        zwlr_screencopy_frame_v1* handle = nullptr;
        std::vector<std::unique_ptr<ShmBuffer>>* pool = nullptr;
        std::size_t slot = 0;
        PixelRect geometry; // of a whole output copied
        GrabPiece piece;
        PixelPoint offset; // of the piece in the copy
        std::uint32_t format = 0;
        int width = 0, height = 0, stride = 0;
        bool formatChosen = false;
        bool yInverted = false;
        bool done = false;
        bool copied = false;

        ~Frame()
        {
            if (handle)
                zwlr_screencopy_frame_v1_destroy(handle);
        }
    };

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_shm* shm = nullptr;
    zwlr_screencopy_manager_v1* manager = nullptr;
    std::uint32_t managerVersion = 0;
    zxdg_output_manager_v1* outputManager = nullptr;
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointerManager = nullptr;
    zwlr_virtual_pointer_v1* pointer = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
    std::vector<std::unique_ptr<Frame>> frames;
    std::vector<std::unique_ptr<ShmBuffer>> buffers; // one per frame slot, kept between requests
    std::vector<std::unique_ptr<ShmBuffer>> screenBuffers; // whole outputs, freed after each copy
    std::vector<GrabPiece> pieces;

    ~Connection()
    {
        frames.clear();
        buffers.clear();
        outputs.clear();
        if (pointer)
            zwlr_virtual_pointer_v1_destroy(pointer);
        if (pointerManager)
            zwlr_virtual_pointer_manager_v1_destroy(pointerManager);
        if (seat)
            wl_seat_destroy(seat);
        if (outputManager)
            zxdg_output_manager_v1_destroy(outputManager);
        if (manager)
            zwlr_screencopy_manager_v1_destroy(manager);
        if (shm)
            wl_shm_destroy(shm);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    bool allDone() const
    {
        return std::all_of(frames.begin(), frames.end(), [](const auto& f) { return f->done; });
    }

    // One for every output, in their order; outputs not yet described have
    // empty ones.
    std::vector<ScreenArea> screens() const
    {
        std::vector<ScreenArea> areas;
        for (const auto& o : outputs)
            areas.push_back(o->area());
        return areas;
    }

    // Starts copying every part of the square around the pointer that lies
    // on an output; false when none does.
    bool capture(const ScreenPointer& pointer, int radius)
    {
        frames.clear();
        const std::vector<ScreenArea> areas = screens();
        SplitAcrossOutputs(areas, pointer.desktop, SquareAround(pointer.device, radius), pieces);
        for (const GrabPiece& piece : pieces) {
            const OutputRegion region = OutputRegionFor(areas[std::size_t(piece.screen)], piece.source);
            if (region.logical.Empty())
                continue;
            auto& frame = add(buffers);
            frame.piece = piece;
            frame.offset = region.offset;
            // The pointer stays out of the copy.
            frame.handle = zwlr_screencopy_manager_v1_capture_output_region(
                manager, 0, outputs[std::size_t(piece.screen)]->output, region.logical.x, region.logical.y,
                region.logical.width, region.logical.height);
            zwlr_screencopy_frame_v1_add_listener(frame.handle, &kFrameListener, &frame);
        }
        return !frames.empty();
    }

    // Starts copying every output whole; false without outputs.
    bool captureScreens()
    {
        frames.clear();
        for (const auto& o : outputs) {
            if (o->logical.Empty())
                continue;
            auto& frame = add(screenBuffers);
            frame.geometry = o->logical;
            frame.handle = zwlr_screencopy_manager_v1_capture_output(manager, 0, o->output);
            zwlr_screencopy_frame_v1_add_listener(frame.handle, &kFrameListener, &frame);
        }
        return !frames.empty();
    }

    Frame& add(std::vector<std::unique_ptr<ShmBuffer>>& pool)
    {
        auto frame = std::make_unique<Frame>();
        frame->connection = this;
        frame->pool = &pool;
        frame->slot = frames.size();
        frames.push_back(std::move(frame));
        return *frames.back();
    }

    static void CopyRow(const ShmBuffer& b, int row, int from, int count, QRgb* to)
    {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(b.row(row)) + from;
        if (b.format() == WL_SHM_FORMAT_XBGR8888 || b.format() == WL_SHM_FORMAT_ABGR8888) {
            for (int x = 0; x < count; ++x) {
                const std::uint32_t p = pixels[x];
                to[x] = 0xFF000000u | (p & 0xFF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
            }
        } else {
            for (int x = 0; x < count; ++x)
                to[x] = 0xFF000000u | pixels[x];
        }
    }

    // The whole outputs copied, freeing their buffers.
    QList<ScreenPicture> pictures()
    {
        QList<ScreenPicture> result;
        for (const auto& f : frames) {
            if (!f->copied || f->slot >= screenBuffers.size())
                continue;
            const ShmBuffer& b = *screenBuffers[f->slot];
            QImage image(b.width(), b.height(), QImage::Format_RGB32);
            for (int y = 0; y < b.height(); ++y)
                CopyRow(b, f->yInverted ? b.height() - 1 - y : y, 0, b.width(),
                        reinterpret_cast<QRgb*>(image.scanLine(y)));
            const PixelRect& g = f->geometry;
            result.append({QRect(g.x, g.y, g.width, g.height), std::move(image)});
        }
        frames.clear();
        screenBuffers.clear();
        return result;
    }

    // Copies what arrived into the image (white elsewhere).
    void compose(QImage& image) const
    {
        for (const auto& f : frames) {
            if (!f->copied || f->slot >= buffers.size())
                continue;
            const ShmBuffer& b = *buffers[f->slot];
            const PixelRect& r = f->piece.source;
            const int rows = std::min(r.height, b.height() - f->offset.y);
            const int columns = std::min(r.width, b.width() - f->offset.x);
            for (int y = 0; y < rows; ++y)
                CopyRow(b, f->yInverted ? b.height() - 1 - (f->offset.y + y) : f->offset.y + y, f->offset.x,
                        columns,
                        reinterpret_cast<QRgb*>(image.scanLine(f->piece.target.y + y)) + f->piece.target.x);
        }
    }

    void copy(Frame& f)
    {
        if (!f.formatChosen) {
            f.done = true;
            return;
        }
        auto& pool = *f.pool;
        if (pool.size() <= f.slot)
            pool.resize(f.slot + 1);
        auto& buffer = pool[f.slot];
        if (!buffer)
            buffer = std::make_unique<ShmBuffer>();
        if (!buffer->fits(f.format, f.width, f.height, f.stride)
            && !buffer->create(shm, f.format, f.width, f.height, f.stride)) {
            f.done = true;
            return;
        }
        zwlr_screencopy_frame_v1_copy(f.handle, buffer->handle());
    }

    // wl_registry
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version)
    {
        auto* c = static_cast<Connection*>(data);
        if (!std::strcmp(interface, wl_shm_interface.name) && !c->shm) {
            c->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (!std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) && !c->manager) {
            c->managerVersion = std::min(version, 3u);
            c->manager = static_cast<zwlr_screencopy_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface, c->managerVersion));
        } else if (!std::strcmp(interface, zxdg_output_manager_v1_interface.name) && !c->outputManager) {
            c->outputManager = static_cast<zxdg_output_manager_v1*>(
                wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, std::min(version, 2u)));
            for (auto& o : c->outputs)
                c->watch(*o);
        } else if (!std::strcmp(interface, wl_seat_interface.name) && !c->seat) {
            c->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (!std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) && !c->pointerManager) {
            c->pointerManager = static_cast<zwlr_virtual_pointer_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
        } else if (!std::strcmp(interface, wl_output_interface.name)) {
            auto o = std::make_unique<Output>();
            o->globalName = name;
            o->output = static_cast<wl_output*>(
                wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
            wl_output_add_listener(o->output, &kOutputListener, o.get());
            c->watch(*o);
            c->outputs.push_back(std::move(o));
        }
    }

    static void globalRemove(void* data, wl_registry*, std::uint32_t name)
    {
        auto* c = static_cast<Connection*>(data);
        std::erase_if(c->outputs, [name](const auto& o) { return o->globalName == name; });
    }

    void watch(Output& o)
    {
        if (!outputManager || o.xdgOutput)
            return;
        o.xdgOutput = zxdg_output_manager_v1_get_xdg_output(outputManager, o.output);
        zxdg_output_v1_add_listener(o.xdgOutput, &kXdgOutputListener, &o);
    }

    // wl_output and zxdg_output_v1
    static void outputGeometry(void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                               std::int32_t, const char*, const char*, std::int32_t transform)
    {
        static_cast<Output*>(data)->transform = transform;
    }
    static void outputMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
                           std::int32_t)
    {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            static_cast<Output*>(data)->modeWidth = width;
            static_cast<Output*>(data)->modeHeight = height;
        }
    }
    static void outputScale(void* data, wl_output*, std::int32_t factor)
    {
        static_cast<Output*>(data)->scale = std::max(factor, 1);
    }
    static void outputDone(void*, wl_output*) {}
    static void logicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y)
    {
        static_cast<Output*>(data)->logical.x = x;
        static_cast<Output*>(data)->logical.y = y;
    }
    static void logicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height)
    {
        static_cast<Output*>(data)->logical.width = width;
        static_cast<Output*>(data)->logical.height = height;
    }
    static void xdgDone(void*, zxdg_output_v1*) {}
    static void xdgText(void*, zxdg_output_v1*, const char*) {}

    // zwlr_screencopy_frame_v1
    static void frameBuffer(void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
                            std::uint32_t height, std::uint32_t stride)
    {
        auto* f = static_cast<Frame*>(data);
        if (f->formatChosen || !IsSupported(format) || width > 16384 || height > 16384 || stride > 65536
            || stride < width * 4)
            return;
        f->formatChosen = true;
        f->format = format;
        f->width = int(width);
        f->height = int(height);
        f->stride = int(stride);
        // Before version 3 the buffer events end with the last one sent: copy now.
        if (f->connection->managerVersion < 3)
            f->connection->copy(*f);
    }
    static void frameFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags)
    {
        static_cast<Frame*>(data)->yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
    }
    static void frameReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t)
    {
        static_cast<Frame*>(data)->copied = true;
        static_cast<Frame*>(data)->done = true;
    }
    static void frameFailed(void* data, zwlr_screencopy_frame_v1*) { static_cast<Frame*>(data)->done = true; }
    static void frameDamage(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
                            std::uint32_t)
    {
    }
    static void frameDmabuf(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {}
    static void frameBufferDone(void* data, zwlr_screencopy_frame_v1*)
    {
        auto* f = static_cast<Frame*>(data);
        f->connection->copy(*f);
    }

    static constexpr wl_registry_listener kRegistryListener = {global, globalRemove};
    static constexpr wl_output_listener kOutputListener = {outputGeometry, outputMode, outputDone, outputScale,
                                                           nullptr, nullptr};
    static constexpr zxdg_output_v1_listener kXdgOutputListener = {logicalPosition, logicalSize, xdgDone, xdgText,
                                                                  xdgText};
    static constexpr zwlr_screencopy_frame_v1_listener kFrameListener = {
        frameBuffer, frameFlags, frameReady, frameFailed, frameDamage, frameDmabuf, frameBufferDone};
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
    c.registry = wl_display_get_registry(c.display);
    wl_registry_add_listener(c.registry, &Connection::kRegistryListener, &c);
    // The globals, then the outputs' descriptions.
    if (wl_display_roundtrip(c.display) < 0 || wl_display_roundtrip(c.display) < 0 || !c.manager || !c.shm
        || !c.outputManager) {
        connection_.reset();
        return;
    }
    notifier_ = new QSocketNotifier(wl_display_get_fd(c.display), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WaylandScreenSampler::readEvents);
    watchdog_ = new QTimer(this);
    watchdog_->setSingleShot(true);
    watchdog_->setInterval(kFrameTimeoutMs);
    connect(watchdog_, &QTimer::timeout, this, &WaylandScreenSampler::finish);
}

WaylandScreenSampler::~WaylandScreenSampler()
{
    delete notifier_; // before the connection closes its socket
}

bool WaylandScreenSampler::isAvailable() const { return connection_ != nullptr; }

std::vector<ScreenArea> WaylandScreenSampler::screens() const
{
    return connection_ ? connection_->screens() : std::vector<ScreenArea>{};
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
    if (!connection_ || !connection_->pointerManager || !connection_->seat)
        return;
    Connection& c = *connection_;
    if (!c.pointer)
        c.pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(c.pointerManager, c.seat);
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
    if (!connection_ || !connection_->capture(request.pointer, std::max(request.radius, 0)))
        return answerLater();
    watchdog_->start();
    flush();
}

void WaylandScreenSampler::startScreens()
{
    job_ = Job::Screens;
    if (!connection_ || !connection_->captureScreens())
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
    if (job == Job::Square) {
        if (connection_)
            connection_->compose(image_);
        latest_ = image_;
    }
    QList<ScreenPicture> pictures;
    if (connection_ && job == Job::Screens)
        pictures = connection_->pictures();
    if (connection_) {
        connection_->frames.clear();
        flush();
    }
    if (job == Job::Square)
        emit grabbed(current_.pointer, image_);
    else if (job == Job::Screens)
        emit screensGrabbed(pictures);
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
    if (job_ != Job::None && connection_->allDone())
        finish();
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
        connection_->frames.clear();
    connection_.reset();
    if (job_ != Job::None)
        answerLater();
}
