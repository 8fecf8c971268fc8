#pragma once
// The capture hotkey: its combination, and its system-wide registration. A combination the system refuses is reported in a
// warning; it would otherwise look as if it worked.
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "config/ShortcutSetting.h"

class IGlobalHotkey;
class Prompts;
class Translations;

class HotkeyService : public QObject {
    Q_OBJECT
public:
    // A refused combination is reported through the prompts, in the language in use.
    HotkeyService(std::unique_ptr<IGlobalHotkey> backend, Prompts& prompts, const Translations& translations,
                  QObject* parent = nullptr);
    ~HotkeyService() override;

    QKeyCombination shortcut() const { return shortcut_; }
    // The identifier the combination is registered under; 0 while it is not.
    int id() const { return id_; }

    // Takes a combination without registering it (the settings, before the window shows).
    void setShortcut(QKeyCombination shortcut);
    // Takes the settings' combination by its name. One the hotkey dialog would
    // refuse (a plain key would be taken from every program), or none, gives
    // way to the default: the refused text is returned for the start to tell.
    std::optional<std::string> setStoredShortcut(const std::string& name);
    enum class Refusal { Warn, Quiet };
    // Registers the combination; a refusal is reported unless told to keep
    // quiet. A desktop that answers later reports its refusal when it comes.
    void grab(Refusal refusal = Refusal::Warn);
    // Where the desktop gives out hotkeys itself, the refusal warning names
    // this command for the user to bind instead.
    void setRefusalCommand(const QString& command) { refusalCommand_ = command; }
    // Unregisters it.
    void release();
    // Registers another combination in place of the current one (also the same one anew).
    void change(QKeyCombination shortcut);

signals:
    void triggered();
    void shortcutChanged(QKeyCombination shortcut);

private:
    void onHotkeyPressed(int id);
    void warnRefused();

    std::unique_ptr<IGlobalHotkey> backend_;
    Prompts& prompts_;
    const Translations& translations_;
    QKeyCombination shortcut_ = kNoShortcut;
    int id_ = 0;
    QString refusalCommand_;
};
