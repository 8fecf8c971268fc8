// First start of the real program under a French locale: the default settings
// file, French menus, and the settings written at close; then a second start
// that keeps the language whatever the locale says.
#include <QtTest>

#include "DesktopTestSupport.h"
#include "core/config/SettingsFile.h"

namespace {

// Only LANG speaks: Qt takes the user's language from LC_ALL, LC_MESSAGES and
// LANG by name, also where the C library has no such locale generated.
QStringList LocaleEnvironment(const QString& lang)
{
    return {"LANG=" + lang, "LC_ALL=", "LC_MESSAGES=", "LANGUAGE="};
}

QByteArray Saved(const char* language, int runs)
{
    Settings s;
    s.language = language;
    s.runCount = runs;
    s.showNewVersion = true;
    s.notationIndex = 0;
    s.hotkeyText = "Alt+C";
    return QByteArray::fromStdString(SettingsFileText(s));
}

// Alt+F opens the first menu and F picks its item with that access key: in
// French "&Fichier" then "&Fermer" closes the program; in English "&File" has no
// item on F, so the program would stay open.
bool CloseThroughTheFrenchFileMenu(RunningApp& app)
{
    XDo({"windowfocus", "--sync", app.windowId()});
    PressKeys("alt+f");
    PressKeys("f");
    return app.process().waitForFinished(kPatientMs);
}

} // namespace

class FirstRunTest : public QObject {
    Q_OBJECT

private slots:
    void frenchFirstRunThenTheLanguageIsKept()
    {
        RunningApp app;
        QVERIFY(!QFileInfo::exists(app.dir() + "HuebirdLite.ini"));
        QVERIFY(app.start(LocaleEnvironment("fr_FR.UTF-8")));
        QVERIFY(app.waitForMainWindow());
        QCOMPARE(app.readFile("HuebirdLite.ini"), QByteArray::fromStdString(DefaultSettingsText()));

        QVERIFY(CloseThroughTheFrenchFileMenu(app));
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 0);
        QCOMPARE(app.readFile("HuebirdLite.ini"), Saved("fr", 1));

        // The next start reads the language from the file, not from the locale.
        QVERIFY(app.start(LocaleEnvironment("de_DE.UTF-8")));
        QVERIFY(app.waitForMainWindow());
        QVERIFY(CloseThroughTheFrenchFileMenu(app));
        QCOMPARE(app.readFile("HuebirdLite.ini"), Saved("fr", 2));
    }

    void englishFileMenuHasNoItemOnF()
    {
        RunningApp app;
        app.writeFile("HuebirdLite.ini", Saved("en", 3));
        QVERIFY(app.start(LocaleEnvironment("fr_FR.UTF-8")));
        QVERIFY(app.waitForMainWindow());
        XDo({"windowfocus", "--sync", app.windowId()});
        PressKeys("alt+f");
        PressKeys("f");
        QVERIFY(app.waitUntilInputHandled());
        QCOMPARE(app.process().state(), QProcess::Running);
        PressKeys("Escape");
        QVERIFY(app.closeAndWait());
        QCOMPARE(app.readFile("HuebirdLite.ini"), Saved("en", 4));
    }
};

QTEST_MAIN(FirstRunTest)
#include "first_run_test.moc"
