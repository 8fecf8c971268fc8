// The program on a Wayland desktop that follows the pointer through the
// ScreenCast portal and gives hotkeys through the GlobalShortcuts portal: the
// real xdg-desktop-portal with the test backend behind it, a PipeWire test
// screen, and sway to show the program. Run inside portal-session.sh.
#include <QTest>

#include "DesktopTestSupport.h"
#include "PortalBackend.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandScreenSampler.h"

using namespace portal_test;

class ProgramPortalTest : public QObject {
    Q_OBJECT
public:
    explicit ProgramPortalTest(WaylandSession& session) : session_(session) {}

private:
    bool Start(RunningApp& app) { return app.start(session_.environment({"QT_QPA_PLATFORM="})); }

    // The first request of that name the backend had since init(); empty when none came.
    QJsonObject Asked(const QString& name)
    {
        QJsonObject found;
        WaitFor([&] {
            for (const QJsonValue& event : Events())
                seen_.append(event);
            found = EventsNamed(seen_, name).value(0);
            return !found.isEmpty();
        });
        return found;
    }

    WaylandSession& session_;
    WaylandScreenSampler screen_;
    QJsonArray seen_;

private slots:
    void init()
    {
        QVERIFY2(Backend().isValid(), "the test backend is not on the session bus");
        Backend().call("SetShortcutAnswer", "accept");
        Events();
        seen_ = {};
    }

    void followsTheScreenCastKeepsTheConsentAndTakesThePortalHotkey()
    {
        Producer producer;
        QVERIFY2(producer.Start(), "the PipeWire test screen did not start");
        producer.Move({100, 100});
        RunningApp app;
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(Start(app));
        ProgramWindow window(session_, screen_, app.process().processId());
        QVERIFY(window.waitUntilPlaced());

        // The swatch follows the pointer of the cast, pixel for pixel.
        QVERIFY(window.waitForPixel(window.swatch(), Expected(100, 100)));
        QVERIFY(Asked("start")["consent_asked"].toBool());
        QByteArray token;
        QVERIFY(WaitFor([&] {
            const QByteArray ini = app.readFile("HuebirdLite.ini");
            const int at = ini.indexOf("\r\nScreenCastToken=");
            token = at < 0 ? QByteArray() : ini.mid(at + 18, ini.indexOf("\r\n", at + 2) - at - 18);
            return !token.isEmpty();
        }));
        producer.Move({200, 50});
        QVERIFY(window.waitForPixel(window.swatch(), Expected(200, 50)));

        // The desktop's shortcut captures what the swatch shows.
        QCOMPARE(Asked("bind")["shortcuts"].toArray()[0].toArray()[1].toString(), QString("ALT+c"));
        Backend().call("Press", "ALT+c");
        QVERIFY(window.waitForPixel(window.listRow(0), Expected(200, 50)));
        QVERIFY(window.close(app.process()));
        QVERIFY(app.readFile("HuebirdLite.ini").contains("\r\nScreenCastToken=" + token + "\r\n"));

        // The next run restores the consent instead of asking again.
        Events();
        seen_ = {};
        QVERIFY(Start(app));
        ProgramWindow again(session_, screen_, app.process().processId());
        QVERIFY(again.waitUntilPlaced());
        QVERIFY(again.waitForPixel(again.swatch(), Expected(200, 50)));
        QCOMPARE(Asked("start")["consent_asked"].toBool(), false);
        QVERIFY(again.close(app.process()));
    }

    // The warning names the command to bind instead.
    void aRefusedHotkeyIsReported()
    {
        Backend().call("SetShortcutAnswer", "refuse");
        RunningApp app;
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
        QVERIFY(Start(app));
        const qint64 pid = app.process().processId();
        QVERIFY(WaitFor([&] {
            for (const QJsonObject& window : session_.windowsOf(pid))
                if (window.value("name").toString() == "Avertissement")
                    return true;
            return false;
        }));
        app.process().kill();
        app.process().waitForFinished();
    }
};

HB_WAYLAND_TEST_MAIN(ProgramPortalTest)
#include "program_portal_test.moc"
