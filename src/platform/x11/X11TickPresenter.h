#pragma once
// Shows the tick on X11 without Qt's repaint: the magnifier, the swatch and
// the position panel each get a child window of the main window's own, on a
// connection of the presenter's own, and their pixels go to them through the
// X server's shared memory. Qt's painting of the window beneath is clipped
// by those windows, so nothing else repaints on a tick.
#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

#include "ui/TickCompositor.h"
#include "ui/TickPresenter.h"

class QWidget;

class X11TickPresenter : public QObject, public TickPresenter {
    Q_OBJECT
public:
    // Null where the display lacks what it needs: shared memory the server
    // can attach, a 24-bit true-colour window, one device pixel per pixel.
    static std::unique_ptr<X11TickPresenter> create(const TickWidgets& widgets, const char* displayName);
    // The name an Xlib display was opened with.
    static const char* DisplayName(void* display);
    ~X11TickPresenter() override;

    void show(const TickFrame& frame) override;

private:
    enum Area { Magnifier, Swatch, Position, AreaCount };
    struct Window {
        std::uint32_t id = 0;
        QWidget* widget = nullptr;
        QRect within; // of the widget, in its coordinates
        QRect placed; // in the top-level window, as last configured
        bool mapped = false;
        std::size_t offset = 0; // of its pixels in the shared memory
        QImage pixels;
        bool needsPut = false;
    };

    X11TickPresenter(const TickWidgets& widgets, xcb_connection_t* connection);
    bool attachMemory();
    bool createWindows();
    void place(Window& window);
    void put(const Window& window, bool reportCompletion);
    void putMarked();
    void readEvents();
    void takeEvents(xcb_generic_event_t* (*next)(xcb_connection_t*));
    void takeEvent(const xcb_generic_event_t* event);
    void waitForServer();

    TickWidgets widgets_;
    TickCompositor compositor_;
    xcb_connection_t* connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::uint32_t parent_ = 0;
    std::uint32_t gc_ = 0;
    std::uint8_t depth_ = 0;
    std::uint32_t segment_ = 0;
    std::uint8_t completionEvent_ = 0;
    void* memory_ = nullptr;
    std::size_t memorySize_ = 0;
    bool putPending_ = false;
    std::array<Window, AreaCount> windows_;
    std::optional<TColor> shownColor_, shownCodeColor_;
    QString shownCode_;
    QString shownPosition_;
};
