#include "capture/reFormHotKey.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "app/reMainForm.h"
#include "capture/ShortcutKeys.h"

TFormHotKey* FormHotKey = nullptr;

namespace {

HotKeyDialogRunner& DialogRunner()
{
    static HotKeyDialogRunner runner;
    return runner;
}

TShortCut ModifierBits(Qt::KeyboardModifiers modifiers)
{
    TShortCut bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= scShift;
    if (modifiers & Qt::ControlModifier) bits |= scCtrl;
    if (modifiers & Qt::AltModifier) bits |= scAlt;
    return bits;
}

// The modifier bit a modifier key stands for; 0 for other keys. The state
// reported with a modifier key's own press or release may or may not
// include it, depending on the platform.
TShortCut ModifierOfKey(int key)
{
    switch (key) {
    case Qt::Key_Shift: return scShift;
    case Qt::Key_Control: return scCtrl;
    case Qt::Key_Alt: return scAlt;
    default: return 0;
    }
}

bool IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

// "Ctrl+Alt+" while only modifiers are held, like the text form's prefixes.
QString ModifierPrefix(TShortCut bits)
{
    QString text;
    if (bits & scShift) text += "Maj+";
    if (bits & scCtrl) text += "Ctrl+";
    if (bits & scAlt) text += "Alt+";
    return text;
}

} // namespace

void SetHotKeyDialogRunner(HotKeyDialogRunner runner)
{
    DialogRunner() = std::move(runner);
}

void RunHotKeyDialog(TFormHotKey& dialog)
{
    if (const HotKeyDialogRunner& runner = DialogRunner())
        runner(dialog);
    else
        dialog.exec();
}

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool THotKeyEdit::IsValidCombination(TShortCut shortcut)
{
    return (shortcut & scKeyMask) != 0 && (shortcut & (scCtrl | scAlt)) != 0;
}

void THotKeyEdit::SetShortCut(TShortCut shortcut)
{
    shortcut_ = shortcut;
    ShowValue();
}

void THotKeyEdit::ShowValue()
{
    setText(QString::fromStdString(ShortcutName(shortcut_)));
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const TShortCut bits = ModifierBits(mods);
    const bool plain = (mods & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        event->ignore(); // the dialog closes or moves the focus
        return;
    }
    event->accept();
    if (plain && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        SetShortCut(0);
        return;
    }
    if (IsModifierKey(key) || key == Qt::Key_unknown) {
        setText(ModifierPrefix(bits | ModifierOfKey(key)));
        return;
    }
    // Meta has no place in the shortcut value: such a combination is refused.
    if (mods & Qt::MetaModifier) {
        ShowValue();
        return;
    }
    const TShortCut combination = ShortCutFromQtKey(key, mods);
    if (IsValidCombination(combination) && !ShortcutName(combination).empty())
        SetShortCut(combination);
    else
        ShowValue();
}

void THotKeyEdit::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (IsModifierKey(event->key())) {
        const TShortCut held = ModifierBits(event->modifiers()) & ~ModifierOfKey(event->key());
        if (held)
            setText(ModifierPrefix(held));
        else
            ShowValue();
    }
}

void THotKeyEdit::focusOutEvent(QFocusEvent* event)
{
    ShowValue();
    QLineEdit::focusOutEvent(event);
}

TFormHotKey::TFormHotKey(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName("FormHotKey");
    setWindowTitle("Settings...");
    setFixedSize(187, 36);
    LabelHotKey = new QLabel("Hotkey:", this);
    LabelHotKey->setObjectName("LabelHotKey");
    LabelHotKey->setGeometry(29, 10, 38, 13);
    LabelHotKey->setAttribute(Qt::WA_TranslucentBackground);
    HK_CAPTURE = new THotKeyEdit(this);
    HK_CAPTURE->setObjectName("HK_CAPTURE");
    HK_CAPTURE->setGeometry(77, 6, 81, 19);
    FormCreate();
}

void TFormHotKey::FormCreate()
{
    if (MainForm && MainForm->PopupCaptureColor)
        HK_CAPTURE->SetShortCut(MainForm->MenuShortCut(MainForm->PopupCaptureColor));
}

void TFormHotKey::FormClose()
{
    if (!MainForm)
        return;
    const TShortCut shortcut = HK_CAPTURE->ShortCut();
    MainForm->UnregisterCaptureHotKey();
    MainForm->RegHotKey(shortcut, "HKey_CAPTURE");
    MainForm->SetMenuShortCut(MainForm->PopupCaptureColor, shortcut);
    MainForm->ResetStatusBar();
}

void TFormHotKey::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFormHotKey::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        const QRect frame = frameGeometry();
        move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}
