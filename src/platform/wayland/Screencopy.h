#pragma once
// The screen copies of one request through zwlr_screencopy_manager_v1: the
// parts of a square around the pointer on each output it touches, or every
// output whole. The frames' callbacks only record what arrives; the owner
// reads the result once libwayland has returned and allDone() holds.
#include <QImage>
#include <QList>
#include <memory>
#include <vector>

#include "platform/AsyncScreenSampler.h"
#include "core/platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"
#include "platform/wayland/ShmPool.h"

class WaylandRegistry;
struct zwlr_screencopy_frame_v1;
struct zwlr_screencopy_frame_v1_listener;

class ScreenCopies {
public:
    explicit ScreenCopies(WaylandRegistry& registry);
    ~ScreenCopies();
    ScreenCopies(const ScreenCopies&) = delete;
    ScreenCopies& operator=(const ScreenCopies&) = delete;

    // Starts copying every part of the square around the pointer that lies
    // on an output; false when none does.
    bool captureSquare(const ScreenPointer& pointer, int radius);
    // Starts copying every output whole; false without outputs.
    bool captureScreens();
    bool allDone() const;
    // Forgets the frames of the request (the square's buffers are kept for the next).
    void clear();

    // Copies the square's parts that arrived into the image (white elsewhere).
    void compose(QImage& image) const;
    // The whole outputs copied, freeing their buffers.
    QList<ScreenPicture> pictures();

private:
    struct Frame;
    using Pool = std::vector<std::unique_ptr<ShmBuffer>>;

    Frame& add(Pool& pool);
    void copy(Frame& f);

    static void frameBuffer(void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
                            std::uint32_t height, std::uint32_t stride);
    static void frameFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags);
    static void frameReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t);
    static void frameFailed(void* data, zwlr_screencopy_frame_v1*);
    static void frameBufferDone(void* data, zwlr_screencopy_frame_v1*);
    static const zwlr_screencopy_frame_v1_listener kFrameListener;

    WaylandRegistry& registry_;
    std::vector<std::unique_ptr<Frame>> frames_;
    Pool buffers_;       // one per frame slot, kept between requests
    Pool screenBuffers_; // whole outputs, freed after each copy
    std::vector<GrabPiece> pieces_;
};
