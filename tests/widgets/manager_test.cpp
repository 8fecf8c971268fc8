// The colour-list manager window: the working copy and its buttons, the grid's
// numbers and codes, geometry between openings, captures while it is open.
#include <QApplication>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "FakeHotkey.h"
#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "colorlist/ListManagerWindow.h"
#include "ui/PanelStatusBar.h"
#include "ui/WidgetHelpers.h"

namespace {

const RgbList kThree = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}};

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
    Parts(main).item("MenuColorListManaging")->trigger();
    return ran;
}

QStringList Numbers(const ManagerUi& ui)
{
    QStringList texts;
    for (int row = 0; row < ui.GridCapture->rowCount(); ++row)
        texts << ui.GridCapture->cellText(row, 0);
    return texts;
}

QString Code(MainWindow& main, Rgb color)
{
    return Parts(main).list().codeOf(color);
}

QString Status(const ManagerUi& ui) { return ui.StatusBar->panelText(0); }

} // namespace

class ManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestAppDir> dir_;
    RecordingPrompts prompts_;
    std::unique_ptr<MainWindow> main_;
    FakeHotkey* hotkey_ = nullptr;

    ColorListModel& list() { return Parts(*main_).list(); }
    // The capture hotkey, pressed while any window of the program is in front.
    void pressHotkey() { hotkey_->Press(hotkey_->activeId()); }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestAppDir>();
        hotkey_ = new FakeHotkey;
        main_ = std::make_unique<MainWindow>(MainWindowServices{
            .prompts = prompts_, .paths = dir_->paths(), .globalHotkey = std::unique_ptr<IGlobalHotkey>(hotkey_)});
        main_->move(100, 120);
        main_->show();
        // Captures take the swatch's colour only while no tick has read the screen.
        Parts(*main_).capture().stop();
        QVERIFY(hotkey_->activeId() != 0);
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
            Parts(*main_).item("MenuColorListManaging")->trigger(); // one at a time: returns at once
            QCOMPARE(main_->findChildren<ListManagerWindow*>().size(), 1);
            QVERIFY(ui.GridCapture->rowCount() > 0);
            for (const QString& number : Numbers(ui))
                QVERIFY(number.isEmpty());
            QVERIFY(Status(ui).isEmpty());
            for (QToolButton* b : {ui.ButtonUp, ui.ButtonDown, ui.ButtonDelete, ui.ButtonUndoAll})
                b->click();
            QVERIFY(list().colors().empty());
        }));
        QVERIFY(list().colors().empty());
        QCOMPARE(list().managerOpenCount(), 1);
    }

    void gridNumbersRowsAndPaintsCodesInTheirColours()
    {
        list().setColors(kThree);
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
            QCOMPARE(list().selectedIndex(), 0);
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
        QTest::addColumn<RgbList>("order");
        QTest::addColumn<int>("selected");
        QTest::newRow("third to the top") << 2 << true << 2 << RgbList{Rgb{0, 0, 255}, Rgb{255, 0, 0}, Rgb{0, 255, 0}} << 0;
        QTest::newRow("up at the top") << 2 << true << 3 << RgbList{Rgb{0, 0, 255}, Rgb{255, 0, 0}, Rgb{0, 255, 0}} << 0;
        QTest::newRow("first to the end") << 0 << false << 3 << RgbList{Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{255, 0, 0}} << 2;
    }

    void movesFollowTheColour()
    {
        QFETCH(int, row);
        QFETCH(bool, up);
        QFETCH(int, clicks);
        QFETCH(RgbList, order);
        QFETCH(int, selected);
        list().setColors(kThree);
        QVERIFY(RunManager(*main_, [&](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(row);
            QCOMPARE(list().selectedIndex(), row);
            QCOMPARE(Parts(*main_).GridCapture->currentRow(), row);
            for (int i = 0; i < clicks; ++i)
                (up ? ui.ButtonUp : ui.ButtonDown)->click();
            QCOMPARE(list().colors(), order);
            QCOMPARE(list().selectedIndex(), selected);
            QCOMPARE(Status(ui), "Selected index: " + QString::number(selected + 1));
            QCOMPARE(ui.GridCapture->cellText(0, 1), Code(*main_, order[0]));
            QCOMPARE(ui.GridCapture->currentRow(), row); // the cursor stays where it was
        }));
        QCOMPARE(list().colors(), order);
    }

    void deletingFromTheLastRowDownToNothing()
    {
        list().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow& form, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(2);
            const std::vector<std::pair<int, RgbList>> steps = {
                {1, {Rgb{255, 0, 0}, Rgb{0, 255, 0}}}, {0, {Rgb{255, 0, 0}}}, {-1, {}}, {-1, {}}};
            for (const auto& [index, left] : steps) {
                ui.ButtonDelete->click();
                QCOMPARE(list().selectedIndex(), index);
                QCOMPARE(list().colors(), left);
            }
            for (const QString& number : Numbers(ui))
                QVERIFY(number.isEmpty());
            QCOMPARE(Status(ui), QStringLiteral("Selected index: 1")); // keeps its last text
            form.close(); // the title bar's way commits too
        }));
        QVERIFY(list().colors().empty());
        QVERIFY(main_->findChild<ListManagerWindow*>() == nullptr);
    }

    void undoAllRestoresTheOpeningState()
    {
        const RgbList four = {Rgb{17, 17, 17}, Rgb{34, 34, 34}, Rgb{51, 51, 51}, Rgb{68, 68, 68}};
        list().setColors(four);
        QVERIFY(RunManager(*main_, [&](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(1);
            ui.ButtonDelete->click();
            ui.ButtonDelete->click();
            ui.ButtonUp->click();
            QCOMPARE(list().colors(), (RgbList{Rgb{68, 68, 68}, Rgb{17, 17, 17}}));
            const int selected = list().selectedIndex();
            ui.ButtonUndoAll->click();
            QCOMPARE(list().colors(), four);
            QCOMPARE(list().selectedIndex(), selected);
            for (int row = 0; row < 4; ++row)
                QCOMPARE(ui.GridCapture->cellText(row, 1), Code(*main_, four[row]));
        }));
        QCOMPARE(list().colors(), four);
    }

    void resizingTallerAddsNumberedRows()
    {
        list().setColors(kThree);
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
        list().setColors(RgbList(60, Rgb{255, 255, 0}));
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
        QCOMPARE(list().managerGeometry().width(), 230);
        QCOMPARE(list().managerGeometry().height(), 400);
        QCOMPARE(list().managerGeometry().x(), 300);
        QCOMPARE(list().managerGeometry().y(), 260);

        main_->move(500, 500); // only the first opening follows the main window
        QRect second;
        QVERIFY(RunManager(*main_, [&](ListManagerWindow& form, const ManagerUi&) { second = QRect(form.pos(), form.size()); }));
        QCOMPARE(second, QRect(300, 260, 230, 400));
        QCOMPARE(list().managerOpenCount(), 2);
    }

    void ratioColumnFollowsTheSelectedColour()
    {
        list().setColors({Rgb{255, 255, 255}, Rgb{119, 119, 119}, Rgb{0, 0, 0}});
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
        list().setColors(kThree);
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            ui.GridCapture->setCurrentRow(1);
            Parts(*main_).ShSelectedColor->setBrushColor(Rgb{128, 128, 128});
            pressHotkey();
            QCOMPARE(list().colors(), (RgbList{Rgb{128, 128, 128}, Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}}));
            // The selection stays on the colour it was on.
            QCOMPARE(list().selectedIndex(), 2);
            QCOMPARE(Status(ui), QStringLiteral("Selected index: 3"));
            QCOMPARE(ui.GridCapture->cellText(0, 1), Code(*main_, Rgb{128, 128, 128}));
            QCOMPARE(ui.GridCapture->cellText(3, 0), QStringLiteral("4"));
            ui.ButtonDelete->click();
            ui.ButtonUndoAll->click();
            QCOMPARE(list().colors()[0], (Rgb{128, 128, 128}));
            QCOMPARE(list().colors().size(), std::size_t(4));
        }));
        QCOMPARE(list().colors(), (RgbList{Rgb{128, 128, 128}, Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}}));

        // Into an emptied manager: the captured colour becomes the selected one.
        list().setColors({Rgb{255, 0, 0}});
        QVERIFY(RunManager(*main_, [this](ListManagerWindow&, const ManagerUi& ui) {
            ui.ButtonDelete->click();
            QCOMPARE(list().selectedIndex(), -1);
            Parts(*main_).ShSelectedColor->setBrushColor(Rgb{86, 52, 18});
            pressHotkey();
            QCOMPARE(list().colors(), (RgbList{Rgb{86, 52, 18}}));
            QCOMPARE(list().selectedIndex(), 0);
            ui.ButtonDelete->click();
        }));
        QVERIFY(list().colors().empty());
    }

    void aMillionColoursAnswerAtOnce()
    {
        RgbList million(1000000);
        for (std::size_t i = 0; i < million.size(); ++i)
            million[i] = RgbFromStoredColor(i);
        list().setColors(million);
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
            QCOMPARE(list().colors().size(), std::size_t(1000000));
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
        QCOMPARE(list().colors().size(), std::size_t(1000000));
    }
};

QTEST_MAIN(ManagerTest)
#include "manager_test.moc"
