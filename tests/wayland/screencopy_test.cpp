// Screen copies on a wlroots compositor: the exact pixels of a known picture
// around the pointer, on two outputs side by side, unscaled and at scale 2;
// pick mode over a still copy of them.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"
#include "capture/FrozenScreens.h"
#include "capture/PickOverlay.h"
#include "platform/wayland/WaylandScreenSampler.h"

namespace {

// Each output's background repeats a 64 x 64 tile at its device pixels:
// red and green tell the place in the tile, blue the output.
QRgb TileColour(int output, int x, int y)
{
    return qRgb((x & 63) * 4, (y & 63) * 4, output == 1 ? 60 : 200);
}

QImage Tile(int output)
{
    QImage tile(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            tile.setPixel(x, y, TileColour(output, x, y));
    return tile;
}

} // namespace

class ScreencopyTest : public QObject {
    Q_OBJECT
public:
    explicit ScreencopyTest(WaylandSession& session) : session_(session) {}

private:
    // Output 1 at logical (0, 0) unscaled, 800 x 600 pixels, output 2 right
    // of it at the scale, 800 x 600 pixels too: the colour offset (dx, dy)
    // from the device pixel under the logical point. Across the seam the
    // other output continues level with the point; white outside both.
    static QRgb Expected(int scale, QPoint logical, int dx, int dy)
    {
        const auto on = [](int output, int x, int y) {
            return x >= 0 && y >= 0 && x < 800 && y < 600 ? TileColour(output, x, y) : qRgb(255, 255, 255);
        };
        if (logical.x() < 800) {
            const int x = logical.x() + dx;
            return x < 800 ? on(1, x, logical.y() + dy) : on(2, x - 800, logical.y() * scale + dy);
        }
        const int x = (logical.x() - 800) * scale + dx;
        return x >= 0 ? on(2, x, logical.y() * scale + dy) : on(1, 800 + x, logical.y() + dy);
    }

    QImage GrabAround(QPoint logical)
    {
        QSignalSpy spy(&sampler_, &AsyncScreenSampler::grabbed);
        QElapsedTimer clock;
        clock.start();
        sampler_.requestGrab(sampler_.pointerAt(logical), 19);
        if (!spy.wait(kPatientMs))
            return {};
        latencies_.append(clock.elapsed());
        return spy.last().at(1).value<QImage>();
    }

    // Where the copy differs from the picture; empty when it is exact.
    QString Mismatch(int scale, QPoint logical)
    {
        const QImage image = GrabAround(logical);
        if (image.size() != QSize(39, 39) || image.format() != QImage::Format_RGB32)
            return "no 39 x 39 copy";
        for (int y = 0; y < 39; ++y)
            for (int x = 0; x < 39; ++x) {
                const QRgb want = Expected(scale, logical, x - 19, y - 19);
                if (image.pixel(x, y) != want)
                    return QString("(%1,%2) of the square is %3, not %4")
                        .arg(x)
                        .arg(y)
                        .arg(image.pixel(x, y) & 0xFFFFFF, 6, 16, QChar('0'))
                        .arg(want & 0xFFFFFF, 6, 16, QChar('0'));
            }
        return {};
    }

    bool SetScale(int scale)
    {
        bool ok = false;
        session_.swaymsg({QString("output HEADLESS-2 scale %1").arg(scale)}, &ok);
        // The compositor tells its clients the new layout.
        return ok && WaitFor([&] {
                   const auto screens = sampler_.screens();
                   return screens.size() == 2 && screens[1].ratio == scale;
               });
    }

    WaylandSession& session_;
    WaylandScreenSampler sampler_;
    QList<qint64> latencies_;

private slots:
    void initTestCase()
    {
        QVERIFY(sampler_.isAvailable());
        for (int output : {1, 2}) {
            const QString path = session_.saveImage(QString("tile%1.png").arg(output), Tile(output));
            bool ok = false;
            session_.swaymsg({QString("output HEADLESS-%1 bg %2 tile").arg(output).arg(path)}, &ok);
            QVERIFY(ok);
        }
    }

    void readsTheExactPixelsAroundThePointer_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QPoint>("pointer");
        QTest::newRow("inside the first output") << 1 << QPoint(400, 300);
        QTest::newRow("across both outputs and the bottom edge") << 1 << QPoint(810, 590);
        QTest::newRow("scaled output") << 2 << QPoint(1000, 150);
        QTest::newRow("scaled output beside the unscaled one, top edge") << 2 << QPoint(805, 5);
        QTest::newRow("scaled output's bottom right corner") << 2 << QPoint(1199, 299);
    }

    void readsTheExactPixelsAroundThePointer()
    {
        QFETCH(int, scale);
        QFETCH(QPoint, pointer);
        QVERIFY(SetScale(scale));
        // The cursor is drawn into every copy: an invisible one must not show.
        QVERIFY(session_.pointer(QString("move %1 %2").arg(pointer.x()).arg(pointer.y()).toUtf8()));
        QTRY_COMPARE_WITH_TIMEOUT(Mismatch(scale, pointer), QString(), kPatientMs);
    }

