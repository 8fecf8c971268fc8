#include "platform/win/WinScreenSampler.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstring>

#include <windows.h>

WinScreenSampler::WinScreenSampler() : screenDc_(GetDC(nullptr))
{
    if (screenDc_)
        memoryDc_ = CreateCompatibleDC(static_cast<HDC>(screenDc_));
}

WinScreenSampler::~WinScreenSampler()
{
    if (memoryDc_) {
        if (oldBitmap_)
            SelectObject(static_cast<HDC>(memoryDc_), static_cast<HGDIOBJ>(oldBitmap_));
        DeleteDC(static_cast<HDC>(memoryDc_));
    }
    if (bitmap_)
        DeleteObject(static_cast<HGDIOBJ>(bitmap_));
    if (screenDc_)
        ReleaseDC(nullptr, static_cast<HDC>(screenDc_));
}

// Qt keeps each screen's top-left corner in physical pixels and scales its
// size, as on X11.
void WinScreenSampler::ReadScreens()
{
    screens_.clear();
    if (qGuiApp)
        for (const QScreen* screen : QGuiApplication::screens()) {
            const QRect g = screen->geometry();
            screens_.push_back(ScreenArea::Scaled({g.x(), g.y(), g.width(), g.height()}, screen->devicePixelRatio()));
        }
    if (screens_.empty())
        screens_.push_back(ScreenArea::Scaled({GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                               GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                               GetSystemMetrics(SM_CYVIRTUALSCREEN)},
                                              1.0));
}

ScreenPointer WinScreenSampler::Pointer()
{
    ScreenPointer pointer;
    POINT cursor{};
    // Fails while another desktop (the secure one) has the input.
    if (!GetCursorPos(&cursor))
        return pointer;
    pointer.device = {int(cursor.x), int(cursor.y)};
    ReadScreens();
    const int index = ScreenIndexAtDevice(screens_, pointer.device);
    const PixelPoint logical = index < 0 ? pointer.device : ToLogicalPixel(screens_[index], pointer.device);
    pointer.pos = QPoint(logical.x, logical.y);
    return pointer;
}

bool WinScreenSampler::PrepareBitmap(int side)
{
    if (bitmap_ && side == side_)
        return true;
    if (!memoryDc_)
        return false;
    if (oldBitmap_)
        SelectObject(static_cast<HDC>(memoryDc_), static_cast<HGDIOBJ>(oldBitmap_));
    if (bitmap_)
        DeleteObject(static_cast<HGDIOBJ>(bitmap_));
    oldBitmap_ = bitmap_ = nullptr;
    bits_ = nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // rows top down, as in a QImage
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(static_cast<HDC>(memoryDc_), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return false;
    bitmap_ = bitmap;
    bits_ = static_cast<const unsigned char*>(bits);
    oldBitmap_ = SelectObject(static_cast<HDC>(memoryDc_), bitmap);
    side_ = side;
    return true;
}

void WinScreenSampler::GrabAround(const ScreenPointer& pointer, int radius, QImage& out)
{
    const int side = 2 * radius + 1;
    if (out.size() != QSize(side, side) || out.format() != QImage::Format_RGB32)
        out = QImage(side, side, QImage::Format_RGB32);
    out.fill(Qt::white);
    const PixelRect square = SquareAround(pointer.device, radius);
    ReadScreens();
    SplitByScreens(screens_, square, pieces_);
    if (pieces_.empty() || !PrepareBitmap(side))
        return;
    // CAPTUREBLT includes layered (translucent) windows, as the eye sees them.
    if (!BitBlt(static_cast<HDC>(memoryDc_), 0, 0, side, side, static_cast<HDC>(screenDc_), square.x, square.y,
                SRCCOPY | CAPTUREBLT))
        return;
    GdiFlush();
    // Only what lies on a monitor is copied: the rest of the virtual desktop stays white.
    const std::size_t stride = std::size_t(side) * 4;
    for (const GrabPiece& piece : pieces_) {
        const int left = piece.source.x - square.x;
        const int top = piece.source.y - square.y;
        for (int row = 0; row < piece.source.height; ++row) {
            const auto* from = reinterpret_cast<const quint32*>(bits_ + std::size_t(top + row) * stride) + left;
            auto* to = reinterpret_cast<quint32*>(out.scanLine(piece.target.y + row)) + piece.target.x;
            // BI_RGB leaves the fourth byte undefined; RGB32 wants it opaque.
            for (int x = 0; x < piece.source.width; ++x)
                to[x] = from[x] | 0xFF000000u;
        }
    }
}
