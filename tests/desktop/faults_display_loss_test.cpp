// The X server goes away under the running program (a crashed or killed
// session): the program must end by itself, and what the user set during the
// run must reach the settings file as a normal close would write it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <csignal>

#include "DesktopTestSupport.h"

namespace {

const QByteArray kSettings = "[General]\r\nLanguage=en\r\nRns=4\r\nShowNewVersion=False\r\n\r\n"
                             "[Interface]\r\nCBX_FormatCapture=3\r\n\r\n[Preferences]\r\n"
                             "HK_CAPTURE=Ctrl+Alt+K\r\n";

} // namespace

class FaultsDisplayLossTest : public QObject {
    Q_OBJECT

private slots:
    void programEndsAndKeepsItsSettingsWhenTheDisplayDies()
    {
        PrivateXServer x; // of its own, so killing it disturbs no other test
        QVERIFY2(!x.display().isEmpty(), "no private X server could be started");

        RunningApp app;
        app.writeFile("HuebirdLite.ini", kSettings);
        QVERIFY(app.start({"DISPLAY=" + x.display()}));
        const QString pid = QString::number(app.process().processId());
        QString window;
        QVERIFY(WaitFor([&] {
            window = XDoOn(x.display(), {"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^Huebird v"})
                         .split('\n').first();
            return !window.isEmpty();
        }));

        // The wheel over the notation box moves it from "HSL" (3) to "CMYK" (4).
        int x0 = 0, y0 = 0, w = 0, h = 0;
        for (const QString& line : XDoOn(x.display(), {"getwindowgeometry", "--shell", window}).split('\n')) {
            if (line.startsWith("X=")) x0 = line.mid(2).toInt();
            if (line.startsWith("Y=")) y0 = line.mid(2).toInt();
            if (line.startsWith("WIDTH=")) w = line.mid(6).toInt();
            if (line.startsWith("HEIGHT=")) h = line.mid(7).toInt();
        }
        const int clientTop = ClientOrigin(QRect(x0, y0, w, h)).y();
        XDoOn(x.display(), {"mousemove", "--sync", QString::number(x0 + 223), QString::number(clientTop + 70)});
        XDoOn(x.display(), {"click", "5"});
        XDoOn(x.display(), {"mousemove", "--sync", "10", "10"});
        QVERIFY(WaitUntilInputHandled(window, kPatientMs, x.display()));

        x.kill();
        QVERIFY2(app.process().waitForFinished(kPatientMs), "the program kept running without its display");
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);

        const QByteArray saved = app.readFile("HuebirdLite.ini");
        QVERIFY2(saved.contains("CBX_FormatCapture=4\r\n"), saved.constData());
        QVERIFY2(saved.contains("Rns=5\r\n"), saved.constData());
        QVERIFY(saved.contains("ShowNewVersion=False\r\n"));
        QVERIFY(saved.contains("HK_CAPTURE=Ctrl+Alt+K\r\n"));
        QVERIFY(saved.contains("Language=en\r\n"));
        QCOMPARE(QDir(app.dir()).entryList({"HuebirdLite*"}, QDir::Files | QDir::Hidden),
                 QStringList{"HuebirdLite.ini"});
    }

    // Gone before the settings were even read: nothing may be written over them.
    void displayThatNeverWasLeavesTheSettingsAlone()
    {
        RunningApp app;
        app.writeFile("HuebirdLite.ini", kSettings);
        QVERIFY(app.start({"DISPLAY=:199"}));
        QVERIFY(app.process().waitForFinished(kPatientMs));
        QCOMPARE(app.readFile("HuebirdLite.ini"), kSettings);
    }
};

QTEST_MAIN(FaultsDisplayLossTest)
#include "faults_display_loss_test.moc"
