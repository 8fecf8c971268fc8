// The capture hotkey of the main window: registration under the atom of its
// name, the system's hotkey message, and the hotkey dialog.
#include "config/MessageText.h"
#include "app/reMainForm.h"
#include "capture/AtomTable.h"
#include "capture/reFormHotKey.h"
#include "config/UiTexts.h"
#include "platform/GlobalHotkey.h"
#include "ui/Prompts.h"

static_assert(hkModAlt == MOD_ALT && hkModControl == MOD_CONTROL && hkModShift == MOD_SHIFT);

void TMainForm::RegHotKey(TShortCut shortcut, const QString& name)
{
    const THotKey hotKey = ShortCutToHotKey(shortcut);
    const TAtom atom = GlobalAddAtomA(name.toStdString());
    const bool registered = hotKey.VirtualKey != 0 && atom != 0
        && GlobalHotkey().Register(atom, hotKey.Modifiers, hotKey.VirtualKey);
    if (name == QLatin1String("HKey_CAPTURE"))
        HotKeyId = atom;
    // A refused combination would otherwise look as if it worked: the status
    // bar and the settings file still show it.
    if (!registered && shortcut != 0)
        prompts_.message(mkWarning, QString::fromStdString(
            FormatMessageText(UiTexts().SHotKeyNotRegistered, {ShortcutName(shortcut)})));
}

void TMainForm::UnregisterCaptureHotKey()
{
    if (HotKeyId == 0)
        return;
    GlobalHotkey().Unregister(HotKeyId);
    GlobalDeleteAtom(TAtom(HotKeyId));
    // The atom may be handed out again; keep no stale identifier.
    HotKeyId = 0;
}

void TMainForm::WMHotKey(int id)
{
    if (id != 0 && id == HotKeyId)
        CaptureColor();
}

void TMainForm::ButtonHotKeyClick()
{
    TFormHotKey dialog(this);
    RunHotKeyDialog(dialog);
}

void TMainForm::SetGlobalHotkey(std::unique_ptr<IGlobalHotkey> hotkey)
{
    if (!hotkey)
        return;
    globalHotkey_ = std::move(hotkey);
    connect(globalHotkey_.get(), &IGlobalHotkey::HotKeyPressed, this, &TMainForm::WMHotKey);
}
