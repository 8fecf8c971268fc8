// The program on sway, where no client learns where the pointer is: --pick
// from a second process opens pick mode over still copies of the screens, a
// click captures the exact colour under the pointer, Escape leaves; --capture
// picks at the pointer without a click.
#include <QSignalSpy>
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandScreenSampler.h"

namespace {

const QColor kFirst(0xAA, 0x28, 0x78);
const QColor kSecond(0x3C, 0x8C, 0xDC);
const QColor kLeftHalf(0x40, 0x80, 0xC0);
const QColor kRightHalf(0xE0, 0x60, 0x20);

} // namespace

class PickModeTest : public QObject {
    Q_OBJECT
public:
    explicit PickModeTest(WaylandSession& session) : session_(session) {}

private:
    bool SetBackground(const QColor& colour)
    {
        bool ok = false;
        session_.swaymsg({QString("output * bg %1 solid_color").arg(colour.name())}, &ok);
        return ok;
    }

    int FullScreenWindows(qint64 pid) const
    {
        int count = 0;
        for (const QJsonObject& window : session_.windowsOf(pid))
            count += window.value("fullscreen_mode").toInt() != 0;
        return count;
    }

    WaylandSession& session_;
    WaylandScreenSampler sampler_;

private slots:
    void pickModeAndTheCaptureCommandCaptureExactColours()
    {
        QVERIFY(sampler_.isAvailable());
        QVERIFY(SetBackground(kFirst));
        RunningApp app;
        // Not a first run: no word about the hotkey this desktop does not give.
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(app.start(session_.environment({"QT_QPA_PLATFORM="})));
        const qint64 pid = app.process().processId();
        ProgramWindow window(session_, sampler_, pid);
        QVERIFY(window.waitUntilPlaced());
        // Qt's connection and the one that copies the screens.
        QCOMPARE(session_.connectionsOf(pid), 2);
        const QRect rect = window.rect();
        // Away from the window, on whichever output it is not.
        const QPoint away = rect.center().x() < 800 ? QPoint(1500, 550) : QPoint(100, 550);
        QVERIFY(session_.pointer(QString("move %1 %2").arg(away.x()).arg(away.y()).toUtf8()));

        QCOMPARE(session_.send(app, "--pick"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(FullScreenWindows(pid) == 2, kPatientMs);
        // The live screen changes; where the still copy shows, pick mode takes input.
        QVERIFY(SetBackground(kSecond));
        QVERIFY(window.waitForPixel(away, kFirst));
        QVERIFY(session_.pointer("move 1 0"));
        QVERIFY(session_.pointer(QString("move %1 %2").arg(away.x()).arg(away.y()).toUtf8()));
        QVERIFY(session_.pointer("click"));
        QVERIFY(session_.typeUntil({"-k", "Escape"}, [&] { return FullScreenWindows(pid) == 0; }));
        // The colour of the still screen, in the list and in the main window's swatch.
        QVERIFY(window.waitForPixel(window.listRow(0), kFirst));
        QVERIFY(window.waitForPixel(window.swatch(), kFirst));

        // The capture command needs no click.
        QVERIFY(window.waitForPixel(away, kSecond));
        QCOMPARE(session_.send(app, "--capture"), 0);
        QVERIFY(window.waitForPixel(window.listRow(0), kSecond));
        QVERIFY(window.waitForPixel(window.listRow(1), kFirst));
        QTRY_COMPARE_WITH_TIMEOUT(FullScreenWindows(pid), 0, kPatientMs);

        QVERIFY(window.close(app.process()));
        QCOMPARE(app.process().exitCode(), 0);
    }

    // A scaled output left of another, as a laptop panel beside a monitor:
    // the capture command, and the capture key in pick mode before the
    // pointer moves, take the pixel under the pointer on the second.
    void theCaptureCommandTakesThePixelBesideAScaledOutput()
    {
        QImage halves(800, 600, QImage::Format_RGB32);
        halves.fill(kLeftHalf);
        for (int y = 0; y < halves.height(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(halves.scanLine(y)) + 400, 400, kRightHalf.rgb());
        const QString picture = session_.saveImage("halves.png", halves);
        QVERIFY(!picture.isEmpty());
        struct Restore {
            const WaylandSession& session;
            ~Restore() { session.swaymsg({"output HEADLESS-1 scale 1; output HEADLESS-2 position 800 0"}); }
        } restore{session_};
        bool ok = false;
        session_.swaymsg({"output HEADLESS-1 scale 2 bg #336699 solid_color"}, &ok);
        QVERIFY(ok);
        session_.swaymsg({QString("output HEADLESS-2 position 400 0 bg %1 stretch").arg(picture)}, &ok);
        QVERIFY(ok);
        // Output 2 spans 400 to 1200; its left half is kLeftHalf.
        const QPoint onLeftHalf(575, 60);
        const QPoint onRightHalf(975, 60);
        QVERIFY(WaitFor([&] { return sampler_.pointerAt(onRightHalf).desktop >= 0 && sampler_.screens().size() == 2
                                     && sampler_.screens()[1].logical.x == 400; }));

        RunningApp app;
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(app.start(session_.environment({"QT_QPA_PLATFORM="})));
        const qint64 pid = app.process().processId();
        ProgramWindow window(session_, sampler_, pid);
        QVERIFY(window.waitUntilPlaced());
        QVERIFY(!window.rect().contains(onLeftHalf) && !window.rect().contains(onRightHalf));
        QVERIFY(window.waitForPixel(onLeftHalf, kLeftHalf));
        QVERIFY(window.waitForPixel(onRightHalf, kRightHalf));

        QVERIFY(session_.pointer(QString("move %1 %2").arg(onLeftHalf.x()).arg(onLeftHalf.y()).toUtf8()));
        QCOMPARE(session_.send(app, "--capture"), 0);
        QVERIFY(window.waitForPixel(window.listRow(0), kLeftHalf));
        QTRY_COMPARE_WITH_TIMEOUT(FullScreenWindows(pid), 0, kPatientMs);

        QVERIFY(session_.pointer(QString("move %1 %2").arg(onRightHalf.x()).arg(onRightHalf.y()).toUtf8()));
        QCOMPARE(session_.send(app, "--pick"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(FullScreenWindows(pid) == 2, kPatientMs);
        QVERIFY(session_.typeUntil({"-M", "alt", "c", "-m", "alt", "-s", "300", "-k", "Escape"},
                                   [&] { return FullScreenWindows(pid) == 0; }));
        QVERIFY(window.waitForPixel(window.listRow(0), kRightHalf));
        QVERIFY(window.waitForPixel(window.listRow(1), kLeftHalf));

        QVERIFY(window.close(app.process()));
    }
};

HB_WAYLAND_TEST_MAIN(PickModeTest)
#include "pick_mode_test.moc"
