#pragma once
// A grid of texts whose owner picks each cell's background and text colour
// just before the cell is painted. Rows are virtual: a million rows cost
// nothing until they are painted, and texts may come from the owner on demand.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QTableView>
#include <functional>

class ColorGrid;

// The table the grid shows: only its shape; the texts come from the grid.
class ColorGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ColorGridModel(ColorGrid* grid);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setShape(int rows, int columns);

private:
    ColorGrid* grid_;
    int rows_ = 0;
    int columns_ = 1;
};

class ColorGrid : public QTableView {
    Q_OBJECT
public:
    struct CellState {
        bool selected = false;
        bool focused = false;
        bool fixed = false; // one of the fixed columns at the left
    };
    // May change the cell's colours, which hold the grid's own on entry.
    using CellColors = std::function<void(int row, int column, CellState state, QColor& brush, QColor& text)>;
    // Paints over the cell after its text.
    using CellPainter = std::function<void(int row, int column, const QRect& rect, CellState state,
                                           QPainter& painter, const QColor& brush, const QColor& text)>;
    // Supplies a cell's text in place of the stored ones.
    using CellTexts = std::function<QString(int row, int column)>;

    explicit ColorGrid(QWidget* parent = nullptr);

    int rowCount() const;
    void setRowCount(int rows);
    int columnCount() const;
    void setColumnCount(int columns);
    int fixedColumns() const { return fixedColumns_; }
    void setFixedColumns(int columns);
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height);
    void setDefaultColumnWidth(int width);

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    void clearCells();
    void setCellTexts(CellTexts texts) { cellTexts_ = std::move(texts); }

    // The current row; moving it to another row emits cellSelected.
    int currentRow() const;
    void setCurrentRow(int row);
    // Moves the current row without emitting cellSelected.
    void setCurrentRowQuietly(int row);
    int currentColumn() const;

    // The owner's colours are asked for only while this is on.
    bool cellColorsOn() const { return cellColorsOn_; }
    void setCellColorsOn(bool on) { cellColorsOn_ = on; }
    void setCellColors(CellColors colors) { cellColors_ = std::move(colors); }
    void setCellPainter(CellPainter painter) { cellPainter_ = std::move(painter); }

    // The height and width of the area that holds the cells.
    int clientHeight() const;
    int clientWidth() const;

    // Paints every visible cell again.
    void repaintCells();

signals:
    void cellSelected(int row, int column);
    void doubleClickedAnywhere();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class ColorGridDelegate;
    void applyDefaultSizes();

    ColorGridModel* model_;
    QHash<quint64, QString> cells_;
    CellTexts cellTexts_;
    CellColors cellColors_;
    CellPainter cellPainter_;
    int fixedColumns_ = 0;
    int defaultRowHeight_ = 20;
    int defaultColumnWidth_ = 64;
    bool cellColorsOn_ = false;
    bool quiet_ = false;
};
