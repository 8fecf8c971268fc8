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
    // A point of the main window's client area (below its menu bar).
    static QPoint ClientPoint(const RunningApp& app, int x, int y)
    {
        const QRect w = app.windowRect();
        return {w.x() + x, w.y() + w.height() - 131 + y};
    }

    static void Capture(Swatch& swatch, const QColor& color)
    {
        swatch.Paint(color);
        QTRY_COMPARE(ScreenPixel(140, 140), color.rgb());
        QTest::qWait(300); // a few capture ticks sample the new colour
        PressKeys("alt+c");
        QTest::qWait(300);
    }

    static void CopyColorListFromThePopup(const RunningApp& app)
    {
        const QPoint free = ClientPoint(app, 114, 50); // between the magnifier and the list
        MovePointer(free.x(), free.y());
        XDo({"click", "3"});
        QTest::qWait(400);
        // "Capture color" is hidden: the first item is "Copy color list".
        PressKeys("Down");
        PressKeys("Return");
    }

private slots:
    void copyColorListReachesAnotherClientAndPasteTakesItsText()
    {
        Swatch swatch;
        swatch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&swatch));

        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());

        const QColor first(0x12, 0x80, 0xFE), second(0xC0, 0x30, 0x05);
        MovePointer(140, 140); // once: a move to where the pointer already is never ends
        Capture(swatch, first);
        Capture(swatch, second);

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        QTRY_COMPARE(clipboard->text(), QStringLiteral("before"));
        CopyColorListFromThePopup(app);
        const QString twoLines = HtmlCode(second.rgb()) + "\r\n" + HtmlCode(first.rgb()) + "\r\n";
        QVERIFY(WaitFor([&] { return clipboard->text() == twoLines; }, 5000));
        QCOMPARE(clipboard->text(), twoLines);

        // Our text, pasted into the code field with the Edit menu's key and
        // accepted with Enter, becomes the list's first colour.
        clipboard->setText("#00FF7F");
        const QPoint field = ClientPoint(app, 223, 96);
        MovePointer(field.x(), field.y());
        XDo({"click", "1"});
        QTest::qWait(200);
        PressKeys("ctrl+alt+v");
        QTest::qWait(200);
        PressKeys("Return");
        QTest::qWait(300);

        // Ctrl+C in the field copies the whole code, not the selection.
        clipboard->setText("other");
        QTRY_COMPARE(clipboard->text(), QStringLiteral("other"));
        PressKeys("End");
        PressKeys("shift+Left");
        PressKeys("ctrl+c");
        QVERIFY(WaitFor([&] { return clipboard->text() == "#00FF7F"; }, 5000));

        CopyColorListFromThePopup(app);
        QVERIFY(WaitFor([&] { return clipboard->text() == "#00FF7F\r\n" + twoLines; }, 5000));
        QCOMPARE(clipboard->text(), "#00FF7F\r\n" + twoLines);

        QVERIFY(app.closeAndWait());
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
