#pragma once
// Shows the tick on X11 without Qt's repaint: the magnifier, the swatch and
// the position and contrast panels each get a child window of the main
// window's own, on the screen sampler's connection, and their pixels go to
// them through the X server's shared memory. Qt's painting of the window
// beneath is clipped by those windows, so nothing else repaints on a tick.
//
// A put carries no completion event: the memory is rewritten only after a
// reply to a later request on the same connection (the next tick's pointer
// query) has come, which the server sends only once it has handled the put.
// The ticks themselves may run on a thread of the presenter's (runTicks), so
// that Qt's event loop sleeps while the pointer moves.
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <xcb/xcb.h>

#include "platform/x11/X11TickThread.h"
#include "ui/TickCompositor.h"
#include "ui/TickPresenter.h"

class QWidget;
class X11Connection;
class X11ShmSegment;

class X11TickPresenter : public TickPresenter {
public:
    // Null where the display lacks what it needs: shared memory the server
    // can attach, a 24-bit true-colour window, one device pixel per pixel.
    static std::unique_ptr<X11TickPresenter> create(const TickWidgets& widgets,
                                                    std::shared_ptr<X11Connection> connection);
    ~X11TickPresenter() override;

    void show(const TickFrame& frame) override;
    void place() override;
    bool runTicks(std::function<void()> tick, int intervalMs) override;
    void stopTicks() override;

private:
    enum Area { Magnifier, Swatch, Position, Contrast, AreaCount };
    struct Window {
        std::uint32_t id = 0;
        QWidget* widget = nullptr; // none for a panel the window lacks
        QRect within; // of the widget, in its coordinates
        QRect placed; // in the top-level window, as last configured
        bool mapped = false;
        std::size_t offset = 0; // of its pixels in the shared memory
        QImage pixels;
        bool needsPut = false;
    };

    X11TickPresenter(const TickWidgets& widgets, std::shared_ptr<X11Connection> connection);
    bool attachMemory();
    bool createWindows();
    void placeWindow(Window& window);
    void putMarked();
    void takeEvent(const xcb_generic_event_t& event);

    std::mutex mutex_; // show() on the tick's thread; place() and exposures on the GUI thread's
    TickWidgets widgets_;
    TickCompositor compositor_;
    std::shared_ptr<X11Connection> connection_;
    xcb_connection_t* c_;
    std::unique_ptr<X11ShmSegment> memory_;
    std::uint32_t parent_ = 0;
    std::uint32_t gc_ = 0;
    std::uint8_t depth_ = 0;
    std::array<Window, AreaCount> windows_;
    std::optional<Rgb> shownColor_, shownCodeColor_;
    QString shownCode_;
    QString shownPosition_;
    QString shownContrast_;
    X11TickThread ticks_; // last: it stops before the rest goes
};
