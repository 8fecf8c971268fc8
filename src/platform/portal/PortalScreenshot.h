#pragma once
// The Screenshot portal, offered by every portal backend: a still picture of
// the whole desktop without asking (for the pick mode over a frozen screen),
// and the desktop's own one-shot colour picker (the last fallback where
// nothing else can read the screen).
#include <QColor>
#include <QDBusConnection>
#include <QImage>
#include <QObject>

#include "platform/DesktopServices.h"

class PortalScreenshot : public ColorPicker {
    Q_OBJECT
public:
    explicit PortalScreenshot(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // Whether the portal is there; asked once.
    bool Available();

    // Takes the desktop without a dialog: screenshotTaken or failed follows.
    void TakeScreenshot();
    void PickColor() override;

signals:
    void screenshotTaken(const QImage& image);

private:
    QDBusConnection bus_;
    int available_ = -1;
};
