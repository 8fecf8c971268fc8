// "Start at login": the session's autostart entry, written, checked by the
// desktop's own validator, and removed.
#include <QMenu>
#include <QtTest>

#include "../widgets/RecordingPrompts.h"
#include "app/MainWindow.h"
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

    void aCommandNoEntryCanHoldIsRefused()
    {
        QTemporaryDir config;
        QString error;
        QVERIFY(!LoginStart(config.path(), {"/opt/hb/huebird\nlite"}).setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(config.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void theOptionsMenuItemFollowsTheEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        RecordingPrompts prompts;
        MainWindow form({prompts, PortableProgramPaths(QCoreApplication::applicationFilePath().toStdString())});
        auto* options = form.findChild<QMenu*>("MenuOptions");
        auto* startAtLogin = form.findChild<QAction*>("MenuStartAtLogin");
        const QString path = config.path() + "/autostart/com.example.HuebirdLite.desktop";
        emit options->aboutToShow();
        QVERIFY(!startAtLogin->isChecked());

        startAtLogin->trigger();
        QVERIFY(startAtLogin->isChecked());
        QVERIFY(Read(path).contains("\nExec=" + QCoreApplication::applicationFilePath() + "\n"));
        startAtLogin->trigger();
        QVERIFY(!startAtLogin->isChecked());
        QVERIFY(!QFile::exists(path));

        // Switched on elsewhere (another copy, the desktop): seen when the menu opens.
        QString error;
        QVERIFY(LoginStart(config.path() + "/autostart", {"/usr/bin/huebird-lite"}).setEnabled(true, &error));
        emit options->aboutToShow();
        QVERIFY(startAtLogin->isChecked());

        // A file where the folder should be: said, and nothing changes.
        QVERIFY(QFile::remove(path) && QDir().rmdir(config.path() + "/autostart"));
        QFile(config.path() + "/autostart").open(QIODevice::WriteOnly);
        startAtLogin->setChecked(false);
        startAtLogin->trigger();
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QVERIFY(prompts.messages[0].text.startsWith("Start at login could not be changed: " + path));
        QVERIFY(!startAtLogin->isChecked());
    }
};

QTEST_MAIN(AutostartTest)
#include "autostart_test.moc"
