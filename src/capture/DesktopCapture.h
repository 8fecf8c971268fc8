#pragma once
// How the program reads the screen on the desktop it runs on: the capture
// mode chosen from what the session offers (X11, a wlroots compositor's
// screen copies, a screen cast on GNOME and KDE, the desktop's own picker),
// the tick's screen reader and the hotkey that go with it, pick mode, and
// the screen cast's kept consent.
#include <QColor>
#include <QImage>
#include <QKeySequence>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "core/platform/CaptureModes.h"
#include "platform/PlatformFactory.h"
#include "platform/ScreenSampler.h"

// QT_LOGGING_RULES="huebird.capture.info=true": what the desktop offers and the
// mode chosen; "huebird.capture.debug=true" adds when each new colour is shown
// (for measuring latency).
Q_DECLARE_LOGGING_CATEGORY(lcCapture)

class IGlobalHotkey;
class PickModeController;
class Translations;

class DesktopCapture : public QObject {
    Q_OBJECT
public:
    // Looks at the session: on Wayland it asks the compositor and the
    // desktop portals what they offer, which may take a moment. The status
    // texts are in the language in use.
    explicit DesktopCapture(const Translations& translations, QObject* parent = nullptr);
    ~DesktopCapture() override;

    CaptureMode mode() const { return backends_.chosen.mode; }
    bool onWayland() const { return backends_.offers.session == SessionKind::Wayland; }
    // The status bar's capture panel: the capture mode ("Capture:" on X11) and the hotkey.
    QString statusText(const QString& keyText) const;
    // The tick follows the pointer; otherwise the magnifier shows what pick
    // mode last saw.
    bool followsPointer() const;

    // The capture tick's screen reader and the system-wide hotkey for this
    // mode; each is made once, and the caller owns it.
    std::unique_ptr<IScreenSampler> createScreenSampler();
    std::unique_ptr<IGlobalHotkey> createGlobalHotkey();

    // Starts the screen cast, restoring the consent the token keeps.
    void start(const QString& screenCastToken);
    void setCaptureKey(const QKeySequence& key);
    // Pick mode's loupe frames and names the colour that a capture averages.
    void setSampleSide(int side);

    // Options > Pick and --pick: pick mode over still screens, or the
    // desktop's picker where the screens cannot be copied.
    void pick();
    // The hotkey and --capture: the colour under the pointer. In the modes
    // that follow it that is the tick's (captureFromTick); elsewhere it is
    // picked from a still copy of the screens at once.
    void captureAtPointer();
    bool picking() const;

signals:
    void captureFromTick();
    // Pick mode's square around the pointer, as the tick's magnifier shows it.
    void sampled(const ScreenPointer& pointer, const QImage& square);
    void picked(const ScreenPointer& pointer, const QImage& square);
    // The desktop's picker: the colour it picked.
    void colorPicked(const QColor& color);
    void modeChanged();
    // The consent to keep for the next run; empty when there is none to keep.
    void screenCastTokenChanged(const QString& token);

private:
    void fallBack();

    const Translations& translations_;
    PlatformBackends backends_; // each part until it is handed out
    QPointer<ScreenCast> screenCast_; // owned by the tick once handed out
    PickModeController* pickMode_ = nullptr;
    QString token_;
};
