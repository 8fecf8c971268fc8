// "Start at login": the session's autostart entry, written, checked by the
// desktop's own validator, and removed.
#include <QtTest>

#include "config/LoginStart.h"

class AutostartTest : public QObject {
    Q_OBJECT

private:
    static QString Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static QString Validate(const QString& path)
    {
        QProcess p;
        p.start("desktop-file-validate", {path});
        p.waitForFinished(30000);
        return p.exitCode() == 0 ? QString() : QString::fromLocal8Bit(p.readAll());
    }

private slots:
    void entryIsWrittenValidAndRemoved()
    {
        QTemporaryDir config;
        const QString dir = config.path() + "/autostart"; // made on the first write
        const QString program = "/opt/My \"Tools\"/$HOME`x`/back\\slash/100%/huebird-lite";
        LoginStart entry(dir, {program, "--config", "/home/a b/HuebirdLite.ini"});
        QCOMPARE(entry.entryPath(), dir + "/com.example.HuebirdLite.desktop");
        QVERIFY(!entry.isEnabled());

        QString error;
        QVERIFY(entry.setEnabled(true, &error));
        QVERIFY(entry.isEnabled());
        const QString text = Read(entry.entryPath());
        QVERIFY2(Validate(entry.entryPath()).isEmpty(), qPrintable(Validate(entry.entryPath())));
        // Quoted for the Exec key, then its backslashes escaped as in any string value.
        QVERIFY2(text.contains("\nExec=\"/opt/My \\\\\"Tools\\\\\"/\\\\$HOME\\\\`x\\\\`/back\\\\\\\\slash/100%%/"
                               "huebird-lite\" --config \"/home/a b/HuebirdLite.ini\"\n"),
                 qPrintable(text));

        // The desktop's session settings switch an entry off without removing it.
        QFile f(entry.entryPath());
        QVERIFY(f.open(QIODevice::Append));
        f.write("Hidden = true\n");
        f.close();
        QVERIFY(!entry.isEnabled());

        QVERIFY(entry.setEnabled(false, &error));
        QVERIFY(!QFile::exists(entry.entryPath()));
        QVERIFY(entry.setEnabled(false, &error));
    }

    void failuresAreReportedAndChangeNothing()
    {
        QTemporaryDir config;
        QString error;
        QVERIFY(!LoginStart(config.path(), {"/opt/hb/huebird\nlite"}).setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(config.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

        // A file where the folder should be.
        QFile blocker(config.path() + "/autostart");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        error.clear();
        LoginStart entry(blocker.fileName(), {"/opt/hb/huebird-lite"});
        QVERIFY(!entry.setEnabled(true, &error));
        QVERIFY(error.contains(entry.entryPath()));
        QVERIFY(!entry.isEnabled());
    }
};

QTEST_GUILESS_MAIN(AutostartTest)
#include "autostart_test.moc"
