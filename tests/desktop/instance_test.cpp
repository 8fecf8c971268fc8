// One copy per desktop session, checked with real processes on a real X server.
#include <QtTest>

#include <csignal>

#include "DesktopTestSupport.h"

class InstanceTest : public QObject {
    Q_OBJECT

private:
    static QString FindWindow(const QString& name, qint64 pid)
    {
        return XDo({"search", "--all", "--onlyvisible", "--pid", QString::number(pid), "--name", name}).trimmed();
    }

private slots:
    void secondStartIsRefusedWhileTheFirstRunsOn()
    {
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        const QByteArray settingsBefore = app.readFile("HuebirdLite.ini");

        QProcess second;
        second.setProcessEnvironment(app.environment());
        second.start(app.dir() + "huebird-lite", {});
        QVERIFY(second.waitForStarted());
        QString box;
        QVERIFY(WaitFor([&] { return !(box = FindWindow("^HuebirdLite$", second.processId())).isEmpty(); }));
        QVERIFY(FindWindow("^Huebird v", second.processId()).isEmpty());

        XDo({"windowactivate", "--sync", box.split('\n').first()});
        XDo({"key", "--window", box.split('\n').first(), "Return"});
        QVERIFY(second.waitForFinished(kPatientMs));
        QCOMPARE(second.exitCode(), 0);

        QCOMPARE(app.process().state(), QProcess::Running);
        QVERIFY(!FindWindow("^Huebird v", app.process().processId()).isEmpty());
        QCOMPARE(app.readFile("HuebirdLite.ini"), settingsBefore);
        QVERIFY(app.closeAndWait());
        QCOMPARE(app.process().exitCode(), 0);
    }

    void aCrashedCopyDoesNotBlockTheNextStart()
    {
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        ::kill(pid_t(app.process().processId()), SIGKILL);
        QVERIFY(app.process().waitForFinished(kPatientMs));

        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        QVERIFY(app.closeAndWait());
    }
};

QTEST_MAIN(InstanceTest)
#include "instance_test.moc"
