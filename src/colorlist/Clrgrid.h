#pragma once
// A string grid whose owner picks each cell's background and text colour just
// before the cell is painted. Rows are virtual: a million rows cost nothing
// until they are painted.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QTableView>
#include <functional>

class TColorStringGrid;

struct TGridDrawState {
    bool selected = false;
    bool focused = false;
    bool fixed = false;
};

// Row before column, unlike the grid's other cell events.
using TColorEvent = std::function<void(TColorStringGrid* sender, int ARow, int ACol,
                                       TGridDrawState state, QColor& brush, QColor& font)>;
using TDrawCellEvent = std::function<void(TColorStringGrid* sender, int ACol, int ARow,
                                          const QRect& rect, TGridDrawState state,
                                          QPainter& canvas, const QColor& brush,
                                          const QColor& font)>;
using TSelectCellEvent = std::function<void(TColorStringGrid* sender, int ACol, int ARow,
                                            bool& canSelect)>;
// Supplies a cell's text without storing it; an empty function means stored texts.
using TCellTextEvent = std::function<QString(int ACol, int ARow)>;

class TColorGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TColorGridModel(TColorStringGrid* grid);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setShape(int rows, int cols);
    void refresh();

private:
    friend class TColorStringGrid;
    TColorStringGrid* grid_;
    int rows_ = 0;
    int cols_ = 1;
};

class TColorStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TColorStringGrid(QWidget* parent = nullptr);

    int RowCount() const;
    void SetRowCount(int rows);
    int ColCount() const;
    void SetColCount(int cols);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void ClearCells();
    TCellTextEvent OnGetCellText;

    // The current row; setting it to another row runs OnSelectCell.
    int Row() const;
    void SetRow(int row);
    // Moves the current row without running OnSelectCell.
    void SetRowQuietly(int row);
    int Col() const;

    bool ColorOn() const { return colorOn_; }
    void SetColorOn(bool on);

    // Client rectangle height available for rows.
    int ClientHeight() const;
    int ClientWidth() const;

    // Repaints every visible cell.
    void Repaint();

    TColorEvent OnGetCellColor;
    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    std::function<void()> OnDblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class TColorGridModel;
    friend class TColorGridDelegate;
    void applyDefaultSizes();

    TColorGridModel* model_;
    QHash<quint64, QString> cells_;
    int fixedCols_ = 0;
    int defaultRowHeight_ = 20;
    int defaultColWidth_ = 64;
    bool colorOn_ = false;
    bool quiet_ = false;
};
