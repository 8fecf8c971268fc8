#pragma once
// A grid over a colour list: one row per colour, and empty rows below when the
// owner asks for more rows than the list has. Each column shows one thing of
// the list's rows (its number, its colour, its code, its contrast ratio). Rows
// are virtual: a million rows cost nothing until they are painted.
#include <QList>
#include <QTableView>

class QAbstractItemModel;
class ColorGridModel;

class ColorGrid : public QTableView {
    Q_OBJECT
public:
    enum class Column {
        RowNumber, // 1, 2, 3 at the right, on every row, in the fixed-cell colours
        Swatch,    // the list row's colour
        Code,      // the code on the row's colour
        Contrast,  // the contrast ratio to the selected colour, in the grid's colours
    };

    explicit ColorGrid(QWidget* parent = nullptr);

    // The list the rows show, and the columns; a row-number column at the
    // left is fixed: it is never selected.
    void setList(QAbstractItemModel* list, const QList<Column>& columns);

    int rowCount() const;
    // The rows shown, the list's and empty ones: the owner decides how many.
    void setRowCount(int rows);
    int columnCount() const;
    int fixedColumns() const;
    // Whether the row-number column shows its numbers.
    void setRowNumbersShown(bool shown);
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height);
    void setDefaultColumnWidth(int width);

    // The text a cell shows; empty beyond the list.
    QString cellText(int row, int column) const;

    // The current row; moving it to another row emits cellSelected.
    int currentRow() const;
    void setCurrentRow(int row);
    // Moves the current row without emitting cellSelected.
    void setCurrentRowQuietly(int row);
    int currentColumn() const;

    // The height and width of the area that holds the cells.
    int clientHeight() const;
    int clientWidth() const;

signals:
    void cellSelected(int row, int column);
    void doubleClickedAnywhere();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void applyDefaultSizes();

    ColorGridModel* model_;
    int defaultRowHeight_ = 20;
    int defaultColumnWidth_ = 64;
    bool quiet_ = false;
};
