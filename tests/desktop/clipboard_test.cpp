// The clipboard on a real X server: what the program puts there is what
// another client reads, and what another client offers is what it pastes.
#include <QClipboard>
#include <QWidget>
#include <QtTest>

#include "DesktopTestSupport.h"

namespace {

// A plain window of one colour for the capture hotkey to pick from.
class Swatch : public QWidget {
public:
    Swatch()
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAutoFillBackground(true);
        setGeometry(60, 60, 160, 160); // well away from the centred main window
    }
    void Paint(const QColor& color)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, color);
        setPalette(p);
        repaint();
    }
};

QString HtmlCode(QRgb rgb) { return QColor(rgb).name(QColor::HexRgb).toUpper(); }

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

private:
    // The pointer rests on the swatch; the capture takes what the program shows.
    static bool Capture(Swatch& swatch, const RunningApp& app, const QColor& color)
    {
        swatch.Paint(color);
        if (!WaitFor([&] { return ScreenPixel(140, 140) == color.rgb(); }) || !app.waitForSwatch(color))
            return false;
        PressKeys("alt+c");
        return app.waitForListRow(0, color);
    }

    static void CopyColorListFromTheContextMenu(const RunningApp& app)
    {
        const QPoint free = app.clientPoint(114, 50); // between the magnifier and the list
        MovePointer(free.x(), free.y());
        XDo({"click", "3"});
        app.waitUntilInputHandled(); // the menu is open and takes the keys
        // "Capture color" is hidden: the first item is "Copy color list".
        PressKeys("Down");
        PressKeys("Return");
    }

private slots:
    void copyColorListReachesAnotherClientAndPasteTakesItsText()
    {
        Swatch swatch;
        swatch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&swatch, kPatientMs));

        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());

        const QColor first(0x12, 0x80, 0xFE), second(0xC0, 0x30, 0x05);
        MovePointer(140, 140);
        QVERIFY(Capture(swatch, app, first));
        QVERIFY(Capture(swatch, app, second));

        QVERIFY(TakeClipboard("before"));
        CopyColorListFromTheContextMenu(app);
        const QString twoLines = HtmlCode(second.rgb()) + "\r\n" + HtmlCode(first.rgb()) + "\r\n";
        QVERIFY(WaitForClipboardText(twoLines));

        // Our text, pasted into the code field with the Edit menu's key and
        // accepted with Enter, becomes the list's first colour.
        QVERIFY(TakeClipboard("#00FF7F"));
        const QPoint field = app.clientPoint(223, 96);
        MovePointer(field.x(), field.y());
        XDo({"click", "1"});
        QVERIFY(app.waitUntilInputHandled()); // the field has the keyboard
        PressKeys("ctrl+alt+v");
        PressKeys("Return");
        QVERIFY(app.waitUntilInputHandled());

        // Ctrl+C in the field copies the whole code, not the selection.
        QVERIFY(TakeClipboard("other"));
        PressKeys("End");
        PressKeys("shift+Left");
        PressKeys("ctrl+c");
        QVERIFY(WaitForClipboardText("#00FF7F"));

        CopyColorListFromTheContextMenu(app);
        QVERIFY(WaitForClipboardText("#00FF7F\r\n" + twoLines));

        QVERIFY(app.closeAndWait());
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
