#include "capture/x11/X11TickPresenter.h"

#include <QWidget>
#include <cstdlib>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ShmSegment.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"

namespace {

template <typename T>
struct FreeReply {
    void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply<T>>;

// Pixels of 32 bits, blue in the lowest byte: QImage's RGB32 as it lies in memory.
bool MatchesRgb32(xcb_connection_t* connection, std::uint8_t depth, xcb_visualid_t visual)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || depth != 24)
        return false;
    bool formatFits = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
            formatFits = it.data->bits_per_pixel == 32;
    if (!formatFits)
        return false;
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen))
        for (auto d = xcb_screen_allowed_depths_iterator(screen.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000
                           && v.data->green_mask == 0xFF00 && v.data->blue_mask == 0xFF;
    return false;
}

} // namespace

std::unique_ptr<X11TickPresenter> X11TickPresenter::create(const TickWidgets& widgets,
                                                           std::shared_ptr<X11Connection> connection)
{
    if (!connection || !connection->hasShm() || xcb_connection_has_error(connection->get()))
        return nullptr;
    if (widgets.magnifier->window()->devicePixelRatioF() != 1.0)
        return nullptr;
    std::unique_ptr<X11TickPresenter> presenter(new X11TickPresenter(widgets, std::move(connection)));
    if (!presenter->attachMemory() || !presenter->createWindows())
        return nullptr;
    presenter->place();
    return presenter;
}

X11TickPresenter::X11TickPresenter(const TickWidgets& widgets, std::shared_ptr<X11Connection> connection)
    : widgets_(widgets), compositor_(widgets), connection_(std::move(connection)), c_(connection_->get()),
      ticks_(connection_)
{
    windows_[Magnifier].widget = widgets.magnifier;
    windows_[Magnifier].within = QRect(QPoint(), compositor_.magnifierSize());
    windows_[Swatch].widget = widgets.swatch;
    windows_[Swatch].within = QRect(QPoint(), compositor_.swatchSize());
    windows_[Position].widget = widgets.statusBar;
    windows_[Position].within = TickCompositor::panelArea(widgets.statusBar, widgets.positionPanel);
    if (compositor_.hasContrast()) {
        windows_[Contrast].widget = widgets.statusBar;
        windows_[Contrast].within = TickCompositor::panelArea(widgets.statusBar, widgets.contrastPanel);
    }
    if (compositor_.hasName()) {
        windows_[Name].widget = widgets.statusBar;
        windows_[Name].within = TickCompositor::panelArea(widgets.statusBar, widgets.namePanel);
    }
}

X11TickPresenter::~X11TickPresenter()
{
    ticks_.stop();
    for (const Window& w : windows_)
        if (w.id) {
            connection_->forget(w.id);
            xcb_destroy_window(c_, w.id);
        }
    if (gc_)
        xcb_free_gc(c_, gc_);
    // The server may still read the memory for a put; the segment goes after these requests.
    memory_.reset();
    xcb_flush(c_);
}

bool X11TickPresenter::attachMemory()
{
    std::size_t size = 0;
    for (Window& w : windows_) {
        w.offset = size;
        size += std::size_t(w.within.width()) * std::size_t(w.within.height()) * 4;
    }
    memory_ = std::make_unique<X11ShmSegment>(c_, size);
    if (!memory_->valid())
        return false;
    for (Window& w : windows_) {
        if (w.within.isEmpty())
            continue;
        w.pixels = QImage(memory_->data() + w.offset, w.within.width(), w.within.height(), w.within.width() * 4,
                          QImage::Format_RGB32);
        w.pixels.fill(Qt::white);
    }
    // The panels show their frames from the start; their text comes with the first frame.
    compositor_.drawPosition(windows_[Position].pixels, QString());
    if (compositor_.hasContrast())
        compositor_.drawContrast(windows_[Contrast].pixels, QString());
    if (compositor_.hasName())
        compositor_.drawName(windows_[Name].pixels, QString());
    return true;
}

bool X11TickPresenter::createWindows()
{
    parent_ = std::uint32_t(widgets_.magnifier->window()->winId());
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, parent_), nullptr));
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, parent_), nullptr));
    if (!attributes || !geometry || !MatchesRgb32(c_, geometry->depth, attributes->visual))
        return false;
    depth_ = geometry->depth;
    for (Window& w : windows_) {
        if (!w.widget)
            continue;
        w.id = xcb_generate_id(c_);
        // No background: the server never clears them; exposed, they are put again.
        const std::uint32_t values[] = {XCB_BACK_PIXMAP_NONE, XCB_EVENT_MASK_EXPOSURE};
        xcb_create_window(c_, depth_, w.id, parent_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          attributes->visual, XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
        connection_->watch(w.id, [this](const xcb_generic_event_t& event) { takeEvent(event); });
    }
    gc_ = xcb_generate_id(c_);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c_, gc_, windows_[0].id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    xcb_flush(c_);
    return !xcb_connection_has_error(c_);
}

