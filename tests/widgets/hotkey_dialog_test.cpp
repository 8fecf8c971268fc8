// The hotkey dialog and its entry control, the key table behind it, and the
// registration of the capture hotkey by the main window.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>
#include <set>
#include <utility>
#include <vector>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "capture/ShortcutKeys.h"
#include "capture/CaptureController.h"
#include "capture/HotkeyDialog.h"
#include "capture/HotkeyService.h"
#include "platform/VirtualKeys.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeySyms.h"
#include "platform/portal/PortalGlobalHotkey.h"

namespace {

// Records registrations; refuses the combinations it is told to.
class FakeHotkey : public IGlobalHotkey {
public:
    struct Registration {
        int id;
        QKeyCombination combination;
    };
    std::vector<Registration> active;
    std::vector<QKeyCombination> refused;
    int registerCalls = 0;

    bool Register(int id, QKeyCombination combination) override
    {
        ++registerCalls;
        if (std::ranges::find(refused, combination) != refused.end())
            return false;
        active.push_back({id, combination});
        return true;
    }
    void Unregister(int id) override
    {
        std::erase_if(active, [id](const Registration& r) { return r.id == id; });
    }
    void Press(int id) { emit HotKeyPressed(id); }
    void RefuseLater(int id) { emit RegistrationRefused(id); }
};

// A main window with a fake hotkey, shown with the hotkey the settings carry.
struct ShownMainForm {
    TestAppDir dir;
    RecordingPrompts prompts;
    FakeHotkey* hotkey = new FakeHotkey;
    MainWindow form{{.prompts = prompts, .paths = dir.paths(), .globalHotkey = std::unique_ptr<IGlobalHotkey>(hotkey)}};
    bool exposed = false;

    ShownMainForm()
    {
        form.show();
        // Captures take the swatch's colour only while no tick has read the screen.
        form.capture().stop();
        exposed = QTest::qWaitForWindowExposed(&form);
        // After the language file.
        UseLanguageLines(LanguageOf(form), "SHotKeyNotRegistered=Hotkey %s refused\n");
    }
    ~ShownMainForm()
    {
        form.close();
    }
    QString Panel1() const { return Parts(form).StatusBar->panelText(1); }
};

// Opens the dialog from the menu, acts on it while shown, closes it.
void OpenHotKeyDialog(ShownMainForm& main, const std::function<void(HotkeyDialog&)>& act)
{
    main.prompts.onDialog = [&](QDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        act(static_cast<HotkeyDialog&>(dialog));
    };
    Parts(main.form).item("MenuHotkey")->trigger();
    main.prompts.onDialog = nullptr;
}

void Press(HotkeyEdit* edit, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(edit, key, modifiers);
}

} // namespace

