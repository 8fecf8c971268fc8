// The colour-list manager window: the working copy and its buttons, the grid's
// numbers and codes, geometry between openings, captures while it is open.
#include <QApplication>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "colorlist/ColorListController.h"
#include "colorlist/ListManagerWindow.h"
#include "ui/PanelStatusBar.h"
#include "ui/WidgetHelpers.h"

namespace {

const TColorArray kThree = {0x0000FF, 0x00FF00, 0xFF0000};

// The manager's widgets, found by their names.
struct ManagerUi {
    explicit ManagerUi(ListManagerWindow& window)
        : GridCapture(window.findChild<ColorGrid*>("GridCapture")),
          ButtonUp(window.findChild<QToolButton*>("ButtonUp")),
          ButtonDown(window.findChild<QToolButton*>("ButtonDown")),
          ButtonDelete(window.findChild<QToolButton*>("ButtonDelete")),
          ButtonUndoAll(window.findChild<QToolButton*>("ButtonUndoAll")),
          ButtonClose(window.findChild<QToolButton*>("ButtonClose")),
          PanelButtons(window.findChild<QWidget*>("PanelButtons")),
          StatusBar(window.findChild<PanelStatusBar*>("StatusBar"))
    {
    }
    ColorGrid* GridCapture;
    QToolButton *ButtonUp, *ButtonDown, *ButtonDelete, *ButtonUndoAll, *ButtonClose;
    QWidget* PanelButtons;
    PanelStatusBar* StatusBar;
};

// Opens the manager modally, acts on it once it shows, then closes it with its
// close button; returns whether the action ran at all.
bool RunManager(MainWindow& main, const std::function<void(ListManagerWindow&, const ManagerUi&)>& act)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* form = main.findChild<ListManagerWindow*>();
        if (form && form->isVisible()) {
            ran = true;
            const ManagerUi ui(*form);
            act(*form, ui);
            if (form->isVisible())
                ui.ButtonClose->click();
        }
        // Never leave a modal loop hanging when something went wrong.
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    main.colorListController().openManager();
    return ran;
}

QStringList Numbers(const ManagerUi& ui)
{
    QStringList texts;
    for (int row = 0; row < ui.GridCapture->rowCount(); ++row)
        texts << ui.GridCapture->cellText(row, 0);
    return texts;
}

QString Code(MainWindow& main, TColor color)
{
    return main.colorList().codeOf(color);
}

QString Status(const ManagerUi& ui) { return ui.StatusBar->panelText(0); }

} // namespace

class ManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestAppDir> dir_;
    RecordingPrompts prompts_;
    std::unique_ptr<MainWindow> main_;

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
        main_ = std::make_unique<MainWindow>(MainWindowServices{prompts_, dir_->paths()});
        main_->move(100, 120);
        main_->show();
        // Captures take the swatch's colour only while no tick has read the screen.
        main_->capture().stop();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup()
    {
        main_.reset();
        dir_.reset();
    }

    void windowIsBuiltAsDefined()
    {
        UseLanguageLines(LanguageOf(*main_), "SFormColorListCaption=Liste\nSButtonUpHint=Monter\n"
                                             "SButtonDownHint=Descendre\nSButtonDeleteHint=Supprimer\n"
                                             "SUndoAll=Tout annuler\nSButtonCloseHint=Fermer\n");
        QVERIFY(RunManager(*main_, [](ListManagerWindow& form, const ManagerUi& ui) {
            QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(form.windowTitle(), QStringLiteral("Liste"));
            const QList<std::tuple<QToolButton*, int, QString>> buttons = {
                {ui.ButtonUp, 8, "Monter"},           {ui.ButtonDown, 32, "Descendre"},
                {ui.ButtonDelete, 64, "Supprimer"},   {ui.ButtonUndoAll, 96, "Tout annuler"},
                {ui.ButtonClose, 128, "Fermer"}};
            for (const auto& [button, top, hint] : buttons) {
                QCOMPARE(button->geometry(), QRect(9, top, 24, 24));
                QCOMPARE(button->toolTip(), hint);
            }
            QCOMPARE(ui.PanelButtons->width(), 39);
            QCOMPARE(ui.GridCapture->columnWidth(0), 40);
        }));
    }

    void emptyListShowsNoNumbersAndStaysEmptyAndOpensOnce()
    {
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            main_->colorListController().openManager(); // one at a time: returns at once
            QCOMPARE(main_->findChildren<ListManagerWindow*>().size(), 1);
            QVERIFY(ui.GridCapture->rowCount() > 0);
            for (const QString& number : Numbers(ui))
                QVERIFY(number.isEmpty());
            QVERIFY(Status(ui).isEmpty());
            for (QToolButton* b : {ui.ButtonUp, ui.ButtonDown, ui.ButtonDelete, ui.ButtonUndoAll})
                b->click();
            QVERIFY(main_->colorList().colors().empty());
        }));
        QVERIFY(main_->colorList().colors().empty());
        QCOMPARE(main_->colorList().managerOpenCount(), 1);
    }

    void gridNumbersRowsAndPaintsCodesInTheirColours()
    {
        main_->colorList().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            const int rows = ui.GridCapture->rowCount();
            QCOMPARE(rows, ui.GridCapture->clientHeight() / 20 + 1);
            const QStringList numbers = Numbers(ui);
            for (int row = 0; row < rows; ++row)
                QCOMPARE(numbers[row], QString::number(row + 1));
            for (int row = 0; row < 3; ++row)
                QCOMPARE(ui.GridCapture->cellText(row, 1), Code(*main_, kThree[row]));
            QVERIFY(ui.GridCapture->cellText(3, 1).isEmpty());
            QCOMPARE(Status(ui), QStringLiteral("Selected index: 1"));

            ui.GridCapture->setCurrentRow(5); // beyond the list: nothing changes
            QCOMPARE(main_->colorList().selectedIndex(), 0);
            const QImage image = ui.GridCapture->viewport()->grab().toImage();
            const int codeRight = 40 + ui.GridCapture->columnWidth(1) - 3;
            for (int row = 0; row < 3; ++row)
                QCOMPARE(image.pixelColor(codeRight, row * 20 + 17), ToQColor(kThree[row]));
            QVERIFY(image.pixelColor(codeRight, 3 * 20 + 10) != ToQColor(kThree[2]));
            // The number "1" is drawn at the right of its cell, 3 pixels in.
            const QColor fixed = ui.GridCapture->palette().color(QPalette::Button);
            int leftmostInk = 40, rightmostInk = -1;
            for (int x = 0; x < 39; ++x)
                for (int y = 1; y < 19; ++y)
                    if (image.pixelColor(x, y) != fixed) {
                        leftmostInk = std::min(leftmostInk, x);
                        rightmostInk = std::max(rightmostInk, x);
                    }
            QVERIFY2(leftmostInk >= 25, qPrintable(QString::number(leftmostInk)));
            QVERIFY2(rightmostInk >= 30 && rightmostInk <= 37, qPrintable(QString::number(rightmostInk)));
        }));
    }

    void movesFollowTheColour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<TColorArray>("order");
        QTest::addColumn<int>("selected");
        QTest::newRow("third to the top") << 2 << true << 2 << TColorArray{0xFF0000, 0x0000FF, 0x00FF00} << 0;
        QTest::newRow("up at the top") << 2 << true << 3 << TColorArray{0xFF0000, 0x0000FF, 0x00FF00} << 0;
        QTest::newRow("first to the end") << 0 << false << 3 << TColorArray{0x00FF00, 0xFF0000, 0x0000FF} << 2;
    }

    void movesFollowTheColour()
    {
        QFETCH(int, row);
        QFETCH(bool, up);
        QFETCH(int, clicks);
        QFETCH(TColorArray, order);
        QFETCH(int, selected);
        main_->colorList().setColors(kThree);
        QVERIFY(RunManager(*main_, [&](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(row);
            QCOMPARE(main_->colorList().selectedIndex(), row);
            QCOMPARE(Parts(*main_).GridCapture->currentRow(), row);
            for (int i = 0; i < clicks; ++i)
                (up ? ui.ButtonUp : ui.ButtonDown)->click();
            QCOMPARE(main_->colorList().colors(), order);
            QCOMPARE(main_->colorList().selectedIndex(), selected);
            QCOMPARE(Status(ui), "Selected index: " + QString::number(selected + 1));
            QCOMPARE(ui.GridCapture->cellText(0, 1), Code(*main_, order[0]));
            QCOMPARE(ui.GridCapture->currentRow(), row); // the cursor stays where it was
        }));
        QCOMPARE(main_->colorList().colors(), order);
    }

    void deletingFromTheLastRowDownToNothing()
    {
        main_->colorList().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow& form, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(2);
            const std::vector<std::pair<int, TColorArray>> steps = {
                {1, {0x0000FF, 0x00FF00}}, {0, {0x0000FF}}, {-1, {}}, {-1, {}}};
            for (const auto& [index, left] : steps) {
                ui.ButtonDelete->click();
                QCOMPARE(main_->colorList().selectedIndex(), index);
                QCOMPARE(main_->colorList().colors(), left);
            }
            for (const QString& number : Numbers(ui))
                QVERIFY(number.isEmpty());
            QCOMPARE(Status(ui), QStringLiteral("Selected index: 1")); // keeps its last text
            form.close(); // the title bar's way commits too
        }));
        QVERIFY(main_->colorList().colors().empty());
        QVERIFY(main_->findChild<ListManagerWindow*>() == nullptr);
    }

    void undoAllRestoresTheOpeningState()
    {
        const TColorArray four = {0x111111, 0x222222, 0x333333, 0x444444};
        main_->colorList().setColors(four);
        QVERIFY(RunManager(*main_, [&](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(1);
            ui.ButtonDelete->click();
            ui.ButtonDelete->click();
            ui.ButtonUp->click();
            QCOMPARE(main_->colorList().colors(), (TColorArray{0x444444, 0x111111}));
            const int selected = main_->colorList().selectedIndex();
            ui.ButtonUndoAll->click();
            QCOMPARE(main_->colorList().colors(), four);
            QCOMPARE(main_->colorList().selectedIndex(), selected);
            for (int row = 0; row < 4; ++row)
                QCOMPARE(ui.GridCapture->cellText(row, 1), Code(*main_, four[row]));
        }));
        QCOMPARE(main_->colorList().colors(), four);
    }

    void resizingTallerAddsNumberedRows()
    {
        main_->colorList().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow& form, const ManagerUi& ui) {
            const int before = ui.GridCapture->rowCount();
            form.resize(220, 600);
            const int rows = ui.GridCapture->clientHeight() / 20 + 1;
            QVERIFY(rows > before);
            QCOMPARE(ui.GridCapture->rowCount(), rows);
            QCOMPARE(ui.GridCapture->cellText(rows - 1, 0), QString::number(rows));
            const QList<QPair<QSize, QSize>> sizes = {
                {{300, 400}, {240, 400}}, {{150, 100}, {200, 215}}, {{230, 500}, {230, 500}}};
            for (const auto& [asked, got] : sizes) {
                form.resize(asked);
                QCOMPARE(form.size(), got);
                QCoreApplication::processEvents();
                QCOMPARE(ui.GridCapture->columnWidth(1), ui.GridCapture->clientWidth() - 42 - 40);
            }
        }));
        // A list longer than the window keeps a row for each colour, and the
        // scroll bar it brings narrows the code column.
        main_->colorList().setColors(TColorArray(60, 0x00FFFF));
        QVERIFY(RunManager(*main_, [](ListManagerWindow& form, const ManagerUi& ui) {
            form.resize(220, 500);
            QCoreApplication::processEvents();
            QCOMPARE(ui.GridCapture->rowCount(), 60);
            QCOMPARE(ui.GridCapture->cellText(59, 0), QStringLiteral("60"));
            QCOMPARE(ui.GridCapture->columnWidth(1), ui.GridCapture->clientWidth() - 42 - 40);
        }));
    }

    void geometryIsKeptBetweenOpenings()
    {
        const QPoint mainPos = main_->pos();
        QRect first;
        QVERIFY(RunManager(*main_, [&](ListManagerWindow& form, const ManagerUi&) {
            first = QRect(form.pos(), form.size());
            form.resize(230, 400);
            form.move(300, 260);
        }));
        QCOMPARE(first, QRect(mainPos + QPoint(36, 0), QSize(220, 315)));
        QCOMPARE(main_->colorList().managerGeometry().width(), 230);
        QCOMPARE(main_->colorList().managerGeometry().height(), 400);
        QCOMPARE(main_->colorList().managerGeometry().x(), 300);
        QCOMPARE(main_->colorList().managerGeometry().y(), 260);

        main_->move(500, 500); // only the first opening follows the main window
        QRect second;
        QVERIFY(RunManager(*main_, [&](ListManagerWindow& form, const ManagerUi&) { second = QRect(form.pos(), form.size()); }));
        QCOMPARE(second, QRect(300, 260, 230, 400));
        QCOMPARE(main_->colorList().managerOpenCount(), 2);
    }

    void ratioColumnFollowsTheSelectedColour()
    {
        main_->colorList().setColors({0xFFFFFF, 0x777777, 0x000000});
        QVERIFY(RunManager(*main_, [](ListManagerWindow&, const ManagerUi& ui) {
            QCOMPARE(ui.GridCapture->columnWidth(2), 40);
            const auto ratios = [&ui] {
                return QStringList{ui.GridCapture->cellText(0, 2), ui.GridCapture->cellText(1, 2),
                                   ui.GridCapture->cellText(2, 2), ui.GridCapture->cellText(3, 2)};
            };
            QCOMPARE(ratios(), QStringList({"1.0:1", "4.4:1", "21.0:1", ""}));
            ui.GridCapture->setCurrentRow(2);
            QCOMPARE(ratios(), QStringList({"21.0:1", "4.6:1", "1.0:1", ""}));
            ui.ButtonDelete->click();
            QCOMPARE(ratios(), QStringList({"4.4:1", "1.0:1", "", ""})); // the grey is selected now
        }));
    }

    void captureWhileOpenIsKept()
    {
        main_->colorList().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(1);
            Parts(*main_).ShSelectedColor->setBrushColor(0x808080);
            main_->captureColor();
            QCOMPARE(main_->colorList().colors(), (TColorArray{0x808080, 0x0000FF, 0x00FF00, 0xFF0000}));
            // The selection stays on the colour it was on.
            QCOMPARE(main_->colorList().selectedIndex(), 2);
            QCOMPARE(Status(ui), QStringLiteral("Selected index: 3"));
            QCOMPARE(ui.GridCapture->cellText(0, 1), Code(*main_, 0x808080));
            QCOMPARE(ui.GridCapture->cellText(3, 0), QStringLiteral("4"));
            ui.ButtonDelete->click();
            ui.ButtonUndoAll->click();
            QCOMPARE(main_->colorList().colors()[0], TColor(0x808080));
            QCOMPARE(main_->colorList().colors().size(), std::size_t(4));
        }));
        QCOMPARE(main_->colorList().colors(), (TColorArray{0x808080, 0x0000FF, 0x00FF00, 0xFF0000}));

        // Into an emptied manager: the captured colour becomes the selected one.
        main_->colorList().setColors({0x0000FF});
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            ui.ButtonDelete->click();
            QCOMPARE(main_->colorList().selectedIndex(), -1);
            Parts(*main_).ShSelectedColor->setBrushColor(0x123456);
            main_->captureColor();
            QCOMPARE(main_->colorList().colors(), (TColorArray{0x123456}));
            QCOMPARE(main_->colorList().selectedIndex(), 0);
            ui.ButtonDelete->click();
        }));
        QVERIFY(main_->colorList().colors().empty());
    }

    void aMillionColoursAnswerAtOnce()
    {
        TColorArray million(1000000);
        for (std::size_t i = 0; i < million.size(); ++i)
            million[i] = TColor(i & 0xFFFFFF);
        main_->colorList().setColors(million);
        CpuClock clock;
        qint64 openMs = -1;
        QList<QPair<const char*, qint64>> timings;
        clock.start();
        QVERIFY(RunManager(*main_, [&](ListManagerWindow&, const ManagerUi& ui) {
            QCoreApplication::processEvents(); // the first paint is part of opening
            openMs = clock.elapsed();
            ui.GridCapture->setCurrentRow(3);
            const QList<QPair<const char*, QToolButton*>> buttons = {
                {"up", ui.ButtonUp},         {"down", ui.ButtonDown},
                {"delete", ui.ButtonDelete}, {"undo all", ui.ButtonUndoAll}};
            for (const auto& [name, button] : buttons) {
                CpuClock t;
                t.start();
                button->click();
                QCoreApplication::processEvents(); // includes the repaint
                timings << qMakePair(name, t.elapsed());
            }
            QCOMPARE(main_->colorList().colors().size(), std::size_t(1000000));
            QCOMPARE(ui.GridCapture->rowCount(), 1000000);
            QCOMPARE(ui.GridCapture->cellText(999999, 0), QStringLiteral("1000000"));
            // The delete changed the row count; the columns keep their widths,
            // the number column wide enough for the highest number.
            const int numberWidth = ui.GridCapture->columnWidth(0);
            QVERIFY2(numberWidth >= ui.GridCapture->fontMetrics().horizontalAdvance("1000000") + 6,
                     qPrintable(QString::number(numberWidth)));
            QCOMPARE(ui.GridCapture->columnWidth(1), ui.GridCapture->clientWidth() - 2 - numberWidth - 40);
            clock.restart();
        }));
        const qint64 closeMs = clock.elapsed();
        qInfo("1,000,000 colours: open %lld ms, close %lld ms (processor time)", openMs, closeMs);
        for (const auto& [name, ms] : timings)
            qInfo("  %s: %lld ms", name, ms);
        // Generous bounds for a sanitiser build.
        QVERIFY(openMs < 3000);
        for (const auto& [name, ms] : timings)
            QVERIFY2(ms < 1500, name);
        QCOMPARE(main_->colorList().colors().size(), std::size_t(1000000));
    }
};

QTEST_MAIN(ManagerTest)
#include "manager_test.moc"
