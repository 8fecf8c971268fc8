#include "capture/CentreSample.h"

#include <cstdint>

#include "core/color/AreaAverage.h"

Rgb CentreSample(const QImage& square, int side)
{
    const int cx = square.width() / 2, cy = square.height() / 2;
    const int half = side / 2;
    if (side <= 1 || cx < half || cy < half) {
        const QRgb rgb = square.pixel(cx, cy);
        return {std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb))};
    }
    // The mean reads 32-bit pixels; a picture of another depth is converted first.
    if (square.format() != QImage::Format_RGB32 && square.format() != QImage::Format_ARGB32)
        return CentreSample(square.convertToFormat(QImage::Format_RGB32), side);
    const std::ptrdiff_t stride = square.bytesPerLine() / 4;
    const auto* first = reinterpret_cast<const std::uint32_t*>(square.constBits()) + (cy - half) * stride + (cx - half);
    return AverageColor({first, stride, side, side});
}
