// Where the compositor draws the cursor into the screen itself (no hardware
// cursor: virtual machines, WLR_NO_HARDWARE_CURSORS=1), the capture command
// takes the desktop's pixel beneath the pointer, not the cursor's.
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandScreenSampler.h"

namespace {

const QColor kDesktop(0x40, 0x80, 0xC0);
// The session's visible cursor: an opaque square, its hotspot at its top-left pixel.
const QColor kCursor(0xDC, 0xDD, 0xDF);

} // namespace

class SoftwareCursorTest : public QObject {
    Q_OBJECT
public:
    explicit SoftwareCursorTest(WaylandSession& session) : session_(session) {}

private:
    WaylandSession& session_;
    WaylandScreenSampler sampler_;

private slots:
    void theCaptureCommandTakesThePixelBeneathTheCursor()
    {
        QVERIFY(sampler_.isAvailable());
        bool ok = false;
        session_.swaymsg({QString("output * bg %1 solid_color").arg(kDesktop.name())}, &ok);
        QVERIFY(ok);
        RunningApp app;
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(app.start(session_.environment({"QT_QPA_PLATFORM="})));
        ProgramWindow window(session_, sampler_, app.process().processId());
        QVERIFY(window.waitUntilPlaced());
        const QPoint away = window.rect().center().x() < 800 ? QPoint(1500, 550) : QPoint(100, 550);
        QVERIFY(session_.pointer(QString("move %1 %2").arg(away.x()).arg(away.y()).toUtf8()));
        // The cursor is in the screen's copies.
        QVERIFY(window.waitForPixel(away, kCursor));

        QCOMPARE(session_.send(app, "--capture"), 0);
        QVERIFY(window.waitForPixel(window.listRow(0), kDesktop));
        QVERIFY(window.waitForPixel(away, kCursor));

        QVERIFY(window.close(app.process()));
        QCOMPARE(app.process().exitCode(), 0);
    }
};

HB_WAYLAND_TEST_MAIN(SoftwareCursorTest, "--visible-cursor")
#include "software_cursor_test.moc"
