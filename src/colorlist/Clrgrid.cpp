#include "colorlist/Clrgrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
quint64 CellKey(int col, int row) { return (quint64(quint32(row)) << 32) | quint32(col); }
}

class TColorGridDelegate : public QStyledItemDelegate {
public:
    explicit TColorGridDelegate(TColorStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const int row = index.row(), col = index.column();
        TGridDrawState state;
        state.fixed = col < grid_->FixedCols();
        state.selected = !state.fixed && (option.state & QStyle::State_Selected);
        state.focused = state.selected && (option.state & QStyle::State_HasFocus);

        const QPalette& pal = grid_->palette();
        QColor brush = state.fixed ? pal.color(QPalette::Button)
                       : state.selected ? pal.color(QPalette::Highlight)
                                        : pal.color(QPalette::Base);
        QColor font = state.fixed ? pal.color(QPalette::ButtonText)
                      : state.selected ? pal.color(QPalette::HighlightedText)
                                       : pal.color(QPalette::Text);
        if (grid_->ColorOn() && grid_->OnGetCellColor)
            grid_->OnGetCellColor(grid_, row, col, state, brush, font);

        const QRect r = option.rect;
        painter->save();
        painter->setClipRect(r);
        painter->fillRect(r, brush);
        const QString text = grid_->Cell(col, row);
        if (!text.isEmpty()) {
            painter->setPen(font);
            painter->setFont(option.font);
            painter->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
        if (grid_->OnDrawCell) {
            painter->setBrush(brush);
            painter->setPen(font);
            grid_->OnDrawCell(grid_, col, row, r, state, *painter, brush, font);
        }
        painter->restore();
    }

private:
    TColorStringGrid* grid_;
};

TColorGridModel::TColorGridModel(TColorStringGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

int TColorGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int TColorGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant TColorGridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid())
        return grid_->Cell(index.column(), index.row());
    return {};
}

Qt::ItemFlags TColorGridModel::flags(const QModelIndex& index) const
{
    if (index.column() < grid_->FixedCols())
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TColorGridModel::setShape(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 1);
    if (rows == rows_ && cols == cols_)
        return;
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    endResetModel();
}

void TColorGridModel::refresh()
{
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

TColorStringGrid::TColorStringGrid(QWidget* parent) : QTableView(parent), model_(new TColorGridModel(this))
{
    setModel(model_);
    setItemDelegate(new TColorGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    applyDefaultSizes();
}

int TColorStringGrid::RowCount() const { return model_->rows_; }
int TColorStringGrid::ColCount() const { return model_->cols_; }

void TColorStringGrid::SetRowCount(int rows)
{
    const int oldRow = Row();
    model_->setShape(rows, model_->cols_);
    applyDefaultSizes();
    // A reset model loses the current cell: keep it where it was when it still exists.
    if (oldRow >= 0 && oldRow < RowCount()) {
        QSignalBlocker block(selectionModel());
        const QModelIndex idx = model_->index(oldRow, std::min(FixedCols(), ColCount() - 1));
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    }
    viewport()->update();
}

void TColorStringGrid::SetColCount(int cols)
{
    model_->setShape(model_->rows_, cols);
    applyDefaultSizes();
}

void TColorStringGrid::SetFixedCols(int cols)
{
    fixedCols_ = std::max(cols, 0);
    viewport()->update();
}

void TColorStringGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    applyDefaultSizes();
}

void TColorStringGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    applyDefaultSizes();
}

void TColorStringGrid::applyDefaultSizes()
{
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
}

int TColorStringGrid::ColWidth(int col) const { return columnWidth(col); }
void TColorStringGrid::SetColWidth(int col, int width) { setColumnWidth(col, width); }

QString TColorStringGrid::Cell(int col, int row) const
{
    if (OnGetCellText)
        return OnGetCellText(col, row);
    return cells_.value(CellKey(col, row));
}

void TColorStringGrid::SetCell(int col, int row, const QString& text)
{
    if (text.isEmpty())
        cells_.remove(CellKey(col, row));
    else
        cells_.insert(CellKey(col, row), text);
}

void TColorStringGrid::ClearCells()
{
    cells_.clear();
    viewport()->update();
}

int TColorStringGrid::Row() const
{
    const QModelIndex idx = currentIndex();
    return idx.isValid() ? idx.row() : 0;
}

int TColorStringGrid::Col() const
{
    const QModelIndex idx = currentIndex();
    return idx.isValid() ? idx.column() : FixedCols();
}

void TColorStringGrid::SetRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && cur.row() == row)
        return;
    const int col = std::min(std::max(Col(), FixedCols()), ColCount() - 1);
    setCurrentIndex(model_->index(row, col));
}

void TColorStringGrid::SetRowQuietly(int row)
{
    quiet_ = true;
    SetRow(row);
    quiet_ = false;
}

void TColorStringGrid::SetColorOn(bool on)
{
    if (colorOn_ != on)
        colorOn_ = on;
}

int TColorStringGrid::ClientHeight() const { return viewport()->height(); }
int TColorStringGrid::ClientWidth() const { return viewport()->width(); }

void TColorStringGrid::Repaint() { viewport()->update(); }

void TColorStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (OnDblClick)
        OnDblClick();
}

void TColorStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (quiet_ || !current.isValid() || (previous.isValid() && previous.row() == current.row()))
        return;
    if (OnSelectCell) {
        bool canSelect = true;
        OnSelectCell(this, current.column(), current.row(), canSelect);
    }
}
