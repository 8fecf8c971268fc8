#pragma once
// Follows the pointer over the whole desktop where nothing else can (GNOME
// and KDE on Wayland): a ScreenCast portal session of one screen with the
// pointer's position as stream metadata, read through PipeWire. The user's
// consent is asked once and kept: the portal hands out a restore token, which
// the caller stores and passes to the next Start.
#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

#include "platform/DesktopServices.h"

class PipeWireCursorStream;

class PortalScreenCast : public ScreenCast {
    Q_OBJECT
public:
    explicit PortalScreenCast(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    ~PortalScreenCast() override;

    // Whether the portal can send the pointer as metadata; asked once.
    bool Available();

    // Opens a session; started() or failed() follows. An invalid or unknown
    // token is dropped (the user is asked again).
    void Start(const QString& restoreToken = QString()) override;
    void Stop();

    // The screen's place in the desktop as the portal reports it (logical
    // pixels; empty when it does not say).
    QRect StreamGeometry() const { return geometry_; }

signals:
    // The pointer in the stream's pixels and the 39 x 39 pixels around it.
    void frameReady(QPoint cursor, const QImage& square);

private slots:
    void SessionClosed();

private:
    void Fail(quint64 generation, const QString& reason);
    void SelectSources(quint64 generation, const QString& restoreToken);
    void StartSession(quint64 generation);
    void OpenRemote(quint64 generation, uint nodeId, const QString& restoreToken);
    void CloseSession();

    QDBusConnection bus_;
    int available_ = -1;
    QString session_;
    QRect geometry_;
    PipeWireCursorStream* stream_;
    quint64 generation_ = 0;
};
