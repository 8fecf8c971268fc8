// The Screenshot portal's PickColor answered by xdg-desktop-portal-wlr: the
// user's click (the virtual pointer's) picks the exact colour. Run inside
// pick-color.sh.
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "DesktopTestSupport.h"
#include "platform/portal/PortalScreenshot.h"

class PickColorTest : public QObject {
    Q_OBJECT

private slots:
    void theClickPicksTheExactColour()
    {
        PortalScreenshot portal;
        QVERIFY(portal.Available());
        QSignalSpy picked(&portal, &PortalScreenshot::colorPicked);
        QSignalSpy failed(&portal, &PortalScreenshot::failed);
        portal.PickColor();
        // The picker takes clicks once its surface is up: the user clicks until it answers.
        QTimer clicks;
        connect(&clicks, &QTimer::timeout, this, [] {
            QFile fifo(qEnvironmentVariable("HB_POINTER_FIFO"));
            if (fifo.open(QIODevice::WriteOnly))
                fifo.write("move 500 300\nclick\n");
        });
        clicks.start(1000);
        QVERIFY(WaitFor([&] { return !picked.isEmpty() || !failed.isEmpty(); }));
        QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).value(0).toString()));
        QCOMPARE(picked[0][0].value<QColor>(), QColor(0x3c, 0x8c, 0xdc));
    }
};

QTEST_GUILESS_MAIN(PickColorTest)
#include "pick_color_client.moc"
