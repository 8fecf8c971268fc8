// The portal clients against the real xdg-desktop-portal, with the test
// backend (portal_backend.py) behind it and a PipeWire screen of a known
// picture (cursor_producer); run inside portal-session.sh.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>
#include <algorithm>

#include "DesktopTestSupport.h"
#include "PortalBackend.h"
#include "platform/portal/PortalGlobalHotkey.h"
#include "platform/portal/PortalScreenCast.h"
#include "platform/portal/PortalScreenshot.h"

using namespace portal_test;

namespace {

constexpr int kCaptureId = 0xC001;

QString SquareFault(QPoint cursor, const QImage& square)
{
    for (int row = 0; row < square.height(); ++row)
        for (int column = 0; column < square.width(); ++column) {
            const int x = cursor.x() - 19 + column, y = cursor.y() - 19 + row;
            const bool inside = x >= 0 && y >= 0 && x < kWidth && y < kHeight;
            const QRgb want = inside ? Expected(x, y) : qRgb(255, 255, 255);
            if (square.pixel(column, row) != want)
                return QString("pixel %1,%2 around %3,%4 is %5, not %6")
                    .arg(column).arg(row).arg(cursor.x()).arg(cursor.y())
                    .arg(square.pixel(column, row), 8, 16).arg(want, 8, 16);
        }
    return {};
}

double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

} // namespace

class PortalTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(Backend().isValid(), "the test backend is not on the session bus");
    }

    void init()
    {
        Backend().call("SetShortcutAnswer", "accept");
        Events();
    }

    void shortcutBindsReactsAndRebinds()
    {
        PortalGlobalHotkey hotkey;
        QVERIFY(hotkey.Available());
        QSignalSpy settled(&hotkey, &PortalGlobalHotkey::BindingSettled);
        QSignalSpy refused(&hotkey, &IGlobalHotkey::RegistrationRefused);
        QSignalSpy pressed(&hotkey, &IGlobalHotkey::HotKeyPressed);
        QVERIFY(hotkey.Register(kCaptureId, Qt::ALT | Qt::Key_C));
        QVERIFY(settled.wait(kPatientMs));
        QCOMPARE(refused.count(), 0);
        const QList<QJsonObject> binds = EventsNamed(Events(), "bind");
        QCOMPARE(binds.size(), 1);
        QCOMPARE(binds[0]["shortcuts"].toArray()[0].toArray()[1].toString(), QString("ALT+c"));
        QCOMPARE(hotkey.TriggerDescription(kCaptureId), QString("ALT+c"));

        QList<double> latencies;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            Backend().asyncCall("Press", "ALT+c");
            QVERIFY(pressed.wait(kPatientMs));
            latencies.append(timer.nsecsElapsed() / 1e6);
            QCOMPARE(pressed.takeFirst().at(0).toInt(), kCaptureId);
        }
        qInfo("Activated reached the hotkey in %.2f ms (median of 20; slowest %.2f ms)", Median(latencies),
              *std::max_element(latencies.begin(), latencies.end()));

        // The hotkey dialog moves the capture: the old session goes, the new combination works.
        QVERIFY(hotkey.Register(kCaptureId, Qt::CTRL | Qt::ALT | Qt::Key_K));
        QVERIFY(settled.wait(kPatientMs));
        const QJsonArray events = Events();
        QCOMPARE(EventsNamed(events, "closed").size(), 1);
        QCOMPARE(EventsNamed(events, "bind")[0]["shortcuts"].toArray()[0].toArray()[1].toString(),
                 QString("CTRL+ALT+k"));
        QCOMPARE(QDBusReply<uint>(Backend().call("Press", "ALT+c")).value(), 0u);
        Backend().call("Press", "CTRL+ALT+k");
        QVERIFY(pressed.wait(kPatientMs));

        // The desktop ends the session: the hotkey no longer works, and says so.
        QCOMPARE(refused.count(), 0);
        Backend().call("EndSessions", "shortcuts");
        QVERIFY(refused.wait(kPatientMs));
        QVERIFY(hotkey.Register(kCaptureId, Qt::CTRL | Qt::ALT | Qt::Key_K));
        QVERIFY(settled.wait(kPatientMs));

        hotkey.Unregister(kCaptureId);
        QCOMPARE(WaitForEvents("closed").size(), 1);
        Backend().call("Press", "CTRL+ALT+k");
        QVERIFY(!pressed.wait(300));
    }

    void refusalsAreReported()
    {
        // No portal at all: refused at once.
        PortalGlobalHotkey nowhere(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nowhere"));
        QVERIFY(!nowhere.Available());
        QVERIFY(!nowhere.Register(kCaptureId, Qt::ALT | Qt::Key_C));

        // The desktop refuses the binding, or binds without keeping the shortcut.
        for (const char* answer : {"refuse", "leave-out"}) {
            Backend().call("SetShortcutAnswer", answer);
            PortalGlobalHotkey hotkey;
            QSignalSpy refused(&hotkey, &IGlobalHotkey::RegistrationRefused);
            QVERIFY(hotkey.Register(kCaptureId, Qt::ALT | Qt::Key_C));
            QVERIFY2(refused.wait(kPatientMs), answer);
            QCOMPARE(refused.takeFirst().at(0).toInt(), kCaptureId);
        }
    }

    void screenCastGivesTheExactSquareAtThePointerAndKeepsConsent()
    {
        Producer producer;
        QVERIFY2(producer.Start(), "the PipeWire test screen did not start");
        producer.Move({100, 100});

        PortalScreenCast cast;
        QVERIFY(cast.Available());
        QSignalSpy started(&cast, &PortalScreenCast::started);
        QSignalSpy failed(&cast, &PortalScreenCast::failed);
        QPoint lastCursor(-1, -1);
        QImage lastSquare;
        connect(&cast, &PortalScreenCast::frameReady, this, [&](QPoint cursor, const QImage& square) {
            lastCursor = cursor;
            lastSquare = square;
        });
        cast.Start();
        QVERIFY2(started.wait(kPatientMs), qPrintable(failed.isEmpty() ? QString() : failed[0][0].toString()));
        const QString token = started[0][0].toString();
        QVERIFY2(!QUuid::fromString(token).isNull(), qPrintable(token));
        QCOMPARE(cast.StreamGeometry(), QRect(0, 0, kWidth, kHeight));
        QJsonArray events = Events();
        const QJsonObject asked = EventsNamed(events, "select-sources").value(0)["options"].toObject();
        QCOMPARE(asked["cursor_mode"].toInt(), 4);
        QCOMPARE(asked["persist_mode"].toInt(), 2);
        QVERIFY(EventsNamed(events, "start").value(0)["consent_asked"].toBool());

        // Corners, edges and the middle; every other frame has no picture.
        const QList<QPoint> path = {{100, 100}, {0, 0},   {319, 239}, {5, 200},  {160, 120},
                                    {300, 10},  {18, 19}, {20, 220},  {319, 0}, {161, 120}};
        QList<double> latencies;
        for (QPoint p : path) {
            QElapsedTimer timer;
            timer.start();
            producer.Move(p);
            QTRY_VERIFY_WITH_TIMEOUT(lastCursor == p, kPatientMs);
            latencies.append(timer.nsecsElapsed() / 1e6);
            const QString fault = SquareFault(lastCursor, lastSquare);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
        qInfo("pointer moved to square delivered: %.1f ms median, %.1f ms slowest (30 frames a second)",
              Median(latencies), *std::max_element(latencies.begin(), latencies.end()));
        QCOMPARE(failed.count(), 0);
        cast.Stop();

        // The next run restores the consent with the token instead of asking.
        PortalScreenCast again;
        QSignalSpy startedAgain(&again, &PortalScreenCast::started);
        again.Start(token);
        QVERIFY(startedAgain.wait(kPatientMs));
        events = Events();
        QCOMPARE(EventsNamed(events, "start").value(0)["consent_asked"].toBool(), false);
        QCOMPARE(startedAgain[0][0].toString(), token);
        // The user stops the sharing from the desktop.
        QSignalSpy failedAgain(&again, &PortalScreenCast::failed);
        Backend().call("EndSessions", "screencast");
        QVERIFY(failedAgain.wait(kPatientMs));

        // A damaged token is dropped: the user is asked again instead of the start failing.
        PortalScreenCast damaged;
        QSignalSpy startedDamaged(&damaged, &PortalScreenCast::started);
        damaged.Start("not-a-token");
        QVERIFY(startedDamaged.wait(kPatientMs));
        QVERIFY(EventsNamed(Events(), "start").value(0)["consent_asked"].toBool());
    }

    void screenshotAndPickColor()
    {
        QTemporaryDir dir;
        QImage picture(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, Expected(x * 3, y * 5));
        QVERIFY(picture.save(dir.filePath("screen.png")));
        Backend().call("SetScreenshot", dir.filePath("screen.png"));

        PortalScreenshot portal;
        QVERIFY(portal.Available());
        QSignalSpy taken(&portal, &PortalScreenshot::screenshotTaken);
        QElapsedTimer timer;
        timer.start();
        portal.TakeScreenshot();
        QVERIFY(taken.wait(kPatientMs));
        qInfo("screenshot through the portal in %lld ms", timer.elapsed());
        QCOMPARE(taken[0][0].value<QImage>(), picture);
        QVERIFY(!EventsNamed(Events(), "screenshot").value(0)["options"].toObject()["interactive"].toBool(true));
        // A picture outside the temporary folder is the user's to keep.
        QVERIFY(QFile::exists(dir.filePath("screen.png")));

        QSignalSpy picked(&portal, &PortalScreenshot::colorPicked);
        QSignalSpy failed(&portal, &PortalScreenshot::failed);
        Backend().call("SetPickedColor", true, 0.2, 0.4, 1.0);
        portal.PickColor();
        QVERIFY(picked.wait(kPatientMs));
        QCOMPARE(picked[0][0].value<QColor>(), QColor(51, 102, 255));
        Backend().call("SetPickedColor", false, 0.0, 0.0, 0.0);
        portal.PickColor();
        QVERIFY(failed.wait(kPatientMs));
        QCOMPARE(picked.count(), 1);
    }
};

QTEST_GUILESS_MAIN(PortalTest)
#include "portal_test.moc"
