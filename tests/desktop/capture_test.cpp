// The capture loop on a real X server: the real program follows the real
// pointer over a window of a known colour; and the tick's cost, measured.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

#include "DesktopTestSupport.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/QtPrompts.h"
#include "ui/WidgetHelpers.h"

namespace {

const QColor kSampleColor(40, 120, 200); // dark enough for white code text
const QColor kOtherColor(230, 200, 60);

bool Near(QRgb a, const QColor& b, int tolerance = 2)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}


// A busy picture over the pointer's paths (x 50 to 1049, y 50 to 449), so that
// every tick sees new pixels; it leaves the program's centred window free.
class BusyPicture : public QLabel {
public:
    BusyPicture() : QLabel(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        QImage busy(1000, 400, QImage::Format_RGB32);
        for (int y = 0; y < busy.height(); ++y)
            for (int x = 0; x < busy.width(); ++x)
                busy.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, ((x ^ y) * 5) & 0xFF));
        setPixmap(QPixmap::fromImage(busy));
        setGeometry(50, 50, busy.width(), busy.height());
        show();
    }
};

// Moves the pointer without starting a process (for the continuous movement).
void WarpPointer(int x, int y)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_warp_pointer(c, XCB_NONE, root, 0, 0, 0, 0, std::int16_t(x), std::int16_t(y));
    xcb_flush(c);
}

// User plus system time of a process, in clock ticks.
long long CpuTicks(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoll(field);
        if (i == 15) stime = std::stoll(field);
    }
    return utime + stime;
}

} // namespace

class CaptureTest : public QObject {
    Q_OBJECT

private slots:
    void theSwatchAndMagnifierFollowThePointer()
    {
        const QRect patchRect(40, 40, 200, 200);
        ColourPatch patch(patchRect, kSampleColor), elsewhere(QRect(40, 300, 100, 100), kOtherColor);
        QVERIFY(patch.WaitUntilShown() && elsewhere.WaitUntilShown());
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        const QPoint client = app.clientPoint(0, 0);
        QVERIFY(!patchRect.intersects(QRect(client, kClientSize)));
        const QPoint zoom = client + QPoint(3, 3);
        const QRect label(client + QPoint(173, 44), QSize(100, 13));

        // From one patch to the other, a few times: a loaded machine delays
        // some of the moves, a slow capture loop delays all of them.
        std::vector<qint64> latencies;
        for (int i = 0; i < 5; ++i) {
            elsewhere.PointAt();
            QVERIFY(app.waitForSwatch(kOtherColor));
            patch.PointAt();
            QElapsedTimer latency;
            latency.start();
            QVERIFY(app.waitForSwatch(kSampleColor));
            latencies.push_back(latency.elapsed());
        }
        std::sort(latencies.begin(), latencies.end());
        const qint64 median = latencies[latencies.size() / 2];
        qInfo("the swatch showed the colour under the pointer after %lld ms (median of %zu; %lld to %lld ms)", median,
              latencies.size(), latencies.front(), latencies.back());
        QVERIFY2(median < 500, "a few ticks (with time to paint), even on a loaded machine");

        QVERIFY(WaitFor([&] {
            const QImage z = GrabScreen(QRect(zoom, QSize(106, 106)));
            // The centre block around the cross, and a corner far from it.
            return Near(z.pixel(52, 52), kSampleColor) && Near(z.pixel(54, 54), kSampleColor)
                   && Near(z.pixel(5, 5), kSampleColor) && Near(z.pixel(53, 10), QColor(Qt::red), 0);
        }));
        const QImage text = GrabScreen(label);
        int white = 0;
        for (int y = 0; y < text.height(); ++y)
            for (int x = 0; x < text.width(); ++x)
                white += Near(text.pixel(x, y), QColor(Qt::white), 40);
        QVERIFY2(white > 5, "the code on the swatch is white over a dark colour");

        // Near the patch's edge the magnifier shows both sides of it.
        MovePointer(patchRect.right() - 5, patchRect.center().y());
        QVERIFY(WaitFor([&] {
            const QImage z = GrabScreen(QRect(zoom, QSize(106, 106)));
            return Near(z.pixel(20, 20), kSampleColor) && !Near(z.pixel(85, 20), kSampleColor);
        }));

        // Over the magnifier's frame: a white magnifier with the red cross, while
        // the swatch keeps following the pointer (the frame is black).
        const QPoint frame = client + QPoint(2, 60);
        MovePointer(frame.x(), frame.y());
        QVERIFY(app.waitForSwatch(Qt::black));
        QVERIFY(WaitFor([&] { return GrabScreen(QRect(zoom, QSize(106, 106))).pixel(10, 10) == qRgb(255, 255, 255); }));
        const QImage z = GrabScreen(QRect(zoom, QSize(106, 106)));
        QCOMPARE(QColor(z.pixel(10, 10)), QColor(Qt::white));
        QCOMPARE(QColor(z.pixel(95, 95)), QColor(Qt::white));
        QCOMPARE(QColor(z.pixel(53, 10)), QColor(Qt::red));
        QCOMPARE(QColor(z.pixel(10, 53)), QColor(Qt::red));
        QCOMPARE(QColor(z.pixel(33, 40)), QColor(Qt::red));

        // Inside the white magnifier: the swatch turns white.
        MovePointer(zoom.x() + 10, zoom.y() + 10);
        QVERIFY(app.waitForSwatch(Qt::white));
        QVERIFY(app.closeAndWait());
    }

