// Settings file, language files, help, web site and About, through the main
// window started in a private application folder.
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "FakeHotkey.h"
#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "capture/HotkeyService.h"
#include "config/LanguageService.h"
#include "core/config/SettingsFile.h"
#include "config/SettingsStore.h"
#include "config/Translations.h"
#include "core/config/UiTexts.h"
#include "config/AboutDialog.h"
#include "ui/PictureView.h"
#include "update/UpdateChecker.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const QString kWebSite = QStringLiteral("http://huebird.example.com/");

// The main window shown in its own folder, as at a program start.
struct Run {
    TestAppDir dir;
    RecordingPrompts prompts;
    std::unique_ptr<MainWindow> form;

    explicit Run(const QByteArray* settings,
                 const QLocale& userLanguage = QLocale(QLocale::English, QLocale::UnitedStates),
                 std::unique_ptr<IGlobalHotkey> hotkey = {})
    {
        if (settings)
            dir.write("HuebirdLite.ini", *settings);
        form = std::make_unique<MainWindow>(MainWindowServices{
            .prompts = prompts, .paths = dir.paths(), .userLanguage = userLanguage, .globalHotkey = std::move(hotkey)});
        form->show();
    }
    ~Run()
    {
        if (form && !form->isHidden())
            form->close();
    }
    QByteArray closeAndRead()
    {
        form->close();
        return dir.read("HuebirdLite.ini");
    }
};

QByteArray SavedText(const char* language, int runs, bool showNewVersion, int format, const char* hotkey)
{
    Settings s;
    s.language = language;
    s.runCount = runs;
    s.showNewVersion = showNewVersion;
    s.notationIndex = format;
    s.hotkeyText = hotkey;
    return QByteArray::fromStdString(SettingsFileText(s));
}

} // namespace

class ConfigTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunCreatesTheDefaultFileAndDetectsTheLanguage()
    {
        Run run(nullptr, QLocale(QLocale::French, QLocale::France));
        QCOMPARE(run.dir.read("HuebirdLite.ini"), QByteArray::fromStdString(DefaultSettingsText()));
        QCOMPARE(Q(LanguageOf(*run.form).languageCode()), QStringLiteral("fr"));
        QCOMPARE(Q(LanguageOf(*run.form).languageFile()), run.dir.file("language/lang_fr.txt"));
        QCOMPARE(Q(LanguageOf(*run.form).helpPage()), run.dir.file("help/help_fr.htm"));
        QCOMPARE(Parts(*run.form).menu("MenuFile")->title(), QStringLiteral("&Fichier"));
        QCOMPARE(Parts(*run.form).item("MenuWebsite")->text(), QStringLiteral("Site &Web Huebird"));
        QCOMPARE(Parts(*run.form).StatusBar->panelText(1), QStringLiteral("Capture\u00a0: Alt+C"));
        QCOMPARE(Parts(*run.form).NotationBox->currentIndex(), 0);
        QVERIFY(run.form->findChild<UpdateChecker*>()->isScheduled());
        QVERIFY(run.prompts.messages.empty());
        QCOMPARE(run.closeAndRead(), SavedText("fr", 1, true, 0, "Alt+C"));
    }

    void settingsAreReadAndWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<bool>("hotkeyRefused"); // the default stands in, with a warning
        QTest::newRow("kept language, counted run")
            << QByteArray("Rns=5\r\nLanguage=de\r\nShowNewVersion=True\r\nHK_CAPTURE=Alt+C\r\n")
            << SavedText("de", 6, true, 0, "Alt+C") << false;
        QTest::newRow("misspelt keys leave a first run")
            << QByteArray("rns=5\nRns = 5\n#Rns=5\nLanguage=it\nHK_CAPTURE=Alt+C\n") << SavedText("en", 1, false, 0, "Alt+C")
            << false;
        QTest::newRow("only True is true")
            << QByteArray("Rns=1\nLanguage=pt\nShowNewVersion=true\nHK_CAPTURE=Alt+C\n")
            << SavedText("pt", 2, false, 0, "Alt+C") << false;
        QTest::newRow("last occurrence wins")
            << QByteArray("Rns=1\nRns=9\nLanguage=fr\nLanguage=it\nShowNewVersion=True\nShowNewVersion=False\n"
                          "CBX_FormatCapture=2\nCBX_FormatCapture=5\nHK_CAPTURE=Alt+C\nHK_CAPTURE=Ctrl+F5\n")
            << SavedText("it", 10, false, 5, "Ctrl+F5") << false;
        QTest::newRow("hotkey text in any order and case")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=ctrl+maj+f5\n") << SavedText("en", 2, false, 0, "Maj+Ctrl+F5")
            << false;
        QTest::newRow("caret for Ctrl")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=^C\n") << SavedText("en", 2, false, 0, "Ctrl+C") << false;
        QTest::newRow("unknown modifier")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=Shift+C\n") << SavedText("en", 2, false, 0, "Alt+C") << true;
        QTest::newRow("empty hotkey")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=\n") << SavedText("en", 2, false, 0, "Alt+C") << true;
        QTest::newRow("no hotkey")
            << QByteArray("Rns=1\nLanguage=en\n") << SavedText("en", 2, false, 0, "Alt+C") << true;
        QTest::newRow("a key alone")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=Espace\n") << SavedText("en", 2, false, 0, "Alt+C") << true;
        QTest::newRow("Shift alone")
            << QByteArray("Rns=1\nLanguage=en\nHK_CAPTURE=Maj+A\n") << SavedText("en", 2, false, 0, "Alt+C") << true;
        QTest::newRow("notation past the list")
            << QByteArray("Rns=1\nLanguage=en\nCBX_FormatCapture=15\nHK_CAPTURE=Alt+C\n")
            << SavedText("en", 2, false, -1, "Alt+C") << false;
        QTest::newRow("numbers that are not integers are passed over")
            << QByteArray("Rns=7\nRns=abc\nLanguage=en\nCBX_FormatCapture=4\nCBX_FormatCapture=4.5\nHK_CAPTURE=Alt+C\n")
            << SavedText("en", 8, false, 4, "Alt+C") << false;
        QTest::newRow("empty file")
            << QByteArray() << SavedText("en", 1, false, 0, "Alt+C") << true;
    }

    void settingsAreReadAndWrittenBack()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, saved);
        QFETCH(bool, hotkeyRefused);
        Run run(&settings);
        if (hotkeyRefused) {
            QCOMPARE(run.prompts.messages.size(), size_t(1));
            QCOMPARE(int(run.prompts.messages[0].kind), 3);
            QVERIFY(run.prompts.messages[0].text.startsWith("The hotkey "));
            QCOMPARE(Parts(*run.form).StatusBar->panelText(1), QStringLiteral("Capture: Alt+C"));
        } else {
            QVERIFY(run.prompts.messages.empty());
        }
        QCOMPARE(run.form->findChild<UpdateChecker*>()->isScheduled(), saved.contains("\r\nShowNewVersion=True\r\n"));
        QCOMPARE(run.closeAndRead(), saved);
    }

    void hotkeyReachesTheDesktopTheMenuAndTheStatusBar()
    {
        const QByteArray settings("Rns=1\nLanguage=en\nHK_CAPTURE=maj+ctrl+F5\n");
        auto* hotkey = new FakeHotkey;
        Run run(&settings, QLocale(QLocale::English, QLocale::UnitedStates), std::unique_ptr<IGlobalHotkey>(hotkey));
        const QKeyCombination expected = Qt::SHIFT | Qt::CTRL | Qt::Key_F5;
        QCOMPARE(hotkey->active.size(), std::size_t(1));
        QCOMPARE(hotkey->active[0].combination, expected);
        QCOMPARE(Parts(*run.form).item("ContextCaptureColor")->shortcut(), QKeySequence(expected));
        QCOMPARE(Parts(*run.form).StatusBar->panelText(1), QStringLiteral("Capture: Maj+Ctrl+F5"));
    }

    void theSampleSizeReachesItsMenuItemAndTheStatusBar()
    {
        const QByteArray settings("Rns=1\nLanguage=en\nHK_CAPTURE=Alt+C\nSampleSize=5\n");
        Run run(&settings);
        QVERIFY(Parts(*run.form).item("MenuSample5")->isChecked());
        QVERIFY(!Parts(*run.form).item("MenuSample1")->isChecked());
        QCOMPARE(Parts(*run.form).StatusBar->panelText(1), QStringLiteral("Capture: Alt+C  5\u00d75"));
        Parts(*run.form).item("MenuSample1")->trigger();
        QVERIFY(Parts(*run.form).item("MenuSample1")->isChecked());
        QVERIFY(!Parts(*run.form).item("MenuSample5")->isChecked());
        QCOMPARE(Parts(*run.form).StatusBar->panelText(1), QStringLiteral("Capture: Alt+C"));
        QVERIFY(!run.closeAndRead().contains("SampleSize"));
    }

    void unknownLanguageFallsBackToEnglishFiles()
    {
        // Made on Windows: the code is read from Windows-1252.
        const QByteArray settings("Rns=3\nLanguage=x\xE9\nHK_CAPTURE=Alt+C\n");
        Run run(&settings);
        QCOMPARE(Q(LanguageOf(*run.form).languageCode()), QStringLiteral("x\u00E9"));
        QCOMPARE(Q(LanguageOf(*run.form).languageFile()), run.dir.file("language/lang_en.txt"));
        // The English texts stand in, and the unknown code stays to be written back.
        QCOMPARE(Parts(*run.form).menu("MenuFile")->title(), QStringLiteral("&File"));
        QCOMPARE(Q(LanguageOf(*run.form).helpPage()), run.dir.file("help/help_x\u00E9.htm"));
        QVERIFY(run.closeAndRead().contains("\r\nLanguage=x\xC3\xA9\r\n"));
    }

    void unusableSettingsFileWarnsOnceAndStartsWithDefaults()
    {
        TestAppDir dir;
        const QString ini = dir.file("HuebirdLite.ini");
        QVERIFY(QDir().mkpath(ini));
        RecordingPrompts prompts;
        MainWindow form({.prompts = prompts, .paths = dir.paths(), .userLanguage = QLocale("de_CH")});
        form.show();
        const auto& messages = prompts.messages;
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].kind, (unsigned char)3);
        QVERIFY(messages[0].text.contains(ini));
        QVERIFY2(!messages[0].text.contains("()"), qPrintable(messages[0].text));
        // The defaults of a first run: the desktop's language, the update check, Alt+C.
        QCOMPARE(Q(LanguageOf(form).languageCode()), QStringLiteral("de"));
        QVERIFY(form.findChild<UpdateChecker*>()->isScheduled());
        QCOMPARE(Parts(form).item("ContextCaptureColor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));

        // The save fails with its reason and leaves what was there.
        form.close();
        QCOMPARE(messages.size(), size_t(2));
        QCOMPARE(messages[1].kind, (unsigned char)2);
        QVERIFY2(messages[1].text.contains(ini), qPrintable(messages[1].text));
        QVERIFY(QFileInfo(ini).isDir());
    }

    void savingReplacesTheWholeFile()
    {
        const QByteArray settings("; my notes\n[General]\nRns=4\nLanguage=en\nUnknown=1\nShowNewVersion=True\n");
        Run run(&settings);
        Parts(*run.form).NotationBox->setCurrentIndex(10);
        QCOMPARE(run.closeAndRead(), SavedText("en", 5, true, 10, ""));
        QVERIFY(!QFileInfo::exists(run.dir.file("HuebirdLite.ini.tmp")));
        QCOMPARE(QDir(run.dir.path()).entryList(QDir::Files), QStringList({"HuebirdLite.ini"}));
    }

    void firstRunSpeaksTheDesktopsLanguage_data()
    {
        QTest::addColumn<QLocale>("desktop");
        QTest::addColumn<QString>("code");
        QTest::newRow("fr_CA") << QLocale("fr_CA") << "fr";
        QTest::newRow("de_CH") << QLocale("de_CH") << "de";
        QTest::newRow("es_419 (an area)") << QLocale("es_419") << "es";
        QTest::newRow("zh_TW") << QLocale("zh_TW") << "zh";
        QTest::newRow("fr_MC (no variant of its own)") << QLocale("fr_MC") << "fr";
        QTest::newRow("nl_NL (no language file)") << QLocale("nl_NL") << "en";
        QTest::newRow("C") << QLocale::c() << "en";
    }

    void firstRunSpeaksTheDesktopsLanguage()
    {
        QFETCH(QLocale, desktop);
        QFETCH(QString, code);
        QWidget window;
        RecordingPrompts prompts;
        Translations translations("/nowhere/", '.');
        LanguageService language(translations, prompts, desktop, &window);
        language.start("it", false);
        QCOMPARE(Q(translations.languageCode()), QStringLiteral("it"));
        language.start("it", true);
        QCOMPARE(Q(translations.languageCode()), code);
    }

    void languageLoaderEdgeCases()
    {
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("File"));
        QCOMPARE(Parts(form).menu("MenuHelp")->title(), QStringLiteral("?"));
        QCOMPARE(LanguageOf(form).text("SHelpNotFound"), UiTexts().text("SHelpNotFound")); // before any file

        // A language without a help page: the English one stands in until a
        // line that is not a comment points the page at the language's own.
        dir.write("language/lang_xx.txt", "; no texts yet\n");
        LanguageOf(form).useLanguage("xx");
        QCOMPARE(Q(LanguageOf(form).helpPage()), dir.file("help/help_en.htm"));
        dir.write("only.txt", "MenuFile=&Fichier\n");
        LanguageOf(form).load(dir.file("only.txt"));
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("&Fichier"));
        QCOMPARE(Parts(form).menu("MenuEdit")->title(), QStringLiteral("&Edit")); // what a file leaves out is English
        QCOMPARE(Q(LanguageOf(form).helpPage()), dir.file("help/help_xx.htm"));

        dir.write("odd.txt", "menufile=X\nMenuFile =Y\nMenuEdit=A=B\nMenuWebsite=Site Web\n"
                             "MenuHelpIndex=Sommaire\nPopUpDeleteColor=Effacer\n");
        LanguageOf(form).load(dir.file("odd.txt"));
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("&File"));
        QCOMPARE(Parts(form).menu("MenuEdit")->title(), QStringLiteral("A=B"));
        QCOMPARE(Parts(form).item("MenuWebsite")->text(), QStringLiteral("Site Web Huebird"));
        // The shortcut stays shown beside the new caption.
        QCOMPARE(Parts(form).item("MenuHelpIndex")->text(), QStringLiteral("Sommaire\tCtrl+F1"));
        QCOMPARE(Parts(form).item("ContextDeleteColor")->text(), QStringLiteral("Effacer\tSuppr"));

        // Missing file, a folder: nothing changes; comments only: the English texts.
        LanguageOf(form).load(dir.file("language/lang_fr.txt"));
        LanguageOf(form).load(dir.file("missing.txt"));
        LanguageOf(form).load(dir.file("language"));
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("&Fichier"));
        dir.write("comments.txt", "; MenuFile=X\n// MenuFile=Y\n\n");
        LanguageOf(form).load(dir.file("comments.txt"));
        QCOMPARE(Parts(form).menu("MenuFile")->title(), QStringLiteral("&File"));

        // What a second file leaves out is English, not the first file's text.
        LanguageOf(form).load(dir.file("language/lang_fr.txt"));
        dir.write("no.txt", "SNo=Nope\n");
        LanguageOf(form).load(dir.file("no.txt"));
        QCOMPARE(TextOf(form, "SNo"), QStringLiteral("Nope"));
        QCOMPARE(TextOf(form, "SYes"), QStringLiteral("Yes"));
        QCOMPARE(Parts(form).menu("MenuOptions")->title(), QStringLiteral("&Options"));
        QCOMPARE(Parts(form).item("MenuClose")->text(), QStringLiteral("&Close"));

        // Files made on Windows, with or without a byte-order mark.
        dir.write("cp1252.txt", "MenuEdit=&\xC9" "dition\n");
        LanguageOf(form).load(dir.file("cp1252.txt"));
        QCOMPARE(Parts(form).menu("MenuEdit")->title(), QStringLiteral("&\u00C9dition"));
        dir.write("bom.txt", "\xEF\xBB\xBFMenuEdit=&Bearbeiten\r\n");
        LanguageOf(form).load(dir.file("bom.txt"));
        QCOMPARE(Parts(form).menu("MenuEdit")->title(), QStringLiteral("&Bearbeiten"));
    }

    void choosingALanguageFileTakesTheCodeFromItsName()
    {
        Run run(nullptr);
        QString offeredFolder;
        QString answer;
        run.prompts.onLanguageFile = [&](const QString& folder) { offeredFolder = folder; return answer; };

        run.dir.write("language/lang_de.txt", run.dir.read("language/lang_de.txt") + "FLanguage=fr\n");
        answer = run.dir.file("language/lang_de.txt");
        Parts(*run.form).item("MenuLanguage")->trigger();
        QCOMPARE(offeredFolder, run.dir.file("language/"));
        QCOMPARE(Q(LanguageOf(*run.form).languageCode()), QStringLiteral("de"));
        QCOMPARE(Q(LanguageOf(*run.form).languageFile()), answer);
        QCOMPARE(Q(LanguageOf(*run.form).helpPage()), run.dir.file("help/help_de.htm"));
        QCOMPARE(Parts(*run.form).menu("MenuFile")->title(), QStringLiteral("&Datei"));

        // Cancelling changes nothing.
        answer.clear();
        Parts(*run.form).item("MenuLanguage")->trigger();
        QCOMPARE(Q(LanguageOf(*run.form).languageCode()), QStringLiteral("de"));

        // A file elsewhere, named for a regional variant.
        run.dir.write("mine/lang_pt_BR.txt", run.dir.read("language/lang_pt.txt"));
        answer = run.dir.file("mine/lang_pt_BR.txt");
        Parts(*run.form).item("MenuLanguage")->trigger();
        QCOMPARE(Q(LanguageOf(*run.form).languageCode()), QStringLiteral("pt_BR"));
        QCOMPARE(Parts(*run.form).menu("MenuEdit")->title(), QStringLiteral("&Editar"));
        QVERIFY(run.closeAndRead().contains("\r\nLanguage=pt_BR\r\n"));
    }

    void helpOpensTheCurrentPageOrSaysItIsMissing()
    {
        Run run(nullptr);
        const QUrl page = QUrl::fromLocalFile(run.dir.file("help/help_en.htm"));
        QVERIFY(QFileInfo(page.toLocalFile()).isFile());
        Parts(*run.form).item("MenuHelpIndex")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(run.form.get()));
        QTest::keyClick(Parts(*run.form).EditCaptureColor, Qt::Key_F1);
        QTest::keyClick(Parts(*run.form).NotationBox, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(run.prompts.opened, QList<QUrl>({page, page, page}));
        QVERIFY(run.prompts.messages.empty());

        // A language without a help page.
        QVERIFY(QFile::remove(run.dir.file("help/help_de.htm")));
        run.prompts.onLanguageFile = [&](const QString&) { return run.dir.file("language/lang_de.txt"); };
        Parts(*run.form).item("MenuLanguage")->trigger();
        QTest::keyClick(Parts(*run.form).EditCaptureColor, Qt::Key_F1);
        QCOMPARE(run.prompts.opened.size(), 3);
        QCOMPARE(run.prompts.messages.size(), size_t(1));
        QCOMPARE(run.prompts.messages[0].kind, (unsigned char)0);
        QCOMPARE(run.prompts.messages[0].text, QStringLiteral("Die Hilfeseite wurde nicht gefunden."));

        Parts(*run.form).item("MenuWebsite")->trigger();
        QCOMPARE(run.prompts.opened.last(), QUrl(kWebSite));
    }

    void aboutDialogShowsNameVersionAndAddress()
    {
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        bool shown = false;
        prompts.onDialog = [&](QDialog& about) {
            shown = true;
            const auto label = [&](const char* name) { return about.findChild<QLabel*>(name); };
            const auto picture = [&](const char* name) { return about.findChild<PictureView*>(name); };
            QPushButton* close = about.findChild<QPushButton*>("ButtonClose");
            QCOMPARE(about.objectName(), QStringLiteral("AboutDialog"));
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            QCOMPARE(about.size(), QSize(332, 144));
            QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
            QVERIFY(about.isModal());
            // Before any language file: the English texts.
            QCOMPARE(about.windowTitle(), Q(UiTexts().text("SFormAboutCaption")));
            QCOMPARE(close->text(), Q(UiTexts().text("SClose")));
            QCOMPARE(label("LabelAppName")->text(), QStringLiteral("Huebird"));
            QCOMPARE(label("LabelAppVersion")->text(), QStringLiteral("v.2.0.2.1"));
            QCOMPARE(label("LabelMaker")->text(), QStringLiteral("by Ondrel Team"));
            QCOMPARE(label("LabelWebsite")->text(), kWebSite);
            QVERIFY(label("LabelSettings")->text().startsWith("Portable: /"));
            QCOMPARE(label("LabelSettings")->toolTip(), dir.path() + "HuebirdLite.ini");
            const QList<QPair<QWidget*, QRect>> places = {
                {picture("Background"), QRect(0, 0, 332, 144)},   {picture("Logo"), QRect(8, 8, 128, 128)},
                {label("LabelAppName"), QRect(144, 24, 180, 19)}, {label("LabelAppVersion"), QRect(144, 40, 180, 13)},
                {label("LabelMaker"), QRect(144, 56, 180, 13)}, {label("LabelWebsite"), QRect(144, 80, 180, 13)},
                {close, QRect(176, 110, 113, 25)}};
            for (const auto& [widget, rect] : places)
                QCOMPARE(widget->geometry(), rect);
            QVERIFY(!picture("Background")->canvas().isNull());
            QVERIFY(!picture("Logo")->canvas().isNull());
            QVERIFY(label("LabelAppName")->font().bold());
            QCOMPARE(label("LabelAppName")->font().pixelSize(), 16);
            QVERIFY(label("LabelMaker")->font().italic());
            QVERIFY(label("LabelWebsite")->font().underline());
            QCOMPARE(label("LabelWebsite")->palette().color(QPalette::WindowText), QColor(Qt::blue));

            QTest::mouseClick(label("LabelWebsite"), Qt::LeftButton);
            QCOMPARE(prompts.opened, QList<QUrl>({QUrl(kWebSite)}));
            QVERIFY(about.isVisible());
            QTest::mouseClick(close, Qt::LeftButton);
            QVERIFY(!about.isVisible());
        };
        Parts(form).item("MenuAbout")->trigger();
        QVERIFY(shown);

        // With a language file: its caption and button text, at every opening.
        ChooseLanguageFile(form, prompts, dir.file("language/lang_it.txt"));
        prompts.onDialog = [&](QDialog& about) {
            QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Huebird Lite"));
            QCOMPARE(about.findChild<QPushButton*>("ButtonClose")->text(), QStringLiteral("Chiudi"));
            QVERIFY(about.findChild<QLabel*>("LabelSettings")->text().startsWith("Portatile: "));
        };
        Parts(form).item("MenuAbout")->trigger();
    }
};

QTEST_MAIN(ConfigTest)
#include "config_test.moc"
