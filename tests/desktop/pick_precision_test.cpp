// Precise picking in the real program on a real X server: an averaged
// capture takes the mean of the square around the pointer in linear light,
// and pick mode's loupe zooms with the wheel while the arrow keys move the
// pointer by one pixel, ten with Shift.
#include <QLabel>
#include <QtTest>

#include "DesktopTestSupport.h"

namespace {

// A picture at a fixed place of the screen, away from the centred main window.
class Picture : public QLabel {
public:
    Picture(const QRect& rect, QRgb (*colour)(int x, int y))
        : QLabel(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint)
    {
        QImage image(rect.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, colour(rect.x() + x, rect.y() + y));
        setPixmap(QPixmap::fromImage(image));
        setGeometry(rect);
        show();
    }
    bool waitUntilShown(QRgb (*colour)(int x, int y))
    {
        const QPoint c = geometry().center();
        return QTest::qWaitForWindowExposed(this, kPatientMs)
               && WaitFor([&] { return ScreenPixel(c.x(), c.y()) == colour(c.x(), c.y()); });
    }
};

// Black and white by screen pixel.
QRgb Checker(int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }
// Every pixel of a 256 x 256 block its own colour.
QRgb Unique(int x, int y) { return qRgb(x & 0xFF, y & 0xFF, 0x80); }

const QRect kPictureRect(40, 40, 200, 200);
const char kSettings[] = "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n";

QPoint Pointer()
{
    QPoint at;
    for (const QString& line : XDo({"getmouselocation", "--shell"}).split('\n')) {
        if (line.startsWith("X="))
            at.setX(line.mid(2).toInt());
        if (line.startsWith("Y="))
            at.setY(line.mid(2).toInt());
    }
    return at;
}

// The loupe is beside the pointer (24 pixels right of and below it, in a
// one-pixel frame): 120 pixels square, the centre pixel in its middle.
QRect LoupePixels(QPoint pointer) { return QRect(pointer + QPoint(25, 25), QSize(120, 120)); }

// How wide the pixel right of the centre one shows in the loupe: the zoom.
int LoupeZoom(QPoint pointer)
{
    const QRect pixels = LoupePixels(pointer);
    const QImage row = GrabScreen(QRect(pixels.left(), pixels.center().y(), pixels.width(), 1));
    const QRgb right = Unique(pointer.x() + 1, pointer.y());
    int count = 0;
    for (int x = 0; x < row.width(); ++x)
        count += row.pixel(x, 0) == right;
    return count;
}

} // namespace

class PickPrecisionTest : public QObject {
    Q_OBJECT

private slots:
    void anAveragedCaptureTakesTheMeanInLinearLight()
    {
        Picture checker(kPictureRect, Checker);
        QVERIFY(checker.waitUntilShown(Checker));
        RunningApp app;
        app.writeFile("HuebirdLite.ini", kSettings);
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        // Options > Sample > 3 x 3.
        XDo({"windowfocus", "--sync", app.windowId()});
        PressKeys("alt+o");
        PressKeys("a");
        PressKeys("3");
        QVERIFY(app.waitUntilInputHandled());

        // A black pixel with white ones left, right, above and below: 4 of 9
        // white is sRGB 177.86; a white one, 5 of 9, is 196.56.
        MovePointer(100, 100);
        QVERIFY(app.waitForSwatch(QColor(178, 178, 178), kPatientMs));
        PressKeys("alt+c");
        QVERIFY(app.waitForListRow(0, QColor(178, 178, 178)));
        MovePointer(101, 100);
        QVERIFY(app.waitForSwatch(QColor(197, 197, 197), kPatientMs));
        PressKeys("alt+c");
        QVERIFY(app.waitForListRow(0, QColor(197, 197, 197)));
        // The magnifier frames the averaged square around its centre block.
        const QPoint zoom = app.clientPoint(3, 3);
        const QImage magnifier = GrabScreen(QRect(zoom, QSize(106, 106)));
        for (const QPoint& frame : {QPoint(48, 50), QPoint(58, 56), QPoint(50, 48), QPoint(56, 58)})
            QCOMPARE(QColor(magnifier.pixel(frame)), QColor(Qt::red));

        QVERIFY(app.closeAndWait());
        QVERIFY(app.readFile("HuebirdLite.ini").contains("\r\nSampleSize=3\r\n"));
    }

    void pickModeZoomsWithTheWheelAndTheArrowKeysMoveThePointer()
    {
        Picture unique(kPictureRect, Unique);
        QVERIFY(unique.waitUntilShown(Unique));
        RunningApp app;
        app.writeFile("HuebirdLite.ini", kSettings);
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        const QPoint start(80, 90);
        MovePointer(start.x(), start.y());
        // Options > Pick: the loupe follows at 8x.
        XDo({"windowfocus", "--sync", app.windowId()});
        PressKeys("alt+o");
        PressKeys("i");
        QVERIFY(WaitFor([&] { return LoupeZoom(start) == 8; }));
        const QRect corner(LoupePixels(start).topLeft(), QSize(30, 16));
        const QImage cornerAt8 = GrabScreen(corner);

        XDo({"click", "4"}); // the wheel turned up one notch
        QVERIFY(WaitFor([&] { return LoupeZoom(start) == 16; }));
        QVERIFY2(GrabScreen(corner) != cornerAt8, "the corner names the new zoom");
        for (int notch = 0; notch < 5; ++notch)
            XDo({"click", "5"});
        QVERIFY(WaitFor([&] { return LoupeZoom(start) == 2; }));
        XDo({"click", "4"});
        QVERIFY(WaitFor([&] { return LoupeZoom(start) == 4; }));

        PressKeys("Right");
        QVERIFY(WaitFor([&] { return Pointer() == start + QPoint(1, 0); }));
        PressKeys("shift+Down");
        QVERIFY(WaitFor([&] { return Pointer() == start + QPoint(1, 10); }));
        PressKeys("shift+Left");
        PressKeys("Up");
        QVERIFY(WaitFor([&] { return Pointer() == start + QPoint(-9, 9); }));
        // The capture key takes the pixel the keys moved to (the list shows
        // once the still screens are gone).
        PressKeys("alt+c");
        PressKeys("Escape");
        QVERIFY(app.waitForListRow(0, QColor(Unique(start.x() - 9, start.y() + 9))));
        QVERIFY(app.closeAndWait());
    }
};

QTEST_MAIN(PickPrecisionTest)
#include "pick_precision_test.moc"