    // A moving pointer asks faster than frames come: only the newest waiting
    // request is read, so the copies never lag behind.
    void requestsOfAMovingPointerEndWithTheNewest()
    {
        QSignalSpy spy(&sampler_, &AsyncScreenSampler::grabbed);
        for (int i = 0; i < 10; ++i)
            sampler_.requestGrab(sampler_.pointerAt({119 + i, 119}), 19);
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().at(0).value<ScreenPointer>().pos == QPoint(128, 119),
                                 kPatientMs);
        QTest::qWait(100);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.last().at(1).value<QImage>().pixel(0, 0), TileColour(1, 109, 100));
    }

    void pickModeShowsTheStillScreensAndPicksUnderThePointer()
    {
        QVERIFY(SetScale(2));
        QTRY_COMPARE_WITH_TIMEOUT(Mismatch(2, {1000, 150}), QString(), kPatientMs);
        QSignalSpy copied(&sampler_, &AsyncScreenSampler::screensGrabbed);
        sampler_.requestScreens();
        QVERIFY(copied.wait(kPatientMs));
        FrozenScreens frozen(copied.last().at(0).value<QList<ScreenPicture>>());
        QCOMPARE(frozen.pictures().size(), 2);
        QCOMPARE(frozen.pictures()[1].geometry, QRect(800, 0, 400, 300));
        QCOMPARE(frozen.pixel(frozen.pointerAt(1, {200, 150})), TileColour(2, 400, 300));
        QCOMPARE(frozen.pixel(frozen.pointerAt(1, {399.5, 299.5})), TileColour(2, 799, 599));
        QCOMPARE(frozen.pixel(frozen.pointerAt(1, {400, 0})), qRgb(255, 255, 255));

        // The live screen changes; the overlay keeps showing it as it was.
        for (const char* output : {"HEADLESS-1", "HEADLESS-2"})
            session_.swaymsg({QString("output %1 bg #000000 solid_color").arg(output)});
        QTRY_VERIFY_WITH_TIMEOUT(GrabAround({1000, 150}).pixel(19, 19) == qRgb(0, 0, 0), kPatientMs);
        QTRY_VERIFY_WITH_TIMEOUT(GrabAround({300, 200}).pixel(19, 19) == qRgb(0, 0, 0), kPatientMs);
        PickOverlay overlay;
        QSignalSpy moved(&overlay, &PickOverlay::pointerMoved);
        QSignalSpy picked(&overlay, &PickOverlay::picked);
        QSignalSpy cancelled(&overlay, &PickOverlay::cancelled);
        overlay.start(frozen);
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                QVERIFY(QTest::qWaitForWindowExposed(window, kPatientMs));

        const auto movedTo = [&](int desktop, PixelPoint device) {
            if (moved.isEmpty())
                return false;
            const auto pointer = moved.last().at(0).value<ScreenPointer>();
            return pointer.desktop == desktop && pointer.device == device;
        };
        QVERIFY(session_.pointer("move 1000 150"));
        QTRY_VERIFY_WITH_TIMEOUT(movedTo(1, {400, 300}), kPatientMs);
        QVERIFY(session_.pointer("move 300 200"));
        QTRY_VERIFY_WITH_TIMEOUT(movedTo(0, {300, 200}), kPatientMs);
        // Drawn at the screens' device pixels, on the scaled output too.
        QTRY_COMPARE_WITH_TIMEOUT(Mismatch(2, {1000, 150}), QString(), kPatientMs);
        QTRY_COMPARE_WITH_TIMEOUT(Mismatch(2, {300, 200}), QString(), kPatientMs);

        QVERIFY(session_.pointer("click"));
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 1, kPatientMs);
        const auto at = picked.last().at(0).value<ScreenPointer>();
        QCOMPARE(at.pos, QPoint(300, 200));
        QCOMPARE(overlay.screens().pixel(at), TileColour(1, 300, 200));

        // Each wtype run is a new keyboard, whose first keys a client may miss
        // while it takes the keyboard in: typed again until they arrive (a
        // second pick of the same pixel is harmless).
        const auto typeUntil = [&](const QStringList& keys, const std::function<bool()>& arrived) {
            for (int attempt = 0; attempt < 5 && !arrived(); ++attempt) {
                QProcess wtype;
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(session_.variables());
                wtype.setProcessEnvironment(env);
                wtype.start("wtype", QStringList{"-s", "300"} + keys);
                // This client takes the new keyboard in while wtype runs.
                WaitFor([&] { return wtype.state() == QProcess::NotRunning; });
                WaitFor(arrived, 3000);
            }
            return arrived();
        };
        QVERIFY(typeUntil({"-M", "alt", "c", "-m", "alt"}, [&] { return picked.size() >= 2; }));
        QCOMPARE(picked.last().at(0).value<ScreenPointer>(), at);
        QVERIFY(typeUntil({"-k", "Escape"}, [&] { return cancelled.size() == 1; }));
        QVERIFY(!overlay.isActive());
    }

    void cleanupTestCase()
    {
        if (latencies_.isEmpty())
            return;
        std::sort(latencies_.begin(), latencies_.end());
        qInfo("screen copy of 39 x 39: median %lld ms, slowest %lld ms over %lld copies",
              latencies_[latencies_.size() / 2], latencies_.last(), qlonglong(latencies_.size()));
    }
};

HB_WAYLAND_TEST_MAIN(ScreencopyTest)
#include "screencopy_test.moc"
