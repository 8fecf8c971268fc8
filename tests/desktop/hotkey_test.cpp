// The capture hotkey on a real X server: real key events through XTest reach
// the program whichever window has the focus, with lock keys on or off; the
// dialog changes the combination; a combination held by another client warns.
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QtTest>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include "DesktopTestSupport.h"

namespace {

const QColor kColourA(200, 60, 90);
const QColor kColourB(40, 160, 90);
const QRect kPatchA(40, 40, 120, 120);
const QRect kPatchB(40, 220, 120, 120);

bool Near(QRgb a, const QColor& b, int tolerance = 2)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

xcb_connection_t* Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t Root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
}

xcb_keycode_t KeyCodeOf(xcb_keysym_t keySym)
{
    std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t*)> symbols(xcb_key_symbols_alloc(Connection()),
                                                                             xcb_key_symbols_free);
    std::unique_ptr<xcb_keycode_t, void (*)(void*)> codes(xcb_key_symbols_get_keycode(symbols.get(), keySym),
                                                          std::free);
    return codes ? codes.get()[0] : 0;
}

// True when the server granted the grab.
bool GrabKey(xcb_keycode_t code, std::uint16_t modifiers)
{
    const xcb_void_cookie_t cookie = xcb_grab_key_checked(Connection(), 1, Root(), modifiers, code,
                                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_generic_error_t* error = xcb_request_check(Connection(), cookie);
    std::free(error);
    return !error;
}

void UngrabKey(xcb_keycode_t code, std::uint16_t modifiers)
{
    xcb_ungrab_key(Connection(), code, Root(), modifiers);
    xcb_flush(Connection());
}

std::uint16_t KeyboardState()
{
    std::unique_ptr<xcb_query_pointer_reply_t, void (*)(void*)> reply(
        xcb_query_pointer_reply(Connection(), xcb_query_pointer(Connection(), Root()), nullptr), std::free);
    return reply ? reply->mask : 0;
}

// Key events as XTest sends them, without xdotool clearing the lock keys.
void Keys(const QString& combination) { XDo({"key", combination}); }

class Program {
public:
    bool Start()
    {
        if (!app.start() || !app.waitForMainWindow())
            return false;
        client = app.clientPoint(0, 0);
        return true;
    }
    // Row r of the capture list, left of its text; and the code field's background.
    QRgb Row(int r) const { return ScreenPixel(client.x() + 129, client.y() + 12 + 20 * r); }
    QRgb CodeField() const { return ScreenPixel(client.x() + 263, client.y() + 96); }
    QImage Panel1() const { return GrabScreen(QRect(client.x() + 64, client.y() + 114, 58, 15)); }
    bool RowBecomes(int r, const QColor& c) const { return app.waitForListRow(r, c); }
    QString FindWindow(const QString& name)
    {
        return XDo({"search", "--all", "--onlyvisible", "--pid", QString::number(app.process().processId()), "--name", name})
            .trimmed()
            .split('\n')
            .first();
    }
    void OpenHotKeyDialog() const
    {
        // "Options" on the menu bar, then its first item "Hotkey".
        const QRect w = app.windowRect();
        MovePointer(w.x() + 105, w.y() + 9);
        XDo({"click", "1"});
        app.waitUntilInputHandled(); // the menu is open and takes the keys
        Keys("Down");
        Keys("Return");
    }

    RunningApp app;
    QPoint client;
};

} // namespace