    void theSamplerFillsWhatLiesOffTheScreenWithWhite_data()
    {
        QTest::addColumn<bool>("ownConnection");
        QTest::newRow("Qt's connection") << false;
        QTest::newRow("own connection, shared memory") << true;
    }

    void theSamplerFillsWhatLiesOffTheScreenWithWhite()
    {
        QFETCH(bool, ownConnection);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect corner(screen.right() - 29, screen.bottom() - 29, 30, 30);
        ColourPatch patch(corner, kSampleColor);
        QVERIFY(patch.WaitUntilShown());
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        const int number = X11ScreenSampler::ScreenNumber(x11->display());
        std::shared_ptr<X11Connection> own = X11Connection::open(X11Connection::displayName(x11->display()));
        QVERIFY(own);
        if (ownConnection)
            QVERIFY(own->hasShm());
        auto made = ownConnection ? std::make_unique<X11ScreenSampler>(own, number)
                                  : std::make_unique<X11ScreenSampler>(x11->connection(), number);
        X11ScreenSampler& sampler = *made;
        auto around = [](int x, int y) { return ScreenPointer{{x, y}, true, 0, {x, y}}; };
        QImage square;
        // Across the bottom-right corner: 20 x 20 pixels on the screen.
        sampler.GrabAround(around(screen.right(), screen.bottom()), 19, square);
        QCOMPARE(square.size(), QSize(39, 39));
        for (int y = 0; y < 39; ++y)
            for (int x = 0; x < 39; ++x) {
                const bool onScreen = x < 20 && y < 20;
                QVERIFY2(Near(square.pixel(x, y), onScreen ? kSampleColor : QColor(Qt::white), 0),
                         qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            }
        // Left of and above the screen, and wholly off it.
        sampler.GrabAround(around(0, 0), 19, square);
        QCOMPARE(QColor(square.pixel(0, 0)), QColor(Qt::white));
        QCOMPARE(QColor(square.pixel(18, 30)), QColor(Qt::white));
        QCOMPARE(QColor(square.pixel(30, 18)), QColor(Qt::white));
        sampler.GrabAround(around(screen.right() + 119, 29), 19, square);
        QCOMPARE(QColor(square.pixel(19, 19)), QColor(Qt::white));
    }

    void aReadAtRestSeesTheScreenChange()
    {
        const QRect rect(300, 500, 60, 60);
        ColourPatch patch(rect, kSampleColor);
        QVERIFY(patch.WaitUntilShown());
        patch.PointAt();
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        X11ScreenSampler sampler(X11Connection::open(X11Connection::displayName(x11->display())),
                                 X11ScreenSampler::ScreenNumber(x11->display()));
        QImage square;
        // Two reads at the same place: the next one is asked for with the pointer.
        for (int i = 0; i < 2; ++i)
            sampler.GrabAround(sampler.Pointer(), 19, square);
        QVERIFY(Near(square.pixel(19, 19), kSampleColor, 0));
        ColourPatch cover(rect, kOtherColor);
        QVERIFY(cover.WaitUntilShown());
        sampler.GrabAround(sampler.Pointer(), 19, square);
        QVERIFY(Near(square.pixel(19, 19), kOtherColor, 0));
        QVERIFY(Near(square.pixel(0, 0), kOtherColor, 0));
    }

    void theProgramStaysLightWhileThePointerMoves()
    {
        BusyPicture picture;
        QVERIFY(QTest::qWaitForWindowExposed(&picture, kPatientMs));
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        const qint64 pid = app.process().processId();
        const long long before = CpuTicks(pid);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; timer.elapsed() < 10000; ++i) {
            WarpPointer(100 + (i * 7) % 900, 100 + (i * 3) % 300);
            QThread::msleep(10);
        }
        const long long used = CpuTicks(pid) - before;
        const double share = 100.0 * double(used) / double(sysconf(_SC_CLK_TCK)) / (timer.elapsed() / 1000.0);
        qInfo("program's CPU while the pointer moved for %.1f s: %.2f %% of one core",
              timer.elapsed() / 1000.0, share);
        QVERIFY(before >= 0 && used >= 0);
        QVERIFY(app.closeAndWait());
    }

