#include "platform/x11/X11TickPresenter.h"

#include <QWidget>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include "ui/Widgets.h"

#include <X11/Xlib.h> // last: its macros clash with Qt's names

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

const char* X11TickPresenter::DisplayName(void* display)
{
    return DisplayString(static_cast<Display*>(display));
}

std::unique_ptr<X11TickPresenter> X11TickPresenter::create(const TickWidgets& widgets, const char* displayName)
{
    QWidget* top = widgets.magnifier->window();
    if (top->devicePixelRatioF() != 1.0)
        return nullptr;
    xcb_connection_t* connection = xcb_connect(displayName, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<X11TickPresenter> presenter(new X11TickPresenter(widgets, connection));
    if (!presenter->attachMemory() || !presenter->createWindows())
        return nullptr;
    return presenter;
}

X11TickPresenter::X11TickPresenter(const TickWidgets& widgets, xcb_connection_t* connection)
    : widgets_(widgets), compositor_(widgets), connection_(connection)
{
    windows_[Magnifier].widget = widgets.magnifier;
    windows_[Magnifier].within = QRect(QPoint(), compositor_.magnifierSize());
    windows_[Swatch].widget = widgets.swatch;
    windows_[Swatch].within = QRect(QPoint(), compositor_.swatchSize());
    windows_[Position].widget = widgets.statusBar;
    windows_[Position].within = widgets.statusBar->PanelRect(widgets.positionPanel);
}

X11TickPresenter::~X11TickPresenter()
{
    notifier_.reset();
    if (!xcb_connection_has_error(connection_)) {
        for (const Window& w : windows_)
            if (w.id)
                xcb_destroy_window(connection_, w.id);
        if (segment_)
            xcb_shm_detach(connection_, segment_);
        xcb_flush(connection_);
    }
    if (memory_)
        shmdt(memory_);
    xcb_disconnect(connection_);
}

bool X11TickPresenter::attachMemory()
{
    Reply<xcb_shm_query_version_reply_t> version(
        xcb_shm_query_version_reply(connection_, xcb_shm_query_version(connection_), nullptr));
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_shm_id);
    if (!version || !extension || !extension->present)
        return false;
    completionEvent_ = std::uint8_t(extension->first_event + XCB_SHM_COMPLETION);
    for (Window& w : windows_) {
        w.offset = memorySize_;
        memorySize_ += std::size_t(w.within.width()) * std::size_t(w.within.height()) * 4;
    }
    const int id = shmget(IPC_PRIVATE, memorySize_, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    memory_ = shmat(id, nullptr, 0);
    if (memory_ == reinterpret_cast<void*>(-1)) {
        memory_ = nullptr;
        shmctl(id, IPC_RMID, nullptr);
        return false;
    }
    segment_ = xcb_generate_id(connection_);
    Reply<xcb_generic_error_t> error(
        xcb_request_check(connection_, xcb_shm_attach_checked(connection_, segment_, std::uint32_t(id), 1)));
    // Attached (or not), the segment goes when the last user detaches.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        segment_ = 0;
        return false;
    }
    for (Window& w : windows_) {
        w.pixels = QImage(static_cast<uchar*>(memory_) + w.offset, w.within.width(), w.within.height(),
                          w.within.width() * 4, QImage::Format_RGB32);
        w.pixels.fill(Qt::white);
    }
    return true;
}

bool X11TickPresenter::createWindows()
{
    parent_ = std::uint32_t(widgets_.magnifier->window()->winId());
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, parent_), nullptr));
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, parent_), nullptr));
    if (!attributes || !geometry || !MatchesRgb32(connection_, geometry->depth, attributes->visual))
        return false;
    depth_ = geometry->depth;
    for (Window& w : windows_) {
        w.id = xcb_generate_id(connection_);
        // No background: the server never clears them; exposed, they are put again.
        const std::uint32_t values[] = {XCB_BACK_PIXMAP_NONE, XCB_EVENT_MASK_EXPOSURE};
        xcb_create_window(connection_, depth_, w.id, parent_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          attributes->visual, XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
    }
    gc_ = xcb_generate_id(connection_);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection_, gc_, windows_[0].id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &X11TickPresenter::readEvents);
    xcb_flush(connection_);
    return !xcb_connection_has_error(connection_);
}

