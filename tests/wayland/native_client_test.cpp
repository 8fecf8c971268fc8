// The program as a native Wayland client on sway: it starts, shows its main
// window, and quits when the compositor closes that window.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"

class NativeClientTest : public QObject {
    Q_OBJECT
public:
    explicit NativeClientTest(WaylandSession& session) : session_(session) {}

private:
    WaylandSession& session_;

private slots:
    void startsAndQuitsOnWayland()
    {
        RunningApp app;
        // Not a first run, which would first say that this desktop gives no hotkey.
        app.writeFile("HuebirdLite.ini", "[General]\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(app.start(session_.environment() << "QT_QPA_PLATFORM=wayland"));
        const qint64 pid = app.process().processId();

        const auto mainWindow = [&] {
            for (const QJsonObject& window : session_.windowsOf(pid))
                if (window.value("name").toString().startsWith("Huebird v"))
                    return window;
            return QJsonObject();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow().isEmpty(), kPatientMs);
        QCOMPARE(mainWindow().value("shell").toString(), QString("xdg_shell"));

        // What the close box does on Wayland: the compositor asks the window to close. A request
        // that reaches a window still being set up on a loaded machine can go unanswered, so ask
        // again as a user would click again.
        QVERIFY(WaitFor([&] {
            bool ok = false;
            session_.swaymsg({QString("[pid=%1] kill").arg(pid)}, &ok);
            return app.process().waitForFinished(2000);
        }));
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 0);
        QVERIFY(app.readFile("HuebirdLite.ini").contains("Rns=6\r\n"));
    }

    // Left to choose, the program is a native client of the Wayland session,
    // even where an X display is there too.
    void prefersTheWaylandSessionToAnXDisplay()
    {
        PrivateXServer x;
        QVERIFY(!x.display().isEmpty());
        RunningApp app;
        QVERIFY(app.start(session_.environment({"QT_QPA_PLATFORM=", "DISPLAY=" + x.display()})));
        const qint64 pid = app.process().processId();
        QTRY_VERIFY_WITH_TIMEOUT(!session_.windowsOf(pid).isEmpty(), kPatientMs);
        QVERIFY(XDoOn(x.display(), {"search", "--pid", QString::number(pid), "--name", "^Huebird v"}).isEmpty());
    }
};

HB_WAYLAND_TEST_MAIN(NativeClientTest)
#include "native_client_test.moc"
