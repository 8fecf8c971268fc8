#include "platform/wayland/Screencopy.h"

#include <algorithm>
#include <wayland-client.h>

#include "platform/wayland/Registry.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

struct ScreenCopies::Frame {
    ScreenCopies* owner = nullptr;
    zwlr_screencopy_frame_v1* handle = nullptr;
    Pool* pool = nullptr;
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

namespace {

void FrameDamage(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void FrameDmabuf(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {}

// Row y of the picture the buffer holds, upright.
const std::uint32_t* Row(const ShmBuffer& b, bool yInverted, int y)
{
    return b.row(yInverted ? b.height() - 1 - y : y);
}

} // namespace

const zwlr_screencopy_frame_v1_listener ScreenCopies::kFrameListener = {
    frameBuffer, frameFlags, frameReady, frameFailed, FrameDamage, FrameDmabuf, frameBufferDone};

ScreenCopies::ScreenCopies(WaylandRegistry& registry) : registry_(registry) {}

ScreenCopies::~ScreenCopies() = default;

bool ScreenCopies::allDone() const
{
    return std::all_of(frames_.begin(), frames_.end(), [](const auto& f) { return f->done; });
}

void ScreenCopies::clear() { frames_.clear(); }

bool ScreenCopies::captureSquare(const ScreenPointer& pointer, int radius)
{
    frames_.clear();
    const std::vector<ScreenArea> areas = registry_.screens();
    SplitAcrossOutputs(areas, pointer.desktop, SquareAround(pointer.device, radius), pieces_);
    for (const GrabPiece& piece : pieces_) {
        const OutputRegion region = OutputRegionFor(areas[std::size_t(piece.screen)], piece.source);
        if (region.logical.Empty())
            continue;
        Frame& frame = add(buffers_);
        frame.piece = piece;
        frame.offset = region.offset;
        // The pointer stays out of the copy.
        frame.handle = zwlr_screencopy_manager_v1_capture_output_region(
            registry_.screencopy, 0, registry_.outputs[std::size_t(piece.screen)]->output, region.logical.x,
            region.logical.y, region.logical.width, region.logical.height);
        zwlr_screencopy_frame_v1_add_listener(frame.handle, &kFrameListener, &frame);
    }
    return !frames_.empty();
}

bool ScreenCopies::captureScreens()
{
    frames_.clear();
    for (const auto& o : registry_.outputs) {
        if (o->logical.Empty())
            continue;
        Frame& frame = add(screenBuffers_);
        frame.geometry = o->logical;
        frame.handle = zwlr_screencopy_manager_v1_capture_output(registry_.screencopy, 0, o->output);
        zwlr_screencopy_frame_v1_add_listener(frame.handle, &kFrameListener, &frame);
    }
    return !frames_.empty();
}

ScreenCopies::Frame& ScreenCopies::add(Pool& pool)
{
    auto frame = std::make_unique<Frame>();
    frame->owner = this;
    frame->pool = &pool;
    frame->slot = frames_.size();
    frames_.push_back(std::move(frame));
    return *frames_.back();
}

QList<ScreenPicture> ScreenCopies::pictures()
{
    QList<ScreenPicture> result;
    for (const auto& f : frames_) {
        if (!f->copied || f->slot >= screenBuffers_.size())
            continue;
        const ShmBuffer& b = *screenBuffers_[f->slot];
        QImage image(b.width(), b.height(), QImage::Format_RGB32);
        for (int y = 0; y < b.height(); ++y)
            ConvertShmRow(b.format(), Row(b, f->yInverted, y), b.width(),
                          reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
        const PixelRect& g = f->geometry;
        result.append({QRect(g.x, g.y, g.width, g.height), std::move(image)});
    }
    frames_.clear();
    screenBuffers_.clear();
    return result;
}

void ScreenCopies::compose(QImage& image) const
{
    for (const auto& f : frames_) {
        if (!f->copied || f->slot >= buffers_.size())
            continue;
        const ShmBuffer& b = *buffers_[f->slot];
        const PixelRect& r = f->piece.source;
        const int rows = std::min(r.height, b.height() - f->offset.y);
        const int columns = std::min(r.width, b.width() - f->offset.x);
        for (int y = 0; y < rows; ++y)
            ConvertShmRow(b.format(), Row(b, f->yInverted, f->offset.y + y) + f->offset.x, columns,
                          reinterpret_cast<std::uint32_t*>(image.scanLine(f->piece.target.y + y))
                              + f->piece.target.x);
    }
}

void ScreenCopies::copy(Frame& f)
{
    if (!f.formatChosen) {
        f.done = true;
        return;
    }
    Pool& pool = *f.pool;
    if (pool.size() <= f.slot)
        pool.resize(f.slot + 1);
    auto& buffer = pool[f.slot];
    if (!buffer)
        buffer = std::make_unique<ShmBuffer>();
    if (!buffer->fits(f.format, f.width, f.height, f.stride)
        && !buffer->create(registry_.shm, f.format, f.width, f.height, f.stride)) {
        f.done = true;
        return;
    }
    zwlr_screencopy_frame_v1_copy(f.handle, buffer->handle());
}

void ScreenCopies::frameBuffer(void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
                               std::uint32_t height, std::uint32_t stride)
{
    auto* f = static_cast<Frame*>(data);
    if (f->formatChosen || !IsSupportedShmFormat(format) || width > 16384 || height > 16384 || stride > 65536
        || stride < width * 4)
        return;
    f->formatChosen = true;
    f->format = format;
    f->width = int(width);
    f->height = int(height);
    f->stride = int(stride);
    // Before version 3 the buffer events end with the last one sent: copy now.
    if (f->owner->registry_.screencopyVersion < 3)
        f->owner->copy(*f);
}

void ScreenCopies::frameFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags)
{
    static_cast<Frame*>(data)->yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}

void ScreenCopies::frameReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t)
{
    static_cast<Frame*>(data)->copied = true;
    static_cast<Frame*>(data)->done = true;
}

void ScreenCopies::frameFailed(void* data, zwlr_screencopy_frame_v1*) { static_cast<Frame*>(data)->done = true; }

void ScreenCopies::frameBufferDone(void* data, zwlr_screencopy_frame_v1*)
{
    auto* f = static_cast<Frame*>(data);
    f->owner->copy(*f);
}
