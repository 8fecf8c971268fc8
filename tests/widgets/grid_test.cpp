// The coloured string grid: when its owner is asked for colours, what the
// cell then shows, the draw-cell event, and when a cell selection is reported.
#include <QPainter>
#include <QScrollBar>
#include <QtTest>
#include <vector>

#include "WidgetTestSupport.h"
#include "colorlist/ColorGrid.h"

namespace {

struct ColorCall {
    int row;
    int col;
    ColorGrid::CellState state;
};

struct SelectCall {
    int row;
    int col;
};

// A shown grid of the given shape, with visible rows 20 pixels high.
std::unique_ptr<ColorGrid> MakeGrid(int rows, int cols, int width = 200, int height = 106)
{
    auto grid = std::make_unique<ColorGrid>();
    grid->setDefaultRowHeight(20);
    grid->setDefaultColumnWidth(80);
    grid->setColumnCount(cols);
    grid->setRowCount(rows);
    grid->resize(width, height);
    grid->show();
    if (!QTest::qWaitForWindowExposed(grid.get()))
        return nullptr;
    return grid;
}

QImage Render(ColorGrid& grid)
{
    return grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A pixel well inside the cell, clear of its text.
QColor CellColor(ColorGrid& grid, const QImage& image, int row, int col)
{
    const QRect r = grid.visualRect(grid.model()->index(row, col));
    return image.pixelColor(r.right() - 3, r.bottom() - 3);
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void theColourEventIsAskedOnlyWhenColorOnAndAssigned_data()
    {
        QTest::addColumn<bool>("colorOn");
        QTest::addColumn<bool>("assigned");
        QTest::addColumn<bool>("asked");
        QTest::newRow("off, assigned") << false << true << false;
        QTest::newRow("on, unassigned") << true << false << false;
        QTest::newRow("on, assigned") << true << true << true;
    }

    void theColourEventIsAskedOnlyWhenColorOnAndAssigned()
    {
        QFETCH(bool, colorOn);
        QFETCH(bool, assigned);
        QFETCH(bool, asked);
        auto grid = MakeGrid(3, 1);
        QVERIFY(grid);
        int calls = 0;
        if (assigned)
            grid->setCellColors([&](int, int, ColorGrid::CellState, QColor& brush, QColor&) {
                ++calls;
                brush = Qt::red;
            });
        grid->setCellColorsOn(colorOn);
        const QImage image = Render(*grid);
        QCOMPARE(calls > 0, asked);
        const QColor expected = asked ? QColor(Qt::red) : grid->palette().color(QPalette::Base);
        QCOMPARE(CellColor(*grid, image, 2, 0), expected);
    }

    void theOwnerGetsTheCellAndTheGridsOwnColours()
    {
        auto grid = MakeGrid(2, 2);
        QVERIFY(grid);
        grid->setCurrentRow(1);
        std::vector<ColorCall> calls;
        QColor seenBrushSelected, seenBrushPlain;
        grid->setCellColors([&](int row, int col, ColorGrid::CellState state, QColor& brush, QColor&) {
            calls.push_back({row, col, state});
            (state.selected ? seenBrushSelected : seenBrushPlain) = brush;
        });
        grid->setCellColorsOn(true);
        Render(*grid);
        const auto find = [&](int row, int col) {
            return std::find_if(calls.begin(), calls.end(),
                                [&](const ColorCall& c) { return c.row == row && c.col == col; });
        };
        QVERIFY(find(0, 1) != calls.end());
        QVERIFY(find(1, 0) != calls.end());
        QVERIFY(find(1, 0)->state.selected);
        QVERIFY(!find(0, 1)->state.selected);
        QCOMPARE(seenBrushSelected, grid->palette().color(QPalette::Highlight));
        QCOMPARE(seenBrushPlain, grid->palette().color(QPalette::Base));
    }

    void aHandlerThatSetsTheBrushHidesTheSelectionHighlight()
    {
        auto grid = MakeGrid(3, 1);
        QVERIFY(grid);
        grid->setCurrentRow(1);
        grid->setCellColorsOn(true);
        grid->setCellColors([](int, int, ColorGrid::CellState, QColor&, QColor&) {});
        QCOMPARE(CellColor(*grid, Render(*grid), 1, 0), grid->palette().color(QPalette::Highlight));
        grid->setCellColors([](int row, int, ColorGrid::CellState, QColor& brush, QColor&) {
            if (row == 1)
                brush = QColor(0x12, 0x34, 0x56);
        });
        QCOMPARE(CellColor(*grid, Render(*grid), 1, 0), QColor(0x12, 0x34, 0x56));
    }

    void colorOnTakesEffectAtTheNextRepaintOnly()
    {
        auto grid = MakeGrid(3, 1);
        QVERIFY(grid);
        int calls = 0;
        grid->setCellColors([&](int, int, ColorGrid::CellState, QColor&, QColor&) { ++calls; });
        QTest::qWait(50);
        grid->setCellColorsOn(false); // unchanged: nothing happens
        grid->setCellColorsOn(true);
        QVERIFY(grid->cellColorsOn());
        QTest::qWait(50);
        QCOMPARE(calls, 0);
        grid->repaintCells();
        QTRY_VERIFY(calls > 0);
    }

    void textAtTwoPixelsThenTheDrawCellEvent()
    {
        auto grid = MakeGrid(2, 2);
        QVERIFY(grid);
        grid->setFont(QFont(grid->font().family(), -1, QFont::Black));
        grid->setCellText(0, 1, "MMMM");
        grid->setCellColorsOn(true);
        grid->setCellColors([](int, int, ColorGrid::CellState, QColor& brush, QColor& font) {
            brush = Qt::yellow;
            font = Qt::blue;
        });
        std::vector<std::pair<SelectCall, QRect>> drawn;
        grid->setCellPainter([&](int row, int col, const QRect& rect, ColorGrid::CellState, QPainter& canvas,
                                 const QColor& brush, const QColor&) {
            drawn.push_back({{row, col}, rect});
            QCOMPARE(brush, QColor(Qt::yellow));
            if (col == 0 && row == 1)
                canvas.fillRect(rect.adjusted(4, 4, -4, -4), Qt::green);
        });
        const QImage image = Render(*grid);
        const QRect text = grid->visualRect(grid->model()->index(0, 1));
        const auto found = std::find_if(drawn.begin(), drawn.end(), [](const auto& d) {
            return d.first.col == 1 && d.first.row == 0;
        });
        QVERIFY(found != drawn.end());
        QCOMPARE(found->second, text);
        // Nothing of the text above or left of the 2-pixel margin, some of it below.
        bool marginClear = true, textSeen = false;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x) {
                const bool blue = image.pixelColor(x, y).blue() > 200 && image.pixelColor(x, y).red() < 100;
                if (blue && (x < text.left() + 2 || y < text.top() + 2))
                    marginClear = false;
                textSeen = textSeen || blue;
            }
        QVERIFY(marginClear);
        QVERIFY(textSeen);
        // The owner paints over the default drawing.
        QCOMPARE(CellColor(*grid, image, 1, 0), QColor(Qt::yellow));
        const QRect painted = grid->visualRect(grid->model()->index(1, 0));
        QCOMPARE(image.pixelColor(painted.center()), QColor(Qt::green));
    }

    void selectionIsReportedOnlyWhenTheRowChanges()
    {
        auto grid = MakeGrid(6, 2);
        QVERIFY(grid);
        std::vector<SelectCall> calls;
        QObject::connect(grid.get(), &ColorGrid::cellSelected, [&](int row, int col) { calls.push_back({row, col}); });
        grid->setCurrentRow(0);
        QCOMPARE(grid->currentRow(), 0);
        grid->setCurrentRow(3);
        QCOMPARE(calls.size(), size_t(1));
        QCOMPARE(calls[0].row, 3);
        grid->setCurrentRow(3);
        QCOMPARE(calls.size(), size_t(1));
        // Another column of the same row is no new selection.
        grid->setCurrentIndex(grid->model()->index(3, 1));
        QCOMPARE(calls.size(), size_t(1));
        grid->setCurrentRowQuietly(1);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(calls.size(), size_t(1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(4, 0)).center());
        QCOMPARE(calls.size(), size_t(2));
        QCOMPARE(calls[1].row, 4);
        QCOMPARE(calls[1].col, 0);
        // Out of range rows are ignored.
        grid->setCurrentRow(6);
        grid->setCurrentRow(-1);
        QCOMPARE(grid->currentRow(), 4);
        QCOMPARE(calls.size(), size_t(2));
    }

    void theCurrentRowSurvivesARowCountChange()
    {
        auto grid = MakeGrid(6, 1);
        QVERIFY(grid);
        int calls = 0;
        QObject::connect(grid.get(), &ColorGrid::cellSelected, [&] { ++calls; });
        grid->setCurrentRow(2);
        grid->setRowCount(12);
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(calls, 1);
    }

    void aMillionRowsCostOnlyTheVisibleOnes()
    {
        auto grid = MakeGrid(6, 1, 45, 106);
        QVERIFY(grid);
        int asked = 0;
        grid->setCellColorsOn(true);
        grid->setCellColors([&](int, int, ColorGrid::CellState, QColor&, QColor&) { ++asked; });
        CpuClock timer;
        timer.start();
        grid->setRowCount(1'000'000);
        grid->scrollToBottom();
        const QImage image = Render(*grid);
        const qint64 ms = timer.elapsed();
        qInfo("a million rows: row count, scroll to the end and paint in %lld ms of processor time", ms);
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->rowAt(grid->viewport()->height() - 1), 999'999);
        QVERIFY(asked > 0 && asked <= 12);
        QVERIFY(ms < 1000);
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
