// `huebird-lite --capture` and `--pick` from a second process reach the copy
// that runs, on a real X server and without a session bus.
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "DesktopTestSupport.h"
#include "platform/InstanceChannel.h"

namespace {

const QColor kColour(170, 40, 120);
const QRect kPatch(40, 40, 120, 120);

struct Sent {
    int exitCode = -1;
    QString error;
    qint64 ms = 0;
};

Sent SendCommand(const QProcessEnvironment& env, const QString& option)
{
    QProcess sender;
    sender.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    sender.start(qEnvironmentVariable("HB_APP"), {option});
    if (!sender.waitForFinished(kPatientMs))
        return {};
    return {sender.exitCode(), QString::fromLocal8Bit(sender.readAllStandardError()).trimmed(), timer.elapsed()};
}

} // namespace

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void captureFromASecondProcessCapturesUnderThePointer()
    {
        ColourPatch patch(kPatch, kColour);
        QVERIFY(patch.WaitUntilShown());
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        patch.PointAt();
        QVERIFY(app.waitForSwatch(kColour));
        QVERIFY(!SameColour(app.listRowPixel(0), kColour));

        QProcessEnvironment env = app.environment();
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        const Sent sent = SendCommand(env, "--capture");
        QCOMPARE(sent.exitCode, 0);
        qInfo("--capture delivered in %lld ms (a whole second process)", sent.ms);
        QVERIFY(app.waitForListRow(0, kColour));

        QVERIFY(app.closeAndWait());
        QCOMPARE(app.process().exitCode(), 0);
        // Once it has gone, the command says so and fails.
        const Sent late = SendCommand(env, "--capture");
        QCOMPARE(late.exitCode, 1);
        QCOMPARE(late.error, QString("Huebird Lite is not running."));
    }

    void pickReachesTheListenerAndASilentClientBlocksNothing()
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        InstanceChannel channel;
        QVERIFY(channel.Listen(runtime.path() + "/HuebirdLite.socket"));
        QSignalSpy picks(&channel, &InstanceChannel::pickRequested);

        // A client that connects and says nothing, and one that sends rubbish.
        QLocalSocket silent, rubbish;
        silent.connectToServer(runtime.path() + "/HuebirdLite.socket");
        rubbish.connectToServer(runtime.path() + "/HuebirdLite.socket");
        QVERIFY(silent.waitForConnected(kPatientMs) && rubbish.waitForConnected(kPatientMs));
        rubbish.write(QByteArray(500, 'x'));
        rubbish.flush();

        QProcess sender;
        sender.setProcessEnvironment(env);
        sender.start(qEnvironmentVariable("HB_APP"), {"--pick"});
        QVERIFY(WaitFor([&] { return sender.state() == QProcess::NotRunning; }));
        QCOMPARE(sender.exitCode(), 0);
        QCOMPARE(picks.count(), 1);
        QVERIFY(WaitFor([&] { return rubbish.state() == QLocalSocket::UnconnectedState; }));

        // Nobody carries out a capture here: the sender must not report it done.
        sender.start(qEnvironmentVariable("HB_APP"), {"--capture"});
        QVERIFY(WaitFor([&] { return sender.state() == QProcess::NotRunning; }));
        QCOMPARE(sender.exitCode(), 2);
    }
};

QTEST_MAIN(CommandTest)
#include "command_test.moc"
