#include "capture/DesktopCapture.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include "capture/PickModeController.h"
#include "config/Translations.h"
#include "platform/AsyncScreenSampler.h"
#include "platform/GlobalHotkey.h"

Q_LOGGING_CATEGORY(lcCapture, "huebird.capture", QtWarningMsg)

namespace {

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
    : QObject(parent), translations_(translations), backends_(CreatePlatformBackends())
{
    const DesktopOffers& offers = backends_.offers;
    qCInfo(lcCapture, "screen copies %d, screen cast with pointer %d, screenshot portal %d, shortcuts portal %d: %s",
           offers.screenCopy, offers.screenCastCursor, offers.screenshotPortal, offers.shortcutsPortal,
           ModeName(backends_.chosen.mode));

    pickMode_ = new PickModeController(std::move(backends_.stillScreens), std::move(backends_.pointerWarp), this);
    connect(pickMode_, &PickModeController::sampled, this, &DesktopCapture::sampled);
    connect(pickMode_, &PickModeController::picked, this, &DesktopCapture::picked);
    if (ColorPicker* picker = backends_.picker.get()) {
        connect(picker, &ColorPicker::colorPicked, this, &DesktopCapture::colorPicked);
        connect(picker, &ColorPicker::failed, this,
                [](const QString& reason) { qCInfo(lcCapture, "the desktop's picker: %s", qPrintable(reason)); });
    }
    if ((screenCast_ = backends_.screenCast)) {
        connect(screenCast_, &ScreenCast::started, this, [this](const QString& token) {
            qCInfo(lcCapture, "screen cast started");
            if (token != token_)
                emit screenCastTokenChanged(token_ = token);
        });
        connect(screenCast_, &ScreenCast::failed, this, [this](const QString& reason) {
            qCInfo(lcCapture, "screen cast: %s", qPrintable(reason));
            fallBack();
        });
    }
}

DesktopCapture::~DesktopCapture() = default;

bool DesktopCapture::followsPointer() const
{
    return FollowsPointer(backends_.chosen.mode) || backends_.chosen.mode == CaptureMode::None;
}

std::unique_ptr<IScreenSampler> DesktopCapture::createScreenSampler()
{
    // The tick owns it; this object hears from its screen cast as long as it lives.
    return std::move(backends_.tickSampler);
}

std::unique_ptr<IGlobalHotkey> DesktopCapture::createGlobalHotkey()
{
    return std::move(backends_.hotkey);
}

void DesktopCapture::start(const QString& screenCastToken)
{
    token_ = screenCastToken;
    if (backends_.chosen.mode == CaptureMode::FollowScreenCast && screenCast_)
        screenCast_->Start(screenCastToken);
}

void DesktopCapture::fallBack()
{
    if (backends_.chosen.mode != CaptureMode::FollowScreenCast)
        return;
    backends_.chosen.mode = FallBackFrom(CaptureMode::FollowScreenCast, backends_.offers).mode;
    qCInfo(lcCapture, "now: %s", ModeName(backends_.chosen.mode));
    emit modeChanged();
}

void DesktopCapture::setCaptureKey(const QKeySequence& key)
{
    pickMode_->setCaptureKey(key);
}

void DesktopCapture::setColorVision(ColorVision vision, const QString& label)
{
    pickMode_->setColorVision(vision, label);
}

void DesktopCapture::setSampleSide(int side)
{
    pickMode_->setSampleSide(side);
}

bool DesktopCapture::picking() const
{
    return pickMode_->isActive();
}

void DesktopCapture::pick()
{
    if (pickMode_->canPick())
        pickMode_->browse();
    else if (backends_.picker)
        backends_.picker->PickColor();
}

void DesktopCapture::captureAtPointer()
{
    if (pickMode_->isActive()) {
        pickMode_->pickAtPointer();
        return;
    }
    switch (backends_.chosen.mode) {
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
    if (!onWayland())
        return QString::fromStdString(translations_.text("SCapture")) + ' ' + keyText;
    UiTextKey label = "SCapturePicker";
    switch (mode()) {
    case CaptureMode::FollowScreenCast: label = "SCaptureScreenCast"; break;
    case CaptureMode::PickScreenCopy: label = "SCapturePickMode"; break;
    case CaptureMode::None: return QString::fromStdString(translations_.text("SCaptureNoScreen"));
    default: break;
    }
    return QString::fromStdString(translations_.text(label)) + ' ' + keyText;
}
