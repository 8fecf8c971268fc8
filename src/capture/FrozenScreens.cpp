#include "capture/FrozenScreens.h"

#include <algorithm>
#include <cmath>
#include <cstring>

FrozenScreens::FrozenScreens(QList<ScreenPicture> pictures, std::optional<QPointF> pointer)
    : pictures_(std::move(pictures)), pointer_(pointer)
{
    for (ScreenPicture& p : pictures_) {
        if (p.image.format() != QImage::Format_RGB32)
            p.image = p.image.convertToFormat(QImage::Format_RGB32);
        const QRect& g = p.geometry;
        // The picture's own pixels decide the scale: they are what is shown and read.
        const double ratio = g.width() > 0 && !p.image.isNull() ? double(p.image.width()) / g.width() : 1.0;
        areas_.push_back({{g.x(), g.y(), g.width(), g.height()}, ratio, {0, 0, p.image.width(), p.image.height()}});
    }
}

ScreenPointer FrozenScreens::pointerAt(int picture, QPointF local) const
{
    ScreenPointer pointer;
    pointer.desktop = picture;
    if (picture < 0 || picture >= int(areas_.size())) {
        pointer.pos = local.toPoint();
        return pointer;
    }
    const ScreenArea& a = areas_[std::size_t(picture)];
    pointer.pos = {a.logical.x + int(std::floor(local.x())), a.logical.y + int(std::floor(local.y()))};
    pointer.device = {int(std::floor(local.x() * a.ratio)), int(std::floor(local.y() * a.ratio))};
    return pointer;
}

std::optional<PicturePoint> FrozenScreens::pointerWhenTaken() const
{
    if (!pointer_)
        return std::nullopt;
    for (int i = 0; i < pictures_.size(); ++i) {
        const QRect& g = pictures_[i].geometry;
        const QPointF local = *pointer_ - QPointF(g.topLeft());
        if (local.x() >= 0 && local.y() >= 0 && local.x() < g.width() && local.y() < g.height())
            return PicturePoint{i, local};
    }
    return std::nullopt;
}

void FrozenScreens::grabAround(const ScreenPointer& pointer, int radius, QImage& out) const
{
    const QSize size(2 * radius + 1, 2 * radius + 1);
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    SplitAcrossOutputs(areas_, pointer.desktop, SquareAround(pointer.device, radius), pieces_);
    for (const GrabPiece& piece : pieces_) {
        const QImage& image = pictures_[qsizetype(piece.screen)].image;
        for (int y = 0; y < piece.source.height; ++y)
            std::memcpy(reinterpret_cast<QRgb*>(out.scanLine(piece.target.y + y)) + piece.target.x,
                        reinterpret_cast<const QRgb*>(image.constScanLine(piece.source.y + y)) + piece.source.x,
                        std::size_t(piece.source.width) * sizeof(QRgb));
    }
}

ScreenPointer FrozenScreens::nudged(const ScreenPointer& pointer, int dx, int dy) const
{
    if (pointer.desktop < 0 || pointer.desktop >= int(areas_.size()))
        return pointer;
    const ScreenArea& a = areas_[std::size_t(pointer.desktop)];
    ScreenPointer next = pointer;
    next.device = {std::clamp(pointer.device.x + dx, 0, std::max(0, a.device.width - 1)),
                   std::clamp(pointer.device.y + dy, 0, std::max(0, a.device.height - 1))};
    next.pos = {a.logical.x + int(std::floor(next.device.x / a.ratio)),
                a.logical.y + int(std::floor(next.device.y / a.ratio))};
    return next;
}

QRgb FrozenScreens::pixel(const ScreenPointer& pointer) const
{
    QImage one;
    grabAround(pointer, 0, one);
    return one.pixel(0, 0);
}
