// The session ends (SIGTERM at logout), the terminal goes (SIGHUP) or the
// user presses Ctrl+C in it (SIGINT): the program closes the normal way,
// writes its settings and exits with success.
#include <QtTest>
#include <csignal>

#include "DesktopTestSupport.h"

class FaultsSignalsTest : public QObject {
    Q_OBJECT

private slots:
    void terminationSignalsCloseTheNormalWay_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void terminationSignalsCloseTheNormalWay()
    {
        QFETCH(int, signal);
        RunningApp app;
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=4\r\nShowNewVersion=False\r\n\r\n"
                                         "[Interface]\r\nCBX_FormatCapture=3\r\n\r\n"
                                         "[Preferences]\r\nHK_CAPTURE=Ctrl+Alt+K\r\n");
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        ::kill(pid_t(app.process().processId()), signal);
        QVERIFY(app.process().waitForFinished(30000));
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 0);
        // The run was counted: only a close writes the settings.
        const QByteArray saved = app.readFile("HuebirdLite.ini");
        QVERIFY2(saved.contains("\r\nRns=5\r\n") && saved.contains("\r\nCBX_FormatCapture=3\r\n"), saved.constData());
    }
};

QTEST_MAIN(FaultsSignalsTest)
#include "faults_signals_test.moc"
