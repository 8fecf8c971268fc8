// The hotkey dialog and its entry control, the key table behind it, and the
// registration of the capture hotkey by the main window.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>
#include <set>
#include <utility>
#include <vector>

#include "FakeHotkey.h"
#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "config/ShortcutSetting.h"
#include "core/config/ShortcutText.h"
#include "capture/CaptureController.h"
#include "capture/HotkeyDialog.h"
#include "capture/HotkeyService.h"
#include "platform/VirtualKeys.h"
#include "config/Translations.h"
#include "platform/GlobalHotkey.h"
#include "platform/KeySyms.h"
#include "platform/portal/PortalGlobalHotkey.h"

namespace {

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
        Parts(form).capture().stop();
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
        // The settings' text and back; keypad digits are written as the main ones.
        QCOMPARE(ShortcutFromText("Alt+C"), Qt::ALT | Qt::Key_C);
        QCOMPARE(ShortcutFromText("maj+ctrl+F5"), Qt::SHIFT | Qt::CTRL | Qt::Key_F5);
        QCOMPARE(ShortcutText(Qt::SHIFT | Qt::CTRL | Qt::Key_F5), std::string("Maj+Ctrl+F5"));
        QCOMPARE(ShortcutText(QKeyCombination(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_7)), std::string("Alt+7"));
        QCOMPARE(ShortcutFromText("Alt+7"), Qt::ALT | Qt::Key_7);
        QCOMPARE(ShortcutFromText("Alt+Volume"), kNoShortcut);
        QCOMPARE(ShortcutText(kNoShortcut), std::string());
        QCOMPARE(QKeySequence(kNoShortcut), QKeySequence());
    }

    void layoutNamesComeFromThePlatformWhileInstalled()
    {
        QCOMPARE(ShortcutText(Qt::CTRL | Qt::ALT | Qt::Key_Comma), std::string());
        {
            PlatformKeyNames names; // the offscreen platform names printable keys by their character
            QCOMPARE(ShortcutText(Qt::CTRL | Qt::ALT | Qt::Key_Comma), std::string("Ctrl+Alt+,"));
            QCOMPARE(ShortcutFromText("Ctrl+Alt+,"), (Qt::CTRL | Qt::ALT | Qt::Key_Comma));
            QCOMPARE(ShortcutText(Qt::ALT | Qt::Key_C), std::string("Alt+C"));
        }
        QCOMPARE(ShortcutText(Qt::CTRL | Qt::ALT | Qt::Key_Comma), std::string());
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
        QCOMPARE(dialog.edit()->shortcut(), kNoShortcut); // opened on no shortcut
        QVERIFY(dialog.edit()->text().isEmpty());
    }

    void entryControlTakesOnlyCombinationsWithCtrlOrAlt_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected"); // combined; 0: refused, the value stays Alt+C
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+Alt+K") << int(Qt::Key_K) << int(Qt::ControlModifier | Qt::AltModifier)
                                    << (Qt::CTRL | Qt::ALT | Qt::Key_K).toCombined() << "Ctrl+Alt+K";
        QTest::newRow("Maj+Ctrl+F5") << int(Qt::Key_F5) << int(Qt::ShiftModifier | Qt::ControlModifier)
                                     << (Qt::SHIFT | Qt::CTRL | Qt::Key_F5).toCombined() << "Maj+Ctrl+F5";
        QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::AltModifier | Qt::KeypadModifier)
                                      << QKeyCombination(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_7).toCombined() << "Alt+7";
        QTest::newRow("Alt+Suppr") << int(Qt::Key_Delete) << int(Qt::AltModifier) << (Qt::ALT | Qt::Key_Delete).toCombined() << "Alt+Suppr";
        QTest::newRow("Ctrl+Entrée") << int(Qt::Key_Return) << int(Qt::ControlModifier) << (Qt::CTRL | Qt::Key_Return).toCombined()
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
        dialog.edit()->setShortcut(Qt::ALT | Qt::Key_C);
        Press(dialog.edit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(dialog.edit()->shortcut(), expected ? QKeyCombination::fromCombined(expected) : Qt::ALT | Qt::Key_C);
        QCOMPARE(dialog.edit()->text(), text);
    }

    void entryControlClearsAndShowsHeldModifiers()
    {
        HotkeyDialog dialog;
        HotkeyEdit* edit = dialog.edit();
        edit->setShortcut(Qt::ALT | Qt::Key_C);
        QTest::keyPress(edit, Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("Ctrl+"));
        QCOMPARE(edit->shortcut(), (Qt::ALT | Qt::Key_C));
        QTest::keyRelease(edit, Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(edit->text(), QStringLiteral("Alt+C"));
        Press(edit, Qt::Key_Backspace);
        QCOMPARE(edit->shortcut(), kNoShortcut);
        QVERIFY(edit->text().isEmpty());
        edit->setShortcut(Qt::ALT | Qt::Key_C);
        Press(edit, Qt::Key_Delete);
        QCOMPARE(edit->shortcut(), kNoShortcut);
    }

    void menuOpensTheDialogOnTheCurrentHotkeyAndClosingAppliesIt()
    {
        ShownMainForm main;
        MainWindow& form = main.form;
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::ALT | Qt::Key_C);
        const int id = main.hotkey->active[0].id;
        QVERIFY(id != 0);
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
            main.hotkey->Press(id);
            QCOMPARE(dialog.edit()->text(), QStringLiteral("Ctrl+Alt+K"));
        });
        QVERIFY(ran);
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::CTRL | Qt::ALT | Qt::Key_K);
        QCOMPARE(main.hotkey->active[0].id, id);
        QCOMPARE(Parts(form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
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
        QCOMPARE(Parts(form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F2));
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        QCOMPARE(main.hotkey->active[0].combination, Qt::ALT | Qt::Key_F2);
    }

    void clearedControlLeavesNoHotkeyAndNoWarning()
    {
        ShownMainForm main;
        auto& recorder = main.prompts;
        OpenHotKeyDialog(main, [](HotkeyDialog& dialog) { Press(dialog.edit(), Qt::Key_Backspace); });
        QVERIFY(main.hotkey->active.empty());
        QCOMPARE(Parts(main.form).item("ContextCaptureColor")->shortcut(), QKeySequence());
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
        // Each refused combination warns with its own text.
        main.prompts.messages.clear();
        main.hotkey->refused.push_back(Qt::ALT | Qt::Key_C);
        OpenHotKeyDialog(main, [](HotkeyDialog& dialog) { Press(dialog.edit(), Qt::Key_C, Qt::AltModifier); });
        QCOMPARE(main.prompts.messages.size(), std::size_t(1));
        QCOMPARE(main.prompts.messages[0].text, QStringLiteral("Hotkey Alt+C refused"));
        QVERIFY(main.hotkey->active.empty());
    }

    // A desktop that answers later (a portal) refuses later; where the desktop
    // gives out hotkeys itself the warning names the command to bind instead.
    void aLaterRefusalNamesTheCaptureCommand()
    {
        RecordingPrompts recorder;
        Translations translations("", '.');
        auto* hotkey = new FakeHotkey;
        HotkeyService service(std::unique_ptr<IGlobalHotkey>(hotkey), recorder, translations);
        service.setShortcut(Qt::ALT | Qt::Key_C);
        service.setRefusalCommand("huebird-lite --capture");
        service.grab();
        const int id = hotkey->activeId();
        QVERIFY(id != 0);
        hotkey->RefuseLater(id + 1);
        QVERIFY(recorder.messages.empty());
        hotkey->RefuseLater(id);
        QCOMPARE(recorder.messages.size(), std::size_t(1));
        const QString text = recorder.messages[0].text;
        QVERIFY2(text.contains("Alt+C") && text.contains("huebird-lite --capture"), qPrintable(text));
    }

    void hotkeyMessageCapturesOnlyForItsIdentifier()
    {
        ShownMainForm main;
        MainWindow& form = main.form;
        const ColorListModel& list = Parts(form).list();
        Parts(form).ShSelectedColor->setBrushColor(Rgb{204, 102, 51});
        const int id = main.hotkey->activeId();
        main.hotkey->Press(id + 1);
        QVERIFY(list.colors().empty());
        main.hotkey->Press(id);
        main.hotkey->Press(id);
        QCOMPARE(list.colors(), RgbList({Rgb{204, 102, 51}, Rgb{204, 102, 51}}));
        QCOMPARE(list.currentColor(), (Rgb{204, 102, 51}));
        // Once the window has closed, the hotkey captures nothing more.
        form.close();
        QVERIFY(list.colors().empty());
        main.hotkey->Press(id);
        main.hotkey->Press(0);
        QVERIFY(list.colors().empty());
    }

    void closingTheMainWindowReleasesTheHotkey()
    {
        ShownMainForm main;
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
        main.form.close();
        QVERIFY(main.hotkey->active.empty());
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
        QVERIFY(Parts(form).capture().isRunning());
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
        QVERIFY(Parts(form).list().colors().empty());
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
        QCOMPARE(Parts(main.form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_J));
        QCOMPARE(main.hotkey->active.size(), std::size_t(1));
    }
};

QTEST_MAIN(HotKeyDialogTest)
#include "hotkey_dialog_test.moc"
