// The coloured grid over a colour list: what each column shows on the list's
// rows and below them, when a cell selection is reported, and what a million
// rows cost.
#include <QScrollBar>
#include <QtTest>
#include <memory>
#include <vector>

#include "WidgetTestSupport.h"
#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListModel.h"
#include "ui/WidgetHelpers.h"

namespace {

using Column = ColorGrid::Column;

struct SelectCall {
    int row;
    int col;
};

// Counts what the grid reads from the list.
class CountingList : public ColorListModel {
public:
    using ColorListModel::ColorListModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        ++reads;
        return ColorListModel::data(index, role);
    }
    mutable int reads = 0;
};

// A shown grid over the list, with rows 20 pixels high and columns 80 wide.
std::unique_ptr<ColorGrid> MakeGrid(ColorListModel& list, const QList<Column>& columns, int rows, int width = 200,
                                    int height = 106)
{
    auto grid = std::make_unique<ColorGrid>();
    grid->setDefaultRowHeight(20);
    grid->setDefaultColumnWidth(80);
    grid->setList(&list, columns);
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
    void listRowsShowTheirColoursAndTheRestTheGridsOwn()
    {
        ColorListModel list('.');
        list.setColors({Rgb{255, 0, 0}, Rgb{255, 255, 255}});
        auto grid = MakeGrid(list, {Column::RowNumber, Column::Code, Column::Contrast}, 4, 240);
        QVERIFY(grid);
        QCOMPARE(grid->fixedColumns(), 1);
        grid->setCurrentRow(0);
        QCOMPARE(grid->currentColumn(), 1); // the number column is never current
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("1"));
        QCOMPARE(grid->cellText(3, 0), QStringLiteral("4"));
        QCOMPARE(grid->cellText(0, 1), QStringLiteral("#FF0000"));
        QCOMPARE(grid->cellText(1, 2), QStringLiteral("3.9:1")); // 3.998 is no 4
        QVERIFY(grid->cellText(2, 1).isEmpty());
        QVERIFY(grid->cellText(2, 2).isEmpty());

        QImage image = Render(*grid);
        const QPalette& palette = grid->palette();
        QCOMPARE(CellColor(*grid, image, 0, 1), ToQColor(Rgb{255, 0, 0})); // selected, still in its colour
        QCOMPARE(CellColor(*grid, image, 1, 1), ToQColor(Rgb{255, 255, 255}));
        QCOMPARE(CellColor(*grid, image, 2, 1), palette.color(QPalette::Base));
        QCOMPARE(CellColor(*grid, image, 1, 2), palette.color(QPalette::Base));
        QCOMPARE(CellColor(*grid, image, 3, 0), palette.color(QPalette::Button));
        grid->setCurrentIndex(grid->model()->index(1, 2));
        QCOMPARE(CellColor(*grid, Render(*grid), 1, 2), palette.color(QPalette::Highlight));

        // The code's text starts 2 pixels in, in the colour readable on the row's.
        const QRect code = grid->visualRect(grid->model()->index(0, 1));
        bool marginClear = true, textSeen = false;
        for (int y = code.top(); y <= code.bottom(); ++y)
            for (int x = code.left(); x <= code.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const bool ink = pixel.red() == 255 && pixel.green() > 128 && pixel.blue() > 128; // white on red
                if (ink && (x < code.left() + 2 || y < code.top() + 2))
                    marginClear = false;
                textSeen = textSeen || ink;
            }
        QVERIFY(marginClear);
        QVERIFY(textSeen);

        grid->setRowNumbersShown(false);
        QVERIFY(grid->cellText(0, 0).isEmpty());
    }

    void theGridFollowsTheListWithoutMovingItsCursor()
    {
        ColorListModel list('.');
        list.setColors({Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}});
        auto grid = MakeGrid(list, {Column::RowNumber, Column::Code, Column::Contrast}, 5);
        QVERIFY(grid);
        grid->setCurrentRow(2);
        list.moveUp(2);
        list.insertFirst(Rgb{128, 128, 128});
        list.setNotation(1); // RGB
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(grid->cellText(0, 1), list.codeOf(Rgb{128, 128, 128}));
        QCOMPARE(grid->cellText(2, 1), list.codeOf(Rgb{0, 0, 255}));
        QCOMPARE(CellColor(*grid, Render(*grid), 0, 1), ToQColor(Rgb{128, 128, 128}));
        list.setSelectedIndex(0);
        QCOMPARE(grid->cellText(0, 2), QStringLiteral("1.0:1"));
    }

    void selectionIsReportedOnlyWhenTheRowChanges()
    {
        ColorListModel list('.');
        auto grid = MakeGrid(list, {Column::Swatch, Column::Swatch}, 6);
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

    void theCurrentRowAndTheColumnWidthsSurviveARowCountChange()
    {
        ColorListModel list('.');
        auto grid = MakeGrid(list, {Column::RowNumber, Column::Code}, 6);
        QVERIFY(grid);
        int calls = 0;
        QObject::connect(grid.get(), &ColorGrid::cellSelected, [&] { ++calls; });
        grid->setCurrentRow(2);
        grid->setColumnWidth(1, 55);
        grid->setRowCount(12);
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(grid->columnWidth(1), 55);
        QCOMPARE(calls, 1);
    }

    void aMillionRowsCostOnlyTheVisibleOnes()
    {
        CountingList list('.');
        auto grid = MakeGrid(list, {Column::Swatch}, 6, 45, 106);
        QVERIFY(grid);
        CpuClock timer;
        timer.start();
        list.setColors(RgbList(1'000'000, Rgb{255, 255, 0}));
        grid->setRowCount(1'000'000);
        grid->scrollToBottom();
        list.reads = 0;
        const QImage image = Render(*grid);
        const qint64 ms = timer.elapsed();
        qInfo("a million rows: list, row count, scroll to the end and paint in %lld ms of processor time", ms);
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->rowAt(grid->viewport()->height() - 1), 999'999);
        QCOMPARE(image.pixelColor(10, grid->visualRect(grid->model()->index(999'999, 0)).center().y()),
                 ToQColor(Rgb{255, 255, 0}));
        QVERIFY2(list.reads > 0 && list.reads <= 30, qPrintable(QString::number(list.reads)));
        QVERIFY(ms < 1000);
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
