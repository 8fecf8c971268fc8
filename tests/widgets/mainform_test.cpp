// The main window's shell: layout, menus, shortcuts, the notation box and the
// two ways of closing.
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/Application.h"
#include "ui/QtPrompts.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "update/UpdateChecker.h"

class MainFormTest : public QObject {
    Q_OBJECT

private:
    static QStringList MenuItems(const QMenu* menu)
    {
        QStringList items;
        for (const QAction* a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return items;
    }

private slots:
    void controlsSitAtTheirPlaces()
    {
        RecordingPrompts prompts;
        MainWindow form({prompts, TestProgramPaths()});
        QCOMPARE(Parts(form).Client->size(), QSize(276, 131));
        const QList<QPair<QWidget*, QRect>> expected = {
            {Parts(form).ShSelectedColor, QRect(173, 2, 100, 58)},
            {Parts(form).LabelColor, QRect(173, 44, 100, 13)},
            {Parts(form).SHImageZoom, QRect(2, 2, 108, 108)},
            {Parts(form).ImgZoom, QRect(3, 3, 106, 106)},
            {Parts(form).GridCapture, QRect(119, 2, 45, 106)},
            {Parts(form).NotationBox, QRect(173, 60, 101, 21)},
            {Parts(form).EditCaptureColor, QRect(173, 86, 101, 21)},
            {Parts(form).StatusBar, QRect(0, 112, 276, 19)},
            {Parts(form).ImgBackground, QRect(0, 0, 276, 112)},
        };
        for (const auto& [widget, rect] : expected)
            QCOMPARE(widget->geometry(), rect);
        QCOMPARE(Parts(form).StatusBar->panelCount(), 3);
        QCOMPARE(Parts(form).StatusBar->panelWidth(0), 70);
        QCOMPARE(Parts(form).StatusBar->panelWidth(1), 120);
        QCOMPARE(Parts(form).StatusBar->panelWidth(2), 120);
        QVERIFY(!Parts(form).ImgBackground->canvas().isNull());
    }

    void formCreateSetsTheStartingState()
    {
        RecordingPrompts prompts;
        MainWindow form({prompts, TestProgramPaths()});
        QCOMPARE(Parts(form).NotationBox->currentIndex(), 0);
        QCOMPARE(Parts(form).NotationBox->currentText(), QStringLiteral("HTML"));
        QCOMPARE(Parts(form).NotationBox->count(), 15);
        QCOMPARE(Parts(form).NotationBox->maxVisibleItems(), 15);
        QCOMPARE(Parts(form).list().currentColor(), (Rgb{255, 255, 255}));
        QCOMPARE(Parts(form).list().managerGeometry().width(), 220);
        QCOMPARE(Parts(form).list().managerGeometry().height(), 315);
        QCOMPARE(form.windowTitle(), QStringLiteral("Huebird v.2.0"));
        QVERIFY(Parts(form).LabelColor->text().isEmpty());
        QVERIFY(form.windowFlags() & Qt::Tool);
    }

    void menusHoldEveryItemInOrder()
    {
        RecordingPrompts prompts;
        MainWindow form({prompts, TestProgramPaths()});
        const QList<QAction*> top = form.menuBar()->actions();
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[0]->text(), QStringLiteral("File"));
        QCOMPARE(top[1]->text(), QStringLiteral("Edit"));
        QCOMPARE(top[2]->text(), QStringLiteral("Options"));
        QCOMPARE(top[3]->text(), QStringLiteral("?"));
        QCOMPARE(MenuItems(Parts(form).menu("MenuFile")),
                 QStringList({"MenuOpenColorList", "MenuSaveColorList", "MenuExportColorList", "-", "MenuClose"}));
        QCOMPARE(MenuItems(Parts(form).menu("MenuEdit")),
                 QStringList({"MenuCopyColorList", "MenuClearColorList", "-", "MenuCut", "MenuCopy", "MenuCopyAs",
                              "MenuPaste"}));
        QCOMPARE(Parts(form).menu("MenuCopyAs")->actions().size(), 15);
        QCOMPARE(Parts(form).menu("MenuCopyAs")->actions().last()->text(), QStringLiteral("OKLCH"));
        QCOMPARE(MenuItems(Parts(form).menu("MenuOptions")),
                 QStringList({"MenuHotkey", "MenuLanguage", "MenuStartAtLogin", "-", "MenuColorListManaging",
                              "MenuSwatches", "MenuPick", "MenuSample"}));
        QCOMPARE(MenuItems(Parts(form).menu("MenuSample")),
                 QStringList({"MenuSample1", "MenuSample3", "MenuSample5", "MenuSample9"}));
        QCOMPARE(Parts(form).menu("MenuSample")->actions()[1]->text(), QString::fromUtf8("3 \u00d7 3"));
        QCOMPARE(MenuItems(Parts(form).menu("MenuHelp")),
                 QStringList({"MenuHelpIndex", "-", "MenuWebsite", "-", "MenuAbout"}));
        QCOMPARE(MenuItems(Parts(form).menu("ContextMenu")),
                 QStringList({"ContextCaptureColor", "ContextCopyColorList", "ContextDeleteColor", "ContextClearColorList",
                              "-", "ContextCut", "ContextCopy", "ContextPaste"}));
    }