    // The presenter's thread ticks while the GUI thread's timer rests; the
    // window hidden, moved, stopped and started again, it follows on.
    void theTicksRunOffTheGuiThread()
    {
        ColourPatch patch(QRect(40, 40, 200, 200), kSampleColor), other(QRect(40, 300, 100, 100), kOtherColor);
        QVERIFY(patch.WaitUntilShown() && other.WaitUntilShown());
        QtPrompts prompts;
        MainWindow form({prompts, PortableProgramPaths(QCoreApplication::applicationFilePath().toStdString())});
        form.move(600, 500);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, kPatientMs));
        CaptureController& capture = *form.findChild<CaptureController*>();
        const auto follows = [&](const ColourPatch& under, const QColor& color) {
            under.PointAt();
            return WaitFor([&] { return capture.color() == FromQColor(color); });
        };
        QVERIFY(follows(patch, kSampleColor));
        QVERIFY(capture.isRunning());
        QVERIFY(!capture.timer().isActive());

        form.hide();
        QVERIFY(follows(other, kOtherColor));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, kPatientMs));
        capture.stop();
        QVERIFY(!capture.isRunning());
        capture.start();
        QVERIFY(follows(patch, kSampleColor));
        QVERIFY(!capture.timer().isActive());

        // Over the magnifier at its new place: blank, so the colour there is white.
        form.move(700, 600);
        const QWidget* frame = form.findChild<QWidget*>("SHImageZoom");
        QVERIFY(WaitFor([&] { return frame->mapToGlobal(QPoint()).x() >= 700; }));
        const QPoint zoom = frame->mapToGlobal(QPoint(10, 10));
        MovePointer(zoom.x(), zoom.y());
        QVERIFY(WaitFor([&] { return capture.color() == Rgb{255, 255, 255}; }));
        // The window goes while the thread ticks.
    }

    void theTickIsCheap()
    {
        BusyPicture picture;
        QVERIFY(QTest::qWaitForWindowExposed(&picture, kPatientMs));
        QtPrompts prompts;
        // On this X server, with the real screen sampler; never shown.
        MainWindow form({prompts, PortableProgramPaths(QCoreApplication::applicationFilePath().toStdString())});
        CaptureController& capture = *form.findChild<CaptureController*>();
        capture.stop();
        std::vector<qint64> ns;
        for (int i = 0; i < 1000; ++i) {
            WarpPointer(100 + (i * 13) % 900, 100 + (i * 7) % 300);
            QElapsedTimer t;
            t.start();
            capture.tick();
            ns.push_back(t.nsecsElapsed());
            capture.stop();
        }
        std::sort(ns.begin(), ns.end());
        qInfo("capture tick: median %.3f ms, 99th percentile %.3f ms", ns[ns.size() / 2] / 1e6,
              ns[ns.size() * 99 / 100] / 1e6);
        QVERIFY(!capture.frame().magnifier.isNull());
    }
};

QTEST_MAIN(CaptureTest)
#include "capture_test.moc"