class HotKeyTest : public QObject {
    Q_OBJECT

private slots:
    void altCCapturesFromAnotherWindowWithLockKeysOnOrOff()
    {
        ColourPatch a(kPatchA, kColourA), b(kPatchB, kColourB);
        QVERIFY(a.WaitUntilShown() && b.WaitUntilShown());
        Program program;
        QVERIFY(program.Start());
        // Another program's window has the focus.
        XDo({"windowfocus", "--sync", QString::number(a.winId())});

        a.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourA));
        Keys("alt+c");
        QVERIFY(program.RowBecomes(0, kColourA));
        QVERIFY(WaitFor([&] { return Near(program.CodeField(), kColourA); }));
        QVERIFY(!Near(program.Row(1), kColourA));
        Keys("alt+c");
        QVERIFY(program.RowBecomes(1, kColourA));
        QVERIFY(Near(program.Row(0), kColourA));

        Keys("Num_Lock");
        QVERIFY(WaitFor([] { return (KeyboardState() & XCB_MOD_MASK_2) != 0; }));
        b.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourB));
        Keys("alt+c");
        QVERIFY(program.RowBecomes(0, kColourB));
        QVERIFY(program.RowBecomes(1, kColourA));
        Keys("Caps_Lock");
        QVERIFY(WaitFor([] { return (KeyboardState() & XCB_MOD_MASK_LOCK) != 0; }));
        a.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourA));
        Keys("alt+c");
        QVERIFY(program.RowBecomes(0, kColourA));
        QVERIFY(program.RowBecomes(1, kColourB));
        Keys("Caps_Lock");
        Keys("Num_Lock");
        QVERIFY(WaitFor([] { return (KeyboardState() & (XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK)) == 0; }));

        QVERIFY(program.app.closeAndWait());
    }

    void dialogMovesTheCaptureToCtrlAltK()
    {
        Program program;
        QVERIFY(program.Start());
        const QImage panelBefore = program.Panel1();

        program.OpenHotKeyDialog();
        QString dialog;
        QVERIFY(WaitFor([&] { return !(dialog = program.FindWindow("^Settings\\.\\.\\.$")).isEmpty(); }));
        XDo({"windowfocus", "--sync", dialog});
        Keys("ctrl+alt+k");
        Keys("Escape");
        QVERIFY(WaitFor([&] { return program.FindWindow("^Settings\\.\\.\\.$").isEmpty(); }));
        QVERIFY(WaitFor([&] { return program.Panel1() != panelBefore; }));
        ColourPatch a(kPatchA, kColourA), b(kPatchB, kColourB);
        QVERIFY(a.WaitUntilShown() && b.WaitUntilShown());

        // Alt+C over A captures nothing now; Ctrl+Alt+K over B then captures B
        // alone (an A below it would be the old combination's capture).
        XDo({"windowfocus", "--sync", QString::number(a.winId())});
        a.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourA));
        Keys("alt+c");
        b.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourB));
        Keys("ctrl+alt+k");
        QVERIFY(program.RowBecomes(0, kColourB));
        QVERIFY(!Near(program.Row(1), kColourA));
        QVERIFY(program.app.closeAndWait());
        QVERIFY(program.app.readFile("HuebirdLite.ini").contains("HK_CAPTURE=Ctrl+Alt+K"));
    }

    void settingsNameAKeyOfTheLayout()
    {
        ColourPatch a(kPatchA, kColourA);
        QVERIFY(a.WaitUntilShown());
        Program program;
        program.app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=1\r\nShowNewVersion=False\r\n"
                                                 "[Preferences]\r\nHK_CAPTURE=ctrl+alt+,\r\n");
        QVERIFY(program.Start());
        XDo({"windowfocus", "--sync", QString::number(a.winId())});
        a.PointAt();
        QVERIFY(program.app.waitForSwatch(kColourA));
        Keys("ctrl+alt+comma");
        QVERIFY(program.RowBecomes(0, kColourA));
        QVERIFY(program.app.closeAndWait());
        QVERIFY(program.app.readFile("HuebirdLite.ini").contains("HK_CAPTURE=Ctrl+Alt+,"));
    }

    void combinationHeldByAnotherClientWarnsAndLeavesNothingGrabbed()
    {
        const xcb_keycode_t c = KeyCodeOf('c');
        QVERIFY(c != 0);
        QVERIFY(GrabKey(c, XCB_MOD_MASK_1));
        Program program;
        QVERIFY(program.app.start());
        QString box;
        QVERIFY(WaitFor([&] { return !(box = program.FindWindow("^Avertissement$")).isEmpty(); }));
        // The variants the program did get were released again.
        for (std::uint16_t lock : {std::uint16_t(XCB_MOD_MASK_2), std::uint16_t(XCB_MOD_MASK_LOCK),
                                   std::uint16_t(XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK)}) {
            QVERIFY2(GrabKey(c, XCB_MOD_MASK_1 | lock), qPrintable(QString::number(lock)));
            UngrabKey(c, XCB_MOD_MASK_1 | lock);
        }
        XDo({"windowfocus", "--sync", box});
        PressKeys("Return");
        QVERIFY(program.app.waitForMainWindow());
        QCOMPARE(program.app.windowRect().width(), kClientSize.width()); // not Qt's default size
        UngrabKey(c, XCB_MOD_MASK_1);
        QVERIFY(program.app.closeAndWait());
    }
};

QTEST_MAIN(HotKeyTest)
#include "hotkey_test.moc"
