// The session ends (SIGTERM at logout), the terminal goes (SIGHUP) or the
// user presses Ctrl+C in it (SIGINT): the program closes the normal way,
// writes its settings and exits with success. Nothing holds it: neither a box
// that is open nor settings that cannot be saved, which it says on standard
// error and in its exit status instead of in a box nobody may be left to close.
#include <QElapsedTimer>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

#include "DesktopTestSupport.h"

namespace {

// "A second or two", with room for a sanitiser build on a loaded machine; a
// program held by a box never ends.
constexpr int kSignalEndMs = 10000;

} // namespace

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

    void signalEndsTheRunWhileAStartUpBoxIsOpen()
    {
        RunningApp app;
        // A refused hotkey is told in a box once the settings are read.
        app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=4\r\nShowNewVersion=False\r\n\r\n"
                                         "[Preferences]\r\nHK_CAPTURE=A\r\n");
        QVERIFY(app.start());
        QVERIFY(!app.waitForWindowTitled("Avertissement").isEmpty());
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(app.process().processId()), SIGTERM);
        QVERIFY2(app.process().waitForFinished(kSignalEndMs), "the box held the signal");
        qInfo("ended %lld ms after the signal", clock.elapsed());
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 0);
        const QByteArray saved = app.readFile("HuebirdLite.ini");
        QVERIFY2(saved.contains("\r\nRns=5\r\n"), saved.constData());
    }

    void settingsThatCannotBeSavedEndTheRunWithAnError_data()
    {
        QTest::addColumn<QString>("place");
        QTest::newRow("FIFO") << "fifo.ini";
        QTest::newRow("folder") << "folder.ini";
        QTest::newRow("missing folder") << "missing/HuebirdLite.ini";
        // Nobody, root included, makes files there.
        QTest::newRow("file system without writes") << "/proc/HuebirdLite.ini";
    }

    void settingsThatCannotBeSavedEndTheRunWithAnError()
    {
        QFETCH(QString, place);
        RunningApp app;
        QVERIFY(::mkfifo(QFile::encodeName(app.dir() + "fifo.ini").constData(), 0600) == 0);
        QVERIFY(QDir().mkdir(app.dir() + "folder.ini"));
        const QString path = place.startsWith('/') ? place : app.dir() + place;
        QVERIFY(app.start({"HUEBIRD_CONFIG=" + path}, QProcess::ForwardedOutputChannel));
        // The start says that the file cannot be used.
        const QString box = app.waitForWindowTitled("Avertissement");
        QVERIFY(!box.isEmpty());
        XDo({"windowfocus", "--sync", box});
        PressKeys("Return");
        QVERIFY(app.waitForMainWindow());
        QVERIFY(app.waitUntilInputHandled());

        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(app.process().processId()), SIGTERM);
        QVERIFY2(app.process().waitForFinished(kSignalEndMs), "a box held the end");
        qInfo("ended %lld ms after the signal", clock.elapsed());
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 1);
        const QByteArray said = app.process().readAllStandardError();
        QVERIFY2(said.contains("The settings could not be saved to \"" + QFile::encodeName(path) + "\""), said.constData());
    }
};

QTEST_MAIN(FaultsSignalsTest)
#include "faults_signals_test.moc"
