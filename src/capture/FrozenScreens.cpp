#include "capture/FrozenScreens.h"

#include <algorithm>
#include <cmath>
#include <cstring>

FrozenScreens::FrozenScreens(QList<ScreenPicture> pictures) : pictures_(std::move(pictures))
{
    for (ScreenPicture& p : pictures_) {
        if (p.image.format() != QImage::Format_RGB32)
            p.image = p.image.convertToFormat(QImage::Format_RGB32);
        const QRect& g = p.geometry;
        // The picture's own pixels decide the scale: they are what is shown and read.
        const double ratio = g.width() > 0 && !p.image.isNull() ? double(p.image.width()) / g.width() : 1.0;
        areas_.push_back({{g.x(), g.y(), g.width(), g.height()}, ratio});
    }
}

QPoint FrozenScreens::devicePixel(int picture, QPointF local) const
{
    if (picture < 0 || picture >= int(areas_.size()))
        return local.toPoint();
    const ScreenArea& a = areas_[std::size_t(picture)];
    return {a.logical.x + int(std::floor(local.x() * a.ratio)), a.logical.y + int(std::floor(local.y() * a.ratio))};
}

void FrozenScreens::grab(const QRect& device, QImage& out) const
{
    if (out.size() != device.size() || out.format() != QImage::Format_RGB32)
        out = QImage(device.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        SplitByScreens(std::span(&areas_[i], 1), {device.x(), device.y(), device.width(), device.height()}, pieces_);
        const QImage& image = pictures_[qsizetype(i)].image;
        for (const GrabPiece& piece : pieces_) {
            const int left = piece.source.x - areas_[i].logical.x, top = piece.source.y - areas_[i].logical.y;
            const int rows = std::min(piece.source.height, image.height() - top);
            const int columns = std::min(piece.source.width, image.width() - left);
            for (int y = 0; y < rows; ++y)
                std::memcpy(reinterpret_cast<QRgb*>(out.scanLine(piece.target.y + y)) + piece.target.x,
                            reinterpret_cast<const QRgb*>(image.constScanLine(top + y)) + left,
                            std::size_t(std::max(columns, 0)) * sizeof(QRgb));
        }
    }
}

QRgb FrozenScreens::pixel(QPoint device) const
{
    QImage one;
    grab(QRect(device, QSize(1, 1)), one);
    return one.pixel(0, 0);
}