    void shortcutsShowInTheirTextForm()
    {
        RecordingPrompts prompts;
        MainWindow form({prompts, TestProgramPaths()});
        QCOMPARE(Parts(form).item("MenuCut")->text(), QStringLiteral("Cut\tCtrl+X"));
        QCOMPARE(Parts(form).item("MenuCopy")->text(), QStringLiteral("Copy\tCtrl+C"));
        QCOMPARE(Parts(form).item("MenuPaste")->text(), QStringLiteral("Paste\tCtrl+Alt+V"));
        QCOMPARE(Parts(form).item("MenuHelpIndex")->text(), QStringLiteral("Help Index\tCtrl+F1"));
        QCOMPARE(Parts(form).item("ContextDeleteColor")->text(), QStringLiteral("Delete color\tSuppr"));
        QCOMPARE(Parts(form).item("ContextCut")->text(), QStringLiteral("Cut"));
        QCOMPARE(Parts(form).item("MenuPaste")->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V));
        TestAppDir dir;
        dir.write("lang_fr.txt", "MenuPaste=Coller\n");
        ChooseLanguageFile(form, prompts, dir.file("lang_fr.txt"));
        QCOMPARE(Parts(form).item("MenuPaste")->text(), QStringLiteral("Coller\tCtrl+Alt+V"));
    }

    void pasteAnswersCtrlAltVButNotCtrlV()
    {
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QSignalSpy paste(Parts(form).item("MenuPaste"), &QAction::triggered);
        Parts(form).NotationBox->setFocus();
        QTest::keyClick(Parts(form).NotationBox, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(paste.count(), 0);
        QTest::keyClick(Parts(form).NotationBox, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(paste.count(), 1);
        form.close();
    }

    void typingNeverChangesTheNotationBox()
    {
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Parts(form).NotationBox->setFocus();
        QTest::keyClicks(Parts(form).NotationBox, "RGB hsl 9");
        QCOMPARE(Parts(form).NotationBox->currentIndex(), 0);
        Parts(form).NotationBox->setCurrentIndex(4);
        QCOMPARE(Parts(form).NotationBox->currentText(), QStringLiteral("CMYK"));
        form.close();
    }

    void statusBarPanelTwoStaysEmpty()
    {
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(Parts(form).StatusBar->panelText(2).isEmpty());
        const QString captureKey = Parts(form).item("ContextCaptureColor")->text().section('\t', 1);
        QVERIFY(!captureKey.isEmpty());
        QVERIFY(Parts(form).StatusBar->panelText(1).endsWith(' ' + captureKey));
        QVERIFY(Parts(form).capture().isRunning());
        form.close();
    }

    void closeByMenuAndByCloseBoxBothShutDown_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("menu item Close") << true;
        QTest::newRow("close box") << false;
    }

    void closeByMenuAndByCloseBoxBothShutDown()
    {
        QFETCH(bool, byMenu);
        TestAppDir dir;
        RecordingPrompts prompts;
        MainWindow form({prompts, dir.paths()});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Parts(form).list().setColors({Rgb{51, 34, 17}, Rgb{102, 85, 68}});
        if (byMenu)
            Parts(form).item("MenuClose")->trigger();
        else
            form.close();
        QVERIFY(!form.isVisible());
        QVERIFY(Parts(form).list().colors().empty());
        QVERIFY(!Parts(form).capture().isRunning());
        QVERIFY(!form.findChild<UpdateChecker*>()->isScheduled());
    }

    void messageKindsHaveTheirFrenchTitles()
    {
        QCOMPARE(MessageTitle(0), QStringLiteral("Information"));
        QCOMPARE(MessageTitle(1), QStringLiteral("Confirmation"));
        QCOMPARE(MessageTitle(2), QStringLiteral("Erreur"));
        QCOMPARE(MessageTitle(3), QStringLiteral("Avertissement"));
        QCOMPARE(MessageTitle(4), QString());
        // An unknown kind shows no box (one would wait here for a click).
        QtPrompts prompts;
        prompts.message(4, "never shown");
        prompts.message(255, "never shown");
    }
};

QTEST_MAIN(MainFormTest)
#include "mainform_test.moc"
