#include "capture/DesktopCapture.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include "capture/PickModeController.h"
#include "config/Translations.h"
#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"
// Wayland and its desktop portals are Linux's; on Windows the session is never Wayland.
#ifndef _WIN32
#include "platform/portal/PortalGlobalHotkey.h"
#include "platform/portal/PortalScreenshot.h"
#include "platform/portal/ScreenCastSampler.h"
#include "platform/wayland/WaylandScreenSampler.h"
#endif

Q_LOGGING_CATEGORY(lcCapture, "huebird.capture", QtWarningMsg)

namespace {

SessionKind SessionOfThisProcess()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return SessionKind::X11;
    if (platform.startsWith(QLatin1String("wayland")))
        return SessionKind::Wayland;
    return SessionKind::Other;
}

const char* ModeName(CaptureMode mode)
{
    switch (mode) {
    case CaptureMode::FollowX11: return "X11";
    case CaptureMode::FollowScreenCast: return "screen cast";
    case CaptureMode::PickScreenCopy: return "pick mode over screen copies";
    case CaptureMode::PickColorPortal: return "the desktop's picker";
    case CaptureMode::None: break;
    }
    return "none";
}

} // namespace

DesktopCapture::DesktopCapture(const Translations& translations, QObject* parent)
    : QObject(parent), translations_(translations)
{
    probe();
}

DesktopCapture::~DesktopCapture() = default;

void DesktopCapture::probe()
{
    offers_.session = SessionOfThisProcess();
    std::unique_ptr<AsyncScreenSampler> screens;
#ifndef _WIN32
    if (offers_.session == SessionKind::Wayland) {
        auto copies = std::make_unique<WaylandScreenSampler>();
        offers_.screenCopy = copies->isAvailable();
        if (offers_.screenCopy)
            screens = std::move(copies);
        ownScreenCast_ = std::make_unique<ScreenCastSampler>();
        offers_.screenCastCursor = ownScreenCast_->Available();
        screenshot_ = new PortalScreenshot(QDBusConnection::sessionBus(), this);
        offers_.screenshotPortal = screenshot_->Available();
        PortalGlobalHotkey shortcuts;
        offers_.shortcutsPortal = shortcuts.Available();
        connect(screenshot_, &PortalScreenshot::colorPicked, this, &DesktopCapture::colorPicked);
        connect(screenshot_, &PortalScreenshot::failed, this,
                [](const QString& reason) { qCInfo(lcCapture, "the desktop's picker: %s", qPrintable(reason)); });
    } else if (offers_.session == SessionKind::X11) {
        // Pick mode works on X11 too, over Qt's copies of the screens.
        screens = CreateAsyncScreenSampler();
    }
#endif
    backends_ = ChooseCaptureBackends(offers_);
    qCInfo(lcCapture, "screen copies %d, screen cast with pointer %d, screenshot portal %d, shortcuts portal %d: %s",
           offers_.screenCopy, offers_.screenCastCursor, offers_.screenshotPortal, offers_.shortcutsPortal,
           ModeName(backends_.mode));

    pickMode_ = new PickModeController(std::move(screens), this);
    connect(pickMode_, &PickModeController::sampled, this, &DesktopCapture::sampled);
    connect(pickMode_, &PickModeController::picked, this, &DesktopCapture::picked);
#ifndef _WIN32
    if (ownScreenCast_) {
        connect(ownScreenCast_.get(), &PortalScreenCast::started, this, [this](const QString& token) {
            qCInfo(lcCapture, "screen cast started");
            if (token != token_)
                emit screenCastTokenChanged(token_ = token);
        });
        connect(ownScreenCast_.get(), &PortalScreenCast::failed, this, [this](const QString& reason) {
            qCInfo(lcCapture, "screen cast: %s", qPrintable(reason));
            fallBack();
        });
    }
#endif
}

bool DesktopCapture::followsPointer() const
{
    return FollowsPointer(backends_.mode) || backends_.mode == CaptureMode::None;
}

std::unique_ptr<IScreenSampler> DesktopCapture::createScreenSampler()
{
#ifndef _WIN32
    if (backends_.mode == CaptureMode::FollowScreenCast && ownScreenCast_) {
        screenCast_ = ownScreenCast_.get();
        // The tick owns it; this object hears from it as long as it lives.
        return std::move(ownScreenCast_);
    }
#endif
    return CreateScreenSampler();
}

std::unique_ptr<IGlobalHotkey> DesktopCapture::createGlobalHotkey()
{
    // On Wayland a hotkey is the desktop's to give: through its portal, or
    // refused where there is none, so the user is told to bind the command.
#ifndef _WIN32
    if (onWayland())
        return std::make_unique<PortalGlobalHotkey>();
#endif
    return CreateGlobalHotkey();
}

void DesktopCapture::start(const QString& screenCastToken)
{
    token_ = screenCastToken;
#ifndef _WIN32
    if (backends_.mode == CaptureMode::FollowScreenCast && screenCast_)
        screenCast_->Start(screenCastToken);
#endif
}

void DesktopCapture::fallBack()
{
    if (backends_.mode != CaptureMode::FollowScreenCast)
        return;
    backends_.mode = FallBackFrom(CaptureMode::FollowScreenCast, offers_).mode;
    qCInfo(lcCapture, "now: %s", ModeName(backends_.mode));
    emit modeChanged();
}

void DesktopCapture::setCaptureKey(const QKeySequence& key)
{
    pickMode_->setCaptureKey(key);
}

bool DesktopCapture::picking() const
{
    return pickMode_->isActive();
}

void DesktopCapture::pick()
{
    if (pickMode_->canPick())
        pickMode_->browse();
#ifndef _WIN32
    else if (screenshot_ && offers_.screenshotPortal)
        screenshot_->PickColor();
#endif
}

void DesktopCapture::captureAtPointer()
{
    if (pickMode_->isActive()) {
        pickMode_->pickAtPointer();
        return;
    }
    switch (backends_.mode) {
    case CaptureMode::PickScreenCopy:
        pickMode_->pickAtPointer();
        break;
    case CaptureMode::PickColorPortal:
        pick();
        break;
    default:
        emit captureFromTick();
    }
}

QString DesktopCapture::statusText(const QString& keyText) const
{
    const TUiTexts& texts = translations_.texts();
    if (!onWayland())
        return QString::fromStdString(texts.SCapture) + ' ' + keyText;
    const std::string* label = &texts.SCapturePicker;
    switch (mode()) {
    case CaptureMode::FollowScreenCast: label = &texts.SCaptureScreenCast; break;
    case CaptureMode::PickScreenCopy: label = &texts.SCapturePickMode; break;
    case CaptureMode::None: return QString::fromStdString(texts.SCaptureNoScreen);
    default: break;
    }
    return QString::fromStdString(*label) + ' ' + keyText;
}
