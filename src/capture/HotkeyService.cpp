#include "capture/HotkeyService.h"

#include "core/config/MessageText.h"
#include "capture/HotkeyEdit.h"
#include "core/config/SettingsFile.h"
#include "config/Translations.h"
#include "platform/GlobalHotkey.h"
#include "ui/Prompts.h"

namespace {
// The program registers one hotkey.
constexpr int kCaptureHotkeyId = 1;
}

HotkeyService::HotkeyService(std::unique_ptr<IGlobalHotkey> backend, Prompts& prompts,
                             const Translations& translations, QObject* parent)
    : QObject(parent), backend_(std::move(backend)), prompts_(prompts), translations_(translations)
{
    connect(backend_.get(), &IGlobalHotkey::HotKeyPressed, this, &HotkeyService::onHotkeyPressed);
    connect(backend_.get(), &IGlobalHotkey::RegistrationRefused, this, [this](int id) {
        if (id != 0 && id == id_)
            warnRefused();
    });
}

HotkeyService::~HotkeyService()
{
    release();
}

void HotkeyService::setShortcut(QKeyCombination shortcut)
{
    if (shortcut_ == shortcut)
        return;
    shortcut_ = shortcut;
    emit shortcutChanged(shortcut_);
}

std::optional<std::string> HotkeyService::setStoredShortcut(const std::string& name)
{
    const QKeyCombination stored = ShortcutFromText(name);
    if (HotkeyEdit::isValidCombination(stored)) {
        setShortcut(stored);
        return std::nullopt;
    }
    // Kept before the change: name may be the settings' text, which follows the shortcut.
    std::string refused = name.substr(0, 64);
    setShortcut(ShortcutFromText(kDefaultHotKeyText));
    return refused;
}

void HotkeyService::grab(Refusal refusal)
{
    id_ = kCaptureHotkeyId;
    const bool registered = shortcut_ != kNoShortcut && backend_->Register(id_, shortcut_);
    if (!registered && shortcut_ != kNoShortcut && refusal == Refusal::Warn)
        warnRefused();
}

void HotkeyService::warnRefused()
{
    const std::string text = refusalCommand_.isEmpty()
        ? FormatMessageText(translations_.text("SHotKeyNotRegistered"), {ShortcutText(shortcut_)},
                            translations_.decimalSeparator())
        : FormatMessageText(translations_.text("SHotKeyBindCommand"), {ShortcutText(shortcut_), refusalCommand_.toStdString()},
                            translations_.decimalSeparator());
    prompts_.message(mkWarning, QString::fromStdString(text));
}

void HotkeyService::release()
{
    if (id_ == 0)
        return;
    backend_->Unregister(id_);
    id_ = 0;
}

void HotkeyService::change(QKeyCombination shortcut)
{
    release();
    setShortcut(shortcut);
    grab();
}

void HotkeyService::onHotkeyPressed(int id)
{
    if (id != 0 && id == id_)
        emit triggered();
}
