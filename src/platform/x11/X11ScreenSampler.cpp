#include "platform/x11/X11ScreenSampler.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

bool RootMatchesRgb32(xcb_connection_t* connection, const xcb_screen_t* screen)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool wordPixels = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == screen->root_depth)
            wordPixels = it.data->bits_per_pixel == 32;
    if (!wordPixels || (screen->root_depth != 24 && screen->root_depth != 32))
        return false;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual)
                return v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00
                       && v.data->blue_mask == 0xFF;
    return false;
}

} // namespace

X11ScreenSampler::X11ScreenSampler()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    connection_ = x11 ? x11->connection() : nullptr;
    if (!connection_)
        return;
    // Qt's screens all lie on the first X screen's root window (one virtual desktop).
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    if (!screen)
        return;
    root_ = screen->root;
    rootMatchesImage_ = RootMatchesRgb32(connection_, screen);
}

QPoint X11ScreenSampler::CursorPos()
{
    return QCursor::pos();
}

void X11ScreenSampler::ReadScreens()
{
    screens_.clear();
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        const QRect g = screen->geometry();
        screens_.push_back({{g.x(), g.y(), g.width(), g.height()}, screen->devicePixelRatio()});
    }
}

void X11ScreenSampler::Grab(const QRect& source, QImage& out)
{
    if (out.size() != source.size() || out.format() != QImage::Format_RGB32)
        out = QImage(source.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    if (source.isEmpty())
        return;
    ReadScreens();
    const PixelRect device =
        DeviceRectAround(screens_, {source.x(), source.y(), source.width(), source.height()});
    SplitByScreens(screens_, device, pieces_);
    for (const GrabPiece& piece : pieces_)
        ReadPiece(piece, out);
}

void X11ScreenSampler::ReadPiece(const GrabPiece& piece, QImage& out)
{
    const PixelRect& r = piece.source;
    if (connection_ && rootMatchesImage_ && r.x >= -32768 && r.y >= -32768 && r.x <= 32767
        && r.y <= 32767 && r.width <= 65535 && r.height <= 65535) {
        const auto cookie = xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_,
                                          std::int16_t(r.x), std::int16_t(r.y),
                                          std::uint16_t(r.width), std::uint16_t(r.height), ~0u);
        XcbReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(connection_, cookie, nullptr));
        if (!reply)
            return; // this part stays white; the others may still be readable
        const int length = xcb_get_image_data_length(reply.get());
        const std::size_t rowBytes = std::size_t(r.width) * 4;
        if (length < 0 || std::size_t(length) < rowBytes * std::size_t(r.height))
            return;
        const std::uint8_t* data = xcb_get_image_data(reply.get());
        for (int y = 0; y < r.height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(piece.target.y + y)) + piece.target.x;
            std::memcpy(line, data + std::size_t(y) * rowBytes, rowBytes);
            for (int x = 0; x < r.width; ++x)
                line[x] |= 0xFF000000u;
        }
        return;
    }
    // An unusual root visual: let Qt convert the pixels (logical coordinates).
    QScreen* screen = QGuiApplication::screenAt(QPoint(r.x, r.y));
    if (!screen)
        return;
    const QRect g = screen->geometry();
    const QImage part = screen->grabWindow(0, r.x - g.x(), r.y - g.y(), r.width, r.height)
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < r.height && y < part.height(); ++y) {
        const int n = std::min(r.width, part.width());
        std::memcpy(reinterpret_cast<QRgb*>(out.scanLine(piece.target.y + y)) + piece.target.x,
                    part.constScanLine(y), std::size_t(n) * 4);
    }
}
