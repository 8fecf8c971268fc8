#pragma once
// Reads the screens of an X server: the pointer in device pixels as the
// server reports it, on whichever X screen it is, and squares of that
// screen's root window, one request per monitor the square touches. Made on
// the GUI thread, it may read on another thread (one at a time): it keeps a
// copy of Qt's monitors, taken on the GUI thread whenever they change.
#include <QObject>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"
#include "core/platform/TrueColorLayout.h"

struct xcb_connection_t;
class X11Connection;
class X11ShmSegment;

class X11ScreenSampler : public IScreenSampler {
public:
    // The program's windows are on the X screen programScreen.
    X11ScreenSampler(xcb_connection_t* connection, int programScreen);
    // On a connection of its own: squares are read into memory shared with
    // the server where it offers that, and while the pointer rests the square
    // is asked for together with the pointer, in one round trip.
    X11ScreenSampler(std::shared_ptr<X11Connection> connection, int programScreen);
    ~X11ScreenSampler() override;
    // The X screen an Xlib display opens by default.
    static int ScreenNumber(void* display);
    // The connection of its own, if it has one.
    const std::shared_ptr<X11Connection>& ownConnection() const { return own_; }

    // The pointer's desktop is its X screen's number.
    ScreenPointer Pointer() override;
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;

private:
    struct Desktop {
        std::uint32_t root = 0;
        PixelRect bounds; // the root window
        TrueColorLayout layout;
        int bitsPerPixel = 32;
        int scanlinePad = 32;
    };
    // A read sent to the server whose reply has not been taken yet.
    struct Read {
        GrabPiece piece;
        std::uint32_t sequence = 0;
        bool shared = false;    // into the shared segment at offset
        std::size_t offset = 0;
    };
    void WatchScreens();
    // On the GUI thread: Qt's screens of the program's X screen, in device pixels.
    void CopyScreens();
    // Those screens, clipped to the program's root.
    void ReadScreens();
    void SendReads(int desktop, const std::vector<GrabPiece>& pieces);
    void TakeRead(const Desktop& desktop, const Read& read, QImage& out);
    void DiscardReads();
    std::size_t RowBytes(const Desktop& desktop, int width) const;

    std::shared_ptr<X11Connection> own_;
    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<X11ShmSegment> shared_;
    std::vector<Desktop> desktops_;
    int programDesktop_ = 0;
    std::unique_ptr<QObject> screenWatch_;
    std::mutex qtScreensMutex_;
    std::vector<ScreenArea> qtScreens_;
    std::vector<ScreenArea> screens_;
    std::vector<ScreenArea> knownLayout_; // as Qt gave them when the root size was last read
    std::vector<GrabPiece> pieces_;
    std::vector<Read> reads_;
    int readsDesktop_ = 0;
    // The last square read, and whether the pointer had not moved since the one before.
    int lastDesktop_ = -1;
    PixelPoint lastDevice_;
    int lastRadius_ = -1;
    std::vector<GrabPiece> lastPieces_;
    bool resting_ = false;
};
