#pragma once
// Pictures of every screen taken at one moment, read as the live screens
// are: each picture is a desktop of its own (its index), in its own device
// pixels, and squares near its edges continue on the neighbouring pictures.
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRgb>
#include <optional>
#include <vector>

#include "platform/AsyncScreenSampler.h"
#include "core/platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"

// A point over one of the pictures: its index, and the logical point from
// the top-left corner of its screen.
struct PicturePoint {
    int picture = -1;
    QPointF local;
};

class FrozenScreens {
public:
    FrozenScreens() = default;
    // pointer: where it was as they were taken (a logical desktop point), where known.
    explicit FrozenScreens(QList<ScreenPicture> pictures, std::optional<QPointF> pointer = std::nullopt);

    const QList<ScreenPicture>& pictures() const { return pictures_; }
    bool isEmpty() const { return pictures_.isEmpty(); }
    // Where the pointer was as they were taken, where known and over a picture.
    std::optional<PicturePoint> pointerWhenTaken() const;
    // The pointer at a point given in logical pixels from the top-left
    // corner of a picture's screen.
    ScreenPointer pointerAt(int picture, QPointF local) const;
    // Copies the 2 radius + 1 square around the pointer into out
    // (Format_RGB32); white outside every picture.
    void grabAround(const ScreenPointer& pointer, int radius, QImage& out) const;
    QRgb pixel(const ScreenPointer& pointer) const;
    // The pointer moved by whole device pixels, kept on its picture.
    ScreenPointer nudged(const ScreenPointer& pointer, int dx, int dy) const;

private:
    QList<ScreenPicture> pictures_;
    std::optional<QPointF> pointer_;
    std::vector<ScreenArea> areas_;
    mutable std::vector<GrabPiece> pieces_;
};