void X11TickPresenter::place()
{
    const std::lock_guard lock(mutex_);
    if (xcb_connection_has_error(c_))
        return;
    for (Window& w : windows_)
        if (w.widget)
            placeWindow(w);
    putMarked();
}

// Over its widget's area, while the widget shows.
void X11TickPresenter::placeWindow(Window& w)
{
    QWidget* top = w.widget->window();
    const bool visible = w.widget->isVisible();
    if (visible) {
        const QRect placed = w.within.translated(w.widget->mapTo(top, QPoint()));
        if (placed != w.placed) {
            const std::uint32_t values[] = {std::uint32_t(placed.x()), std::uint32_t(placed.y()),
                                            std::uint32_t(placed.width()), std::uint32_t(placed.height())};
            xcb_configure_window(c_, w.id,
                                 XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH
                                     | XCB_CONFIG_WINDOW_HEIGHT,
                                 values);
            w.placed = placed;
        }
    }
    if (visible != w.mapped) {
        if (visible)
            xcb_map_window(c_, w.id);
        else
            xcb_unmap_window(c_, w.id);
        w.mapped = visible;
        w.needsPut = visible;
    }
}

void X11TickPresenter::show(const TickFrame& frame)
{
    const std::lock_guard lock(mutex_);
    if (xcb_connection_has_error(c_))
        return;
    const bool swatchChanged = shownColor_ != frame.color || shownCodeColor_ != frame.codeColor
                               || shownCode_ != frame.code;
    const bool positionChanged = shownPosition_ != frame.position;
    const bool contrastChanged = frame.contrast && compositor_.hasContrast() && shownContrast_ != *frame.contrast;
    const bool nameChanged = frame.name && compositor_.hasName() && shownName_ != *frame.name;
    if (!frame.magnifier && !swatchChanged && !positionChanged && !contrastChanged && !nameChanged)
        return;
    connection_->awaitPuts();
    if (frame.magnifier) {
        compositor_.drawMagnifier(windows_[Magnifier].pixels, *frame.magnifier);
        windows_[Magnifier].needsPut = true;
    }
    if (swatchChanged) {
        compositor_.drawSwatch(windows_[Swatch].pixels, frame.color, frame.code, frame.codeColor);
        shownColor_ = frame.color, shownCodeColor_ = frame.codeColor, shownCode_ = frame.code;
        windows_[Swatch].needsPut = true;
    }
    if (positionChanged) {
        compositor_.drawPosition(windows_[Position].pixels, frame.position);
        shownPosition_ = frame.position;
        windows_[Position].needsPut = true;
    }
    if (contrastChanged) {
        compositor_.drawContrast(windows_[Contrast].pixels, *frame.contrast);
        shownContrast_ = *frame.contrast;
        windows_[Contrast].needsPut = true;
    }
    if (nameChanged) {
        compositor_.drawName(windows_[Name].pixels, *frame.name);
        shownName_ = *frame.name;
        windows_[Name].needsPut = true;
    }
    putMarked();
}

void X11TickPresenter::putMarked()
{
    bool put = false;
    for (Window& w : windows_) {
        if (w.needsPut && w.mapped) {
            const auto cookie = xcb_shm_put_image(
                c_, w.id, gc_, std::uint16_t(w.within.width()), std::uint16_t(w.within.height()), 0, 0,
                std::uint16_t(w.within.width()), std::uint16_t(w.within.height()), 0, 0, depth_,
                XCB_IMAGE_FORMAT_Z_PIXMAP, 0, memory_->id(), std::uint32_t(w.offset));
            connection_->notePut(cookie.sequence);
            put = true;
        }
        w.needsPut = false;
    }
    if (put)
        xcb_flush(c_);
}

void X11TickPresenter::takeEvent(const xcb_generic_event_t& event)
{
    if ((event.response_type & 0x7F) != XCB_EXPOSE)
        return;
    const std::lock_guard lock(mutex_);
    const auto& expose = reinterpret_cast<const xcb_expose_event_t&>(event);
    for (Window& w : windows_)
        if (w.id == expose.window)
            w.needsPut = true;
    // The last of a series of exposures puts them all.
    if (expose.count == 0)
        putMarked();
}

bool X11TickPresenter::runTicks(std::function<void()> tick, int intervalMs)
{
    // The thread's first tick learns the glyphs the readouts show most, away from the GUI thread.
    auto first = [this, tick = std::move(tick), learnt = false]() mutable {
        if (!learnt) {
            const std::lock_guard lock(mutex_);
            compositor_.learnGlyphs();
            learnt = true;
        }
        tick();
    };
    return ticks_.start(std::move(first), std::chrono::milliseconds(intervalMs));
}

void X11TickPresenter::stopTicks()
{
    ticks_.stop();
}
