#include "platform/x11/X11ScreenSampler.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ShmSegment.h"

#include <X11/Xlib.h> // last: its macros clash with Qt's names

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

// The pixel layout of the screen's root window; not valid for visuals that
// look colours up in a colour map (8-bit screens, where Qt 6 draws nothing
// either): those read as white.
TrueColorLayout RootLayout(const xcb_setup_t* setup, const xcb_screen_t* screen, int& bitsPerPixel,
                           int& scanlinePad)
{
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == screen->root_depth) {
            bitsPerPixel = it.data->bits_per_pixel;
            scanlinePad = it.data->scanline_pad;
        }
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            const xcb_visualtype_t* visual = v.data;
            if (visual->visual_id != screen->root_visual)
                continue;
            if (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR
                && visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
                return {};
            return TrueColorLayout(bitsPerPixel, setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST,
                                   visual->red_mask, visual->green_mask, visual->blue_mask);
        }
    return {};
}

bool SamePieces(const std::vector<GrabPiece>& a, const std::vector<GrabPiece>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const GrabPiece& p, const GrabPiece& q) {
        return p.screen == q.screen && p.source == q.source && p.target == q.target;
    });
}

// Room for the squares of the magnifier, split over a few monitors.
constexpr std::size_t kSharedBytes = 64 * 1024;

} // namespace

int X11ScreenSampler::ScreenNumber(void* display)
{
    return display ? DefaultScreen(static_cast<Display*>(display)) : 0;
}

X11ScreenSampler::X11ScreenSampler(xcb_connection_t* connection, int programScreen)
    : connection_(connection)
{
    if (!connection_)
        return;
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    for (auto it = xcb_setup_roots_iterator(setup); it.rem; xcb_screen_next(&it)) {
        Desktop desktop;
        desktop.root = it.data->root;
        desktop.bounds = {0, 0, it.data->width_in_pixels, it.data->height_in_pixels};
        desktop.layout = RootLayout(setup, it.data, desktop.bitsPerPixel, desktop.scanlinePad);
        desktops_.push_back(desktop);
    }
    if (programScreen >= 0 && programScreen < int(desktops_.size()))
        programDesktop_ = programScreen;
    WatchScreens();
}

X11ScreenSampler::X11ScreenSampler(std::shared_ptr<X11Connection> connection, int programScreen)
    : X11ScreenSampler(connection ? connection->get() : nullptr, programScreen)
{
    own_ = std::move(connection);
    if (own_ && own_->hasShm()) {
        shared_ = std::make_unique<X11ShmSegment>(connection_, kSharedBytes);
        if (!shared_->valid())
            shared_.reset();
    }
}

X11ScreenSampler::~X11ScreenSampler()
{
    DiscardReads();
}

void X11ScreenSampler::WatchScreens()
{
    if (!qGuiApp)
        return;
    screenWatch_ = std::make_unique<QObject>();
    const auto watch = [this](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, screenWatch_.get(), [this] { CopyScreens(); });
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, screenWatch_.get(), [this, watch](QScreen* screen) {
        watch(screen);
        CopyScreens();
    });
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, screenWatch_.get(), [this] { CopyScreens(); });
    QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, screenWatch_.get(), [this] { CopyScreens(); });
    CopyScreens();
}

void X11ScreenSampler::CopyScreens()
{
    std::vector<ScreenArea> copied;
    // Qt lists the screens of every X screen, each in its own root's coordinates.
    const QList<QScreen*> screens = desktops_.size() > 1 && QGuiApplication::primaryScreen()
                                        ? QGuiApplication::primaryScreen()->virtualSiblings()
                                        : QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        const QRect g = screen->geometry();
        copied.push_back(ScreenArea::Scaled({g.x(), g.y(), g.width(), g.height()}, screen->devicePixelRatio()));
    }
    const std::lock_guard lock(qtScreensMutex_);
    qtScreens_ = std::move(copied);
}

void X11ScreenSampler::ReadScreens()
{
    {
        const std::lock_guard lock(qtScreensMutex_);
        screens_.assign(qtScreens_.begin(), qtScreens_.end());
    }
    Desktop& desktop = desktops_[programDesktop_];
    // The root follows the monitors (RandR); read its size again when they change.
    if (screens_ != knownLayout_) {
        knownLayout_ = screens_;
        XcbReply<xcb_get_geometry_reply_t> root(xcb_get_geometry_reply(
            connection_, xcb_get_geometry(connection_, desktop.root), nullptr));
        if (root)
            desktop.bounds = {0, 0, root->width, root->height};
    }
    // A screen scaled by a fraction may claim a device pixel more than the
    // root has, and reading outside the root fails as a whole.
    for (ScreenArea& screen : screens_)
        screen.device = Intersect(screen.device, desktop.bounds);
    if (screens_.empty())
        screens_.push_back(ScreenArea::Scaled(desktop.bounds, 1.0));
}

ScreenPointer X11ScreenSampler::Pointer()
{
    ScreenPointer pointer;
    pointer.desktop = programDesktop_;
    if (desktops_.empty())
        return pointer;
    DiscardReads();
    // One request tells the root the pointer is on and its place there, wherever it is.
    const auto cookie = xcb_query_pointer(connection_, desktops_[programDesktop_].root);
    // At rest the next square is most likely the last one: asked for now, it
    // comes back with the pointer's reply.
    if (resting_ && own_)
        SendReads(lastDesktop_, lastPieces_);
    XcbReply<xcb_query_pointer_reply_t> reply(xcb_query_pointer_reply(connection_, cookie, nullptr));
    if (own_)
        own_->noteReply(cookie.sequence);
    if (!reply)
        return pointer;
    for (std::size_t i = 0; i < desktops_.size(); ++i)
        if (desktops_[i].root == reply->root)
            pointer.desktop = int(i);
    pointer.onProgramDesktop = pointer.desktop == programDesktop_;
    pointer.device = {reply->root_x, reply->root_y};
    ReadScreens();
    const int index = ScreenIndexAtDevice(screens_, pointer.device);
    const PixelPoint logical = index < 0 ? pointer.device : ToLogicalPixel(screens_[index], pointer.device);
    pointer.pos = QPoint(logical.x, logical.y);
    return pointer;
}

