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

    void captureReachesACopyWhoseRuntimeFolderCannotHoldTheSocket_data()
    {
        QTest::addColumn<QString>("inTheWay");
        // Nobody, root included, makes files in /proc: a read-only runtime folder.
        QTest::newRow("read-only folder") << "";
        QTest::newRow("a folder at the socket's path") << "folder";
        QTest::newRow("a file at the socket's path") << "file";
    }

    void captureReachesACopyWhoseRuntimeFolderCannotHoldTheSocket()
    {
        QFETCH(QString, inTheWay);
        RunningApp app;
        QString runtime = app.environment().value("XDG_RUNTIME_DIR");
        const QString socket = runtime + "/HuebirdLite.socket";
        if (inTheWay.isEmpty()) {
            runtime = "/proc";
        } else if (inTheWay == "folder") {
            QVERIFY(QDir().mkdir(socket));
        } else {
            QFile file(socket);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("someone's own\n");
        }
        QVERIFY(app.start({"XDG_RUNTIME_DIR=" + runtime}));
        QVERIFY(app.waitForMainWindow());

        QProcessEnvironment env = app.environment();
        env.insert("XDG_RUNTIME_DIR", runtime);
        const Sent sent = SendCommand(env, "--capture");
        QCOMPARE(sent.error, QString());
        QCOMPARE(sent.exitCode, 0);
        if (inTheWay == "file") {
            QFile kept(socket);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), QByteArray("someone's own\n"));
        }
        QVERIFY(app.closeAndWait());
    }

    void pickIsRefusedWhileAModalBoxIsOpen()
    {
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        // Save with an empty list: the box that says there is nothing to save.
        XDo({"windowfocus", "--sync", app.windowId()});
        PressKeys("alt+f");
        PressKeys("s");
        const QString box = app.waitForWindowTitled("Information");
        QVERIFY(!box.isEmpty());

        const Sent refused = SendCommand(app.environment(), "--pick");
        QCOMPARE(refused.exitCode, 4);
        QVERIFY2(refused.error.contains("dialogs is open"), qPrintable(refused.error));

        XDo({"windowfocus", "--sync", box});
        PressKeys("Return");
        QVERIFY(WaitFor([&] { return !app.windowTitledIsShown("Information"); }));
        QCOMPARE(SendCommand(app.environment(), "--pick").exitCode, 0);
    }

    void unknownOptionsAndAMissingDisplayEndWithOneClearWord()
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            env.remove(name);
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("HB_APP"), {});
        QVERIFY(program.waitForFinished(kPatientMs));
        const QString said = QString::fromLocal8Bit(program.readAllStandardError()).trimmed();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QVERIFY2(!said.contains('\n') && said.contains("no display") && said.contains("QT_QPA_PLATFORM=offscreen"),
                 qPrintable(said));

        program.start(qEnvironmentVariable("HB_APP"), {"--captrue"});
        QVERIFY(program.waitForFinished(kPatientMs));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("'--captrue'"));
    }
};

QTEST_MAIN(CommandTest)
#include "command_test.moc"