// Over its widget's area, while the widget shows.
void X11TickPresenter::place(Window& w)
{
    QWidget* top = w.widget->window();
    const bool visible = w.widget->isVisible();
    if (visible) {
        const QRect placed = w.within.translated(w.widget->mapTo(top, QPoint()));
        if (placed != w.placed) {
            const std::uint32_t values[] = {std::uint32_t(placed.x()), std::uint32_t(placed.y()),
                                            std::uint32_t(placed.width()), std::uint32_t(placed.height())};
            xcb_configure_window(connection_, w.id,
                                 XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH
                                     | XCB_CONFIG_WINDOW_HEIGHT,
                                 values);
            w.placed = placed;
        }
    }
    if (visible != w.mapped) {
        if (visible)
            xcb_map_window(connection_, w.id);
        else
            xcb_unmap_window(connection_, w.id);
        w.mapped = visible;
    }
}

void X11TickPresenter::show(const TickFrame& frame)
{
    if (xcb_connection_has_error(connection_))
        return;
    waitForServer();
    if (frame.magnifier) {
        compositor_.drawMagnifier(windows_[Magnifier].pixels, *frame.magnifier);
        windows_[Magnifier].needsPut = true;
    }
    if (shownColor_ != frame.color || shownCodeColor_ != frame.codeColor || shownCode_ != frame.code) {
        compositor_.drawSwatch(windows_[Swatch].pixels, frame.color, frame.code, frame.codeColor);
        shownColor_ = frame.color, shownCodeColor_ = frame.codeColor, shownCode_ = frame.code;
        windows_[Swatch].needsPut = true;
    }
    if (shownPosition_ != frame.position || !windows_[Position].mapped) {
        compositor_.drawPosition(windows_[Position].pixels, frame.position);
        shownPosition_ = frame.position;
        windows_[Position].needsPut = true;
    }
    for (Window& w : windows_)
        place(w);
    putMarked();
    // Events read while sending sit in the connection's queue, where the notifier does not see them.
    takeEvents(xcb_poll_for_queued_event);
}

// Every window marked, the last with word back when the server has read it.
void X11TickPresenter::putMarked()
{
    Window* last = nullptr;
    for (Window& w : windows_) {
        if (w.needsPut && w.mapped) {
            if (last)
                put(*last, false);
            last = &w;
        }
        w.needsPut = false;
    }
    if (last) {
        put(*last, true);
        xcb_flush(connection_);
    }
}

void X11TickPresenter::put(const Window& w, bool reportCompletion)
{
    xcb_shm_put_image(connection_, w.id, gc_, std::uint16_t(w.within.width()), std::uint16_t(w.within.height()),
                      0, 0, std::uint16_t(w.within.width()), std::uint16_t(w.within.height()), 0, 0, depth_,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, reportCompletion ? 1 : 0, segment_, std::uint32_t(w.offset));
    if (reportCompletion)
        putPending_ = true;
}

void X11TickPresenter::readEvents()
{
    takeEvents(xcb_poll_for_event);
}

void X11TickPresenter::takeEvents(xcb_generic_event_t* (*next)(xcb_connection_t*))
{
    while (Reply<xcb_generic_event_t> event{next(connection_)})
        takeEvent(event.get());
    // A lost display ends the program through Qt's own connection; until then this one rests.
    if (xcb_connection_has_error(connection_)) {
        notifier_->setEnabled(false);
        return;
    }
    putMarked();
}

void X11TickPresenter::takeEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7F;
    if (type == completionEvent_) {
        putPending_ = false;
    } else if (type == XCB_EXPOSE) {
        const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
        for (Window& w : windows_)
            if (w.id == expose->window)
                w.needsPut = true;
    }
}

// The server reads the shared memory when it gets to the put: the pixels
// may change only after it has.
void X11TickPresenter::waitForServer()
{
    while (putPending_) {
        Reply<xcb_generic_event_t> event{xcb_wait_for_event(connection_)};
        if (!event)
            return; // the connection is gone
        takeEvent(event.get());
    }
}