void X11ScreenSampler::GrabAround(const ScreenPointer& pointer, int radius, QImage& out)
{
    const QSize size(2 * radius + 1, 2 * radius + 1);
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    if (pointer.desktop < 0 || pointer.desktop >= int(desktops_.size())) {
        DiscardReads();
        return;
    }
    const Desktop& desktop = desktops_[pointer.desktop];
    const PixelRect square = SquareAround(pointer.device, radius);
    if (pointer.desktop == programDesktop_) {
        ReadScreens();
        SplitByScreens(screens_, square, pieces_);
    } else {
        // Qt tells nothing of the monitors of other X screens: read their whole root.
        const ScreenArea root{desktop.bounds, 1.0, desktop.bounds};
        SplitByScreens({&root, 1}, square, pieces_);
    }
    if (readsDesktop_ != pointer.desktop || !SamePieces(pieces_, lastPieces_))
        DiscardReads();
    if (reads_.empty())
        SendReads(pointer.desktop, pieces_);
    for (const Read& read : reads_)
        TakeRead(desktop, read, out);
    if (own_ && !reads_.empty())
        own_->noteReply(reads_.back().sequence);
    reads_.clear();

    resting_ = pointer.desktop == lastDesktop_ && pointer.device == lastDevice_ && radius == lastRadius_;
    lastDesktop_ = pointer.desktop;
    lastDevice_ = pointer.device;
    lastRadius_ = radius;
    lastPieces_ = pieces_;
}

std::size_t X11ScreenSampler::RowBytes(const Desktop& desktop, int width) const
{
    // Rows are padded to the format's scanline pad.
    const std::size_t pad = std::size_t(std::max(desktop.scanlinePad, 8));
    return (std::size_t(width) * std::size_t(desktop.bitsPerPixel) + pad - 1) / pad * pad / 8;
}

void X11ScreenSampler::SendReads(int desktopIndex, const std::vector<GrabPiece>& pieces)
{
    if (desktopIndex < 0 || desktopIndex >= int(desktops_.size()))
        return;
    const Desktop& desktop = desktops_[desktopIndex];
    readsDesktop_ = desktopIndex;
    std::size_t offset = 0;
    for (const GrabPiece& piece : pieces) {
        const PixelRect& r = piece.source;
        if (!desktop.layout.Valid() || r.x < -32768 || r.y < -32768 || r.x > 32767 || r.y > 32767
            || r.width > 65535 || r.height > 65535)
            continue;
        Read read;
        read.piece = piece;
        const std::size_t bytes = RowBytes(desktop, r.width) * std::size_t(r.height);
        if (shared_ && offset + bytes <= shared_->size()) {
            read.shared = true;
            read.offset = offset;
            offset += bytes;
            read.sequence = xcb_shm_get_image(connection_, desktop.root, std::int16_t(r.x), std::int16_t(r.y),
                                              std::uint16_t(r.width), std::uint16_t(r.height), ~0u,
                                              XCB_IMAGE_FORMAT_Z_PIXMAP, shared_->id(), std::uint32_t(read.offset))
                                .sequence;
        } else {
            read.sequence = xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, desktop.root, std::int16_t(r.x),
                                          std::int16_t(r.y), std::uint16_t(r.width), std::uint16_t(r.height), ~0u)
                                .sequence;
        }
        reads_.push_back(read);
    }
    xcb_flush(connection_);
}

void X11ScreenSampler::DiscardReads()
{
    for (const Read& read : reads_)
        xcb_discard_reply(connection_, read.sequence);
    reads_.clear();
}

void X11ScreenSampler::TakeRead(const Desktop& desktop, const Read& read, QImage& out)
{
    const PixelRect& r = read.piece.source;
    const std::size_t rowBytes = RowBytes(desktop, r.width);
    const std::uint8_t* data = nullptr;
    XcbReply<xcb_get_image_reply_t> plain;
    if (read.shared) {
        XcbReply<xcb_shm_get_image_reply_t> reply(
            xcb_shm_get_image_reply(connection_, xcb_shm_get_image_cookie_t{read.sequence}, nullptr));
        if (!reply || reply->size < rowBytes * std::size_t(r.height))
            return; // this part stays white; the others may still be readable
        data = shared_->data() + read.offset;
    } else {
        plain.reset(xcb_get_image_reply(connection_, xcb_get_image_cookie_t{read.sequence}, nullptr));
        if (!plain)
            return;
        const int length = xcb_get_image_data_length(plain.get());
        if (length < 0 || std::size_t(length) < rowBytes * std::size_t(r.height))
            return;
        data = xcb_get_image_data(plain.get());
    }
    for (int y = 0; y < r.height; ++y)
        desktop.layout.ToRgb32(data + std::size_t(y) * rowBytes, r.width,
                               reinterpret_cast<std::uint32_t*>(out.scanLine(read.piece.target.y + y))
                                   + read.piece.target.x);
}
