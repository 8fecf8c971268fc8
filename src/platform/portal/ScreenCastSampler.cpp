#include "platform/portal/ScreenCastSampler.h"

#include "platform/portal/PipeWireCursorStream.h"

ScreenCastSampler::ScreenCastSampler(const QDBusConnection& bus, QObject* parent) : PortalScreenCast(bus, parent)
{
    connect(this, &PortalScreenCast::frameReady, this, &ScreenCastSampler::Take);
}

void ScreenCastSampler::Take(QPoint cursor, const QImage& square)
{
    cursor_ = cursor;
    square_ = square;
}

ScreenPointer ScreenCastSampler::Pointer()
{
    ScreenPointer pointer;
    pointer.pos = StreamGeometry().topLeft() + cursor_;
    pointer.onProgramDesktop = false;
    pointer.device = {cursor_.x(), cursor_.y()};
    return pointer;
}

void ScreenCastSampler::GrabAround(const ScreenPointer&, int radius, QImage& out)
{
    const QSize size(2 * radius + 1, 2 * radius + 1);
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    if (square_.isNull())
        return;
    const int from = PipeWireCursorStream::kRadius - radius;
    for (int y = 0; y < size.height(); ++y) {
        const int sy = from + y;
        if (sy < 0 || sy >= square_.height())
            continue;
        const auto* source = reinterpret_cast<const QRgb*>(square_.constScanLine(sy));
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (from + x >= 0 && from + x < square_.width())
                target[x] = source[from + x];
    }
}