class HotKeyDialogTest : public QObject {
    Q_OBJECT

private slots:
    void keyTableRoundTripsEveryKey()
    {
        const std::vector<unsigned> keys = KnownVirtualKeys();
        std::set<unsigned> known(keys.begin(), keys.end());
        QCOMPARE(known.size(), keys.size());
        std::set<std::uint32_t> keySyms;
        for (unsigned vk : keys) {
            Qt::KeyboardModifiers keypad;
            const int qtKey = VirtualKeyToQtKey(vk, &keypad);
            QVERIFY2(qtKey != 0, qPrintable(QString::number(vk)));
            QCOMPARE(VirtualKeyFromQtKey(qtKey, keypad), vk);
            const std::uint32_t keySym = KeySymOf(QKeyCombination(keypad, Qt::Key(qtKey)));
            QVERIFY2(keySym != 0, qPrintable(QString::number(vk)));
            QVERIFY2(keySyms.insert(keySym).second, qPrintable(QString::number(vk)));
            // The portal's text names every key by its keysym: letters, digits and "_" only.
            const QString trigger = PortalShortcutTrigger(QKeyCombination(Qt::AltModifier | keypad, Qt::Key(qtKey)));
            QVERIFY2(QRegularExpression("^ALT\\+[A-Za-z0-9_]+$").match(trigger).hasMatch(), qPrintable(trigger));
        }
        QCOMPARE(PortalShortcutTrigger(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_F5), QString("CTRL+ALT+SHIFT+F5"));
        QCOMPARE(PortalShortcutTrigger(Qt::CTRL | Qt::Key_Comma), QString("CTRL+comma"));
        QCOMPARE(PortalShortcutTrigger(QKeyCombination(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_Plus)), QString("ALT+KP_Add"));
        QCOMPARE(PortalShortcutTrigger(Qt::ALT | Qt::Key_C), QString("ALT+c"));
        // Every key with a fixed name can be registered and typed.
        for (unsigned vk = 8; vk <= 255; ++vk)
            if (!FixedKeyName(vk).empty())
                QVERIFY2(known.count(vk), qPrintable(QString::number(vk)));
        // Punctuation of the OEM range is in the table too.
        for (unsigned vk : {186u, 187u, 188u, 189u, 190u, 191u, 192u, 219u, 220u, 221u, 222u})
            QVERIFY(known.count(vk));
        QCOMPARE(VirtualKeyFromQtKey(Qt::Key_5, Qt::KeypadModifier), 101u);
        QCOMPARE(VirtualKeyFromQtKey(Qt::Key_5, Qt::NoModifier), unsigned('5'));
        QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Enter, Qt::KeypadModifier), 13u);
        QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Exclam, Qt::ShiftModifier), unsigned('1'));
        QCOMPARE(ShortCutToKeySequence(scAlt | 'C'), QKeySequence(Qt::ALT | Qt::Key_C));
        QCOMPARE(ShortCutToKeySequence(scShift | scCtrl | 116), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F5));
        QCOMPARE(ShortCutToKeySequence(0), QKeySequence());
    }

    void layoutNamesComeFromThePlatformWhileInstalled()
    {
        QCOMPARE(ShortcutName(scCtrl | scAlt | 188), std::string());
        {
            PlatformKeyNames names; // the offscreen platform names printable keys by their character
            QCOMPARE(ShortcutName(scCtrl | scAlt | 188), std::string("Ctrl+Alt+,"));
            QCOMPARE(ShortcutFromName("Ctrl+Alt+,"), TShortCut(scCtrl | scAlt | 188));
            QCOMPARE(ShortcutName(scAlt | 'C'), std::string("Alt+C"));
        }
        QCOMPARE(ShortcutName(scCtrl | scAlt | 188), std::string());
    }

    void dialogLayout()
    {
        HotkeyDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings..."));
        QCOMPARE(dialog.size(), QSize(187, 36));
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog.label()->text(), QStringLiteral("Hotkey:"));
        // At its place, at least its designed 38 x 13 and as wide as its text.
        const QRect label = dialog.label()->geometry();
        QCOMPARE(label.topLeft(), QPoint(29, 10));
        QVERIFY(label.width() >= 38 && label.height() >= 13);
        QVERIFY2(label.width() >= dialog.label()->fontMetrics().horizontalAdvance("Hotkey:"),
                 qPrintable(QString::number(label.width())));
        QVERIFY(label.right() < dialog.edit()->x());
        QCOMPARE(dialog.edit()->geometry(), QRect(77, 6, 81, 19));
        QVERIFY(dialog.findChildren<QPushButton*>().isEmpty());
        QVERIFY(dialog.findChildren<QDialogButtonBox*>().isEmpty());
        QCOMPARE(dialog.edit()->shortcut(), TShortCut(0)); // opened on no shortcut
        QVERIFY(dialog.edit()->text().isEmpty());
    }

    void entryControlTakesOnlyCombinationsWithCtrlOrAlt_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected"); // 0: refused, the value stays Alt+C
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+Alt+K") << int(Qt::Key_K) << int(Qt::ControlModifier | Qt::AltModifier)
                                    << int(scCtrl | scAlt | 'K') << "Ctrl+Alt+K";
        QTest::newRow("Maj+Ctrl+F5") << int(Qt::Key_F5) << int(Qt::ShiftModifier | Qt::ControlModifier)
                                     << int(scShift | scCtrl | 116) << "Maj+Ctrl+F5";
        QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::AltModifier | Qt::KeypadModifier)
                                      << int(scAlt | 103) << "Alt+7";
        QTest::newRow("Alt+Suppr") << int(Qt::Key_Delete) << int(Qt::AltModifier) << int(scAlt | 46) << "Alt+Suppr";
        QTest::newRow("Ctrl+Entrée") << int(Qt::Key_Return) << int(Qt::ControlModifier) << int(scCtrl | 13)
                                     << QString::fromUtf8("Ctrl+Entrée");
        QTest::newRow("key alone") << int(Qt::Key_K) << 0 << 0 << "Alt+C";
        QTest::newRow("Shift alone") << int(Qt::Key_K) << int(Qt::ShiftModifier) << 0 << "Alt+C";
        QTest::newRow("F5 alone") << int(Qt::Key_F5) << 0 << 0 << "Alt+C";
        QTest::newRow("with Meta") << int(Qt::Key_K) << int(Qt::MetaModifier | Qt::AltModifier) << 0 << "Alt+C";
        QTest::newRow("no virtual key") << int(Qt::Key_VolumeUp) << int(Qt::AltModifier) << 0 << "Alt+C";
    }

    void entryControlTakesOnlyCombinationsWithCtrlOrAlt()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, expected);
        QFETCH(QString, text);
        HotkeyDialog dialog;
        dialog.edit()->setShortcut(scAlt | 'C');
        Press(dialog.edit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(dialog.edit()->shortcut(), TShortCut(expected ? expected : (scAlt | 'C')));
        QCOMPARE(dialog.edit()->text(), text);
    }

    void entryControlClearsAndShowsHeldModifiers()
    {
        HotkeyDialog dialog;
        HotkeyEdit* edit = dialog.edit();
        edit->setShortcut(scAlt | 'C');
        QTest::keyPress(edit, Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("Ctrl+"));
        QCOMPARE(edit->shortcut(), TShortCut(scAlt | 'C'));
        QTest::keyRelease(edit, Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(edit->text(), QStringLiteral("Alt+C"));
        Press(edit, Qt::Key_Backspace);
        QCOMPARE(edit->shortcut(), TShortCut(0));
        QVERIFY(edit->text().isEmpty());
        edit->setShortcut(scAlt | 'C');
        Press(edit, Qt::Key_Delete);
        QCOMPARE(edit->shortcut(), TShortCut(0));
    }

    void menuOpensTheDialogOnTheCurrentHotkeyAndClosingAppliesIt()
    {
        ShownMainForm main;
        MainWindow& form = main.form;
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::ALT | Qt::Key_C);
        QCOMPARE(main.hotkey->active[0].id, form.hotkeys().id());
        QVERIFY(form.hotkeys().id() != 0);
        QVERIFY(main.Panel1().endsWith(" Alt+C"));

        bool ran = false;
        OpenHotKeyDialog(main, [&](HotkeyDialog& dialog) {
            ran = true;
            QCOMPARE(dialog.edit()->text(), QStringLiteral("Alt+C"));
            Press(dialog.edit(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
            // The old combination keeps capturing while the dialog is open.
            QCOMPARE(main.hotkey->active.size(), std::size_t(1));
            QCOMPARE(main.hotkey->active[0].combination, Qt::ALT | Qt::Key_C);
            // Its modifiers reach the field, its key only the desktop's grab:
            // once it has captured, the field shows its value again.
            QTest::keyPress(dialog.edit(), Qt::Key_Shift, Qt::ShiftModifier);
            QTest::keyPress(dialog.edit(), Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
            QCOMPARE(dialog.edit()->text(), QStringLiteral("Maj+Ctrl+"));
            main.hotkey->Press(form.hotkeys().id());
            QCOMPARE(dialog.edit()->text(), QStringLiteral("Ctrl+Alt+K"));
        });
        QVERIFY(ran);
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::CTRL | Qt::ALT | Qt::Key_K);
        QCOMPARE(main.hotkey->active[0].id, form.hotkeys().id());
        QCOMPARE(form.menuShortcut(Parts(form).item("ContextCaptureColor")), TShortCut(scCtrl | scAlt | 'K'));
        QVERIFY(main.Panel1().endsWith(" Ctrl+Alt+K"));

        // Closing unchanged registers the same combination anew.
        const int calls = main.hotkey->registerCalls;
        OpenHotKeyDialog(main, [](HotkeyDialog&) {});
        QCOMPARE(main.hotkey->registerCalls, calls + 1);
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::CTRL | Qt::ALT | Qt::Key_K);

        // Escape closes the dialog, and closing applies.
        OpenHotKeyDialog(main, [&](HotkeyDialog& dialog) {
            Press(dialog.edit(), Qt::Key_F2, Qt::AltModifier);
            Press(dialog.edit(), Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(form.menuShortcut(Parts(form).item("ContextCaptureColor")), TShortCut(scAlt | 113));
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::ALT | Qt::Key_F2);
    }

    void clearedControlLeavesNoHotkeyAndNoWarning()
    {
        ShownMainForm main;
        auto& recorder = main.prompts;
        OpenHotKeyDialog(main, [](HotkeyDialog& dialog) { Press(dialog.edit(), Qt::Key_Backspace); });
        QVERIFY(main.hotkey->active.empty());
        QCOMPARE(main.form.menuShortcut(Parts(main.form).item("ContextCaptureColor")), TShortCut(0));
        QCOMPARE(main.Panel1(), TextOf(main.form, "SCapture") + ' ');
        QVERIFY(recorder.messages.empty());
    }

    void refusedCombinationWarnsWithItsText()
    {
        ShownMainForm main;
        auto& recorder = main.prompts;
        QVERIFY(recorder.messages.empty());
        main.hotkey->refused.push_back(Qt::CTRL | Qt::ALT | Qt::Key_K);
        OpenHotKeyDialog(main, [](HotkeyDialog& dialog) {
            Press(dialog.edit(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        });
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        QCOMPARE(recorder.messages[0].kind, (unsigned char)3);
        QCOMPARE(recorder.messages[0].text, QStringLiteral("Hotkey Ctrl+Alt+K refused"));
        QVERIFY(main.hotkey->active.empty());
        // Refused at start-up too.
        main.prompts.messages.clear();
        main.hotkey->refused.push_back(Qt::ALT | Qt::Key_C);
        main.form.hotkeys().change(scAlt | 'C');
        QCOMPARE(main.prompts.messages.size(), std::size_t(1));
        QCOMPARE(main.prompts.messages[0].text, QStringLiteral("Hotkey Alt+C refused"));
        main.form.hotkeys().release();
    }

    // A desktop that answers later (a portal) refuses later; where the desktop
    // gives out hotkeys itself the warning names the command to bind instead.
    void aLaterRefusalNamesTheCaptureCommand()
    {
        ShownMainForm main;
        auto& recorder = main.prompts;
        main.form.hotkeys().setRefusalCommand("huebird-lite --capture");
        main.hotkey->RefuseLater(main.form.hotkeys().id() + 1);
        QVERIFY(recorder.messages.empty());
        main.hotkey->RefuseLater(main.form.hotkeys().id());
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        const QString text = recorder.messages[0].text;
        QVERIFY2(text.contains("Alt+C") && text.contains("huebird-lite --capture"), qPrintable(text));
        main.form.hotkeys().release();
    }

    void hotkeyMessageCapturesOnlyForItsIdentifier()
    {
        ShownMainForm main;
        MainWindow& form = main.form;
        Parts(form).ShSelectedColor->setBrushColor(0x3366CC);
        const int id = form.hotkeys().id();
        main.hotkey->Press(id + 1);
        QVERIFY(form.colorList().colors().empty());
        main.hotkey->Press(id);
        main.hotkey->Press(id);
        QCOMPARE(form.colorList().colors(), TColorArray({0x3366CC, 0x3366CC}));
        QCOMPARE(form.colorList().currentColor(), TColor(0x3366CC));
        form.hotkeys().release();
        QCOMPARE(form.hotkeys().id(), 0);
        main.hotkey->Press(id);
        main.hotkey->Press(0);
        QCOMPARE(form.colorList().colors().size(), std::size_t(2));
    }

    void closingTheMainWindowReleasesTheHotkey()
    {
        ShownMainForm main;
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        main.form.close();
        QVERIFY(main.hotkey->active.empty());
        QCOMPARE(main.form.hotkeys().id(), 0);
    }

    // At start the settings are read before the language file, whose texts
    // then say the hotkey's refusal, before the refusal of the settings' hotkey.
    void startUpReadsSettingsThenLanguageThenRegistersAndWarns()
    {
        TestAppDir dir;
        dir.write("HuebirdLite.ini", "Rns=3\r\nLanguage=de\r\nHK_CAPTURE=Maj+A\r\n");
        RecordingPrompts recorder;
        auto* hotkey = new FakeHotkey;
        hotkey->refused.push_back(Qt::ALT | Qt::Key_C);
        MainWindow form({.prompts = recorder, .paths = dir.paths(), .globalHotkey = std::unique_ptr<IGlobalHotkey>(hotkey)});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString refused = QString::fromUtf8("Das Tastenk\u00fcrzel %1 konnte nicht registriert werden");
        QCOMPARE(recorder.messages.size(), std::size_t(2));
        QVERIFY2(recorder.messages[0].text.startsWith(refused.arg("Alt+C")), qPrintable(recorder.messages[0].text));
        QVERIFY2(recorder.messages[1].text.startsWith(refused.arg("Maj+A")), qPrintable(recorder.messages[1].text));
        QCOMPARE(Parts(form).StatusBar->panelText(1), QStringLiteral("Erfassen: Alt+C"));
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("&Datei"));
        QCOMPARE(hotkey->registerCalls, 1);
        QVERIFY(form.capture().isRunning());
        form.close();
        QVERIFY(dir.read("HuebirdLite.ini").contains("\r\nHK_CAPTURE=Alt+C\r\n"));
    }

    // The capture item of the popup is hidden: it carries the hotkey's text,
    // and the hotkey pressed in the window captures nothing more.
    void hiddenCaptureItemCarriesTheHotkey()
    {
        ShownMainForm main;
        MainWindow& form = main.form;
        QVERIFY(!Parts(form).item("ContextCaptureColor")->isVisible());
        QCOMPARE(Parts(form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
        QCOMPARE(Parts(form).item("ContextCaptureColor")->text(), QStringLiteral("C&apture color\tAlt+C"));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(Parts(form).NotationBox, Qt::Key_C, Qt::AltModifier);
        QVERIFY(form.colorList().colors().empty());
        OpenHotKeyDialog(main, [](HotkeyDialog& dialog) {
            Press(dialog.edit(), Qt::Key_J, Qt::AltModifier);
        });
        QCOMPARE(Parts(form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_J));
        QCOMPARE(Parts(form).item("ContextCaptureColor")->text(), QStringLiteral("C&apture color\tAlt+J"));
        QVERIFY(!Parts(form).item("ContextCaptureColor")->isVisible());
    }

    void modalDialogFromTheMenuIsDestroyedAfterClosing()
    {
        ShownMainForm main;
        main.prompts.execDialogs = true;
        QPointer<HotkeyDialog> opened;
        QTimer::singleShot(0, [&] {
            opened = qobject_cast<HotkeyDialog*>(QApplication::activeModalWidget());
            if (opened) {
                Press(opened->edit(), Qt::Key_J, Qt::AltModifier);
                opened->close();
            } else if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        Parts(main.form).item("MenuHotkey")->trigger();
        QVERIFY(opened.isNull());
        QCOMPARE(main.form.menuShortcut(Parts(main.form).item("ContextCaptureColor")), TShortCut(scAlt | 'J'));
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
    }
};

QTEST_MAIN(HotKeyDialogTest)
#include "hotkey_dialog_test.moc"
