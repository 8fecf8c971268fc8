#pragma once
// The capture tick's screen reader on desktops that follow the pointer only
// through a screen cast (GNOME, KDE on Wayland): each frame brings the
// pointer's place and the pixels around it, and the tick reads the newest.
#include <QImage>
#include <QPoint>

#include "platform/ScreenSampler.h"
#include "platform/portal/PortalScreenCast.h"

class ScreenCastSampler : public PortalScreenCast, public IScreenSampler {
    Q_OBJECT
public:
    explicit ScreenCastSampler(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // The pointer of the newest frame. Where the program's own windows are
    // is unknown on Wayland, so it is never taken to be over them.
    ScreenPointer Pointer() override;
    // The newest frame's square, cut to the radius; white before the first.
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;

private:
    void Take(QPoint cursor, const QImage& square);

    QPoint cursor_;
    QImage square_;
};
