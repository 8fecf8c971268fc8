#pragma once
// Pictures of every screen taken at one moment, read as the live screen is:
// in desktop device pixels, where each screen keeps its logical top-left
// corner and offsets within it scale.
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <vector>

#include "platform/AsyncScreenSampler.h"
#include "platform/ScreenMapping.h"

class FrozenScreens {
public:
    FrozenScreens() = default;
    explicit FrozenScreens(QList<ScreenPicture> pictures);

    const QList<ScreenPicture>& pictures() const { return pictures_; }
    bool isEmpty() const { return pictures_.isEmpty(); }
    // The device pixel under a point given in logical pixels from the top-left
    // corner of a picture's screen.
    QPoint devicePixel(int picture, QPointF local) const;
    // Copies the device rectangle into out (Format_RGB32, its size); white
    // outside every picture.
    void grab(const QRect& device, QImage& out) const;
    QRgb pixel(QPoint device) const;

private:
    QList<ScreenPicture> pictures_;
    std::vector<ScreenArea> areas_;
    mutable std::vector<GrabPiece> pieces_;
};
