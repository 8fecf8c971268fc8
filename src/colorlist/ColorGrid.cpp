#include "colorlist/ColorGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
quint64 CellKey(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }
}

class ColorGridDelegate : public QStyledItemDelegate {
public:
    explicit ColorGridDelegate(ColorGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int row = index.row(), column = index.column();
        ColorGrid::CellState state;
        state.fixed = column < grid_->fixedColumns();
        state.selected = !state.fixed && (option.state & QStyle::State_Selected);
        state.focused = state.selected && (option.state & QStyle::State_HasFocus);

        const QPalette& pal = grid_->palette();
        QColor brush = state.fixed ? pal.color(QPalette::Button)
                       : state.selected ? pal.color(QPalette::Highlight)
                                        : pal.color(QPalette::Base);
        QColor text = state.fixed ? pal.color(QPalette::ButtonText)
                      : state.selected ? pal.color(QPalette::HighlightedText)
                                       : pal.color(QPalette::Text);
        if (grid_->cellColorsOn_ && grid_->cellColors_)
            grid_->cellColors_(row, column, state, brush, text);

        const QRect r = option.rect;
        painter->save();
        painter->setClipRect(r);
        painter->fillRect(r, brush);
        const QString shown = grid_->cellText(row, column);
        if (!shown.isEmpty()) {
            painter->setPen(text);
            painter->setFont(option.font);
            painter->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        }
        if (grid_->cellPainter_) {
            painter->setBrush(brush);
            painter->setPen(text);
            grid_->cellPainter_(row, column, r, state, *painter, brush, text);
        }
        painter->restore();
    }

private:
    ColorGrid* grid_;
};

ColorGridModel::ColorGridModel(ColorGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

int ColorGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int ColorGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant ColorGridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid())
        return grid_->cellText(index.row(), index.column());
    return {};
}

Qt::ItemFlags ColorGridModel::flags(const QModelIndex& index) const
{
    if (index.column() < grid_->fixedColumns())
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ColorGridModel::setShape(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 1);
    if (rows == rows_ && columns == columns_)
        return;
    beginResetModel();
    rows_ = rows;
    columns_ = columns;
    endResetModel();
}

ColorGrid::ColorGrid(QWidget* parent) : QTableView(parent), model_(new ColorGridModel(this))
{
    setModel(model_);
    setItemDelegate(new ColorGridDelegate(this));
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

int ColorGrid::rowCount() const { return model_->rowCount(); }
int ColorGrid::columnCount() const { return model_->columnCount(); }

void ColorGrid::setRowCount(int rows)
{
    const int oldRow = currentRow();
    model_->setShape(rows, columnCount());
    applyDefaultSizes();
    // A reset model loses the current cell: keep it where it was when it still exists.
    if (oldRow >= 0 && oldRow < rowCount()) {
        QSignalBlocker block(selectionModel());
        const QModelIndex idx = model_->index(oldRow, std::min(fixedColumns(), columnCount() - 1));
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    }
    viewport()->update();
}

void ColorGrid::setColumnCount(int columns)
{
    model_->setShape(rowCount(), columns);
    applyDefaultSizes();
}

void ColorGrid::setFixedColumns(int columns)
{
    fixedColumns_ = std::max(columns, 0);
    viewport()->update();
}

void ColorGrid::setDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    applyDefaultSizes();
}

void ColorGrid::setDefaultColumnWidth(int width)
{
    defaultColumnWidth_ = width;
    applyDefaultSizes();
}

void ColorGrid::applyDefaultSizes()
{
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    horizontalHeader()->setDefaultSectionSize(defaultColumnWidth_);
}

QString ColorGrid::cellText(int row, int column) const
{
    if (cellTexts_)
        return cellTexts_(row, column);
    return cells_.value(CellKey(row, column));
}

void ColorGrid::setCellText(int row, int column, const QString& text)
{
    if (text.isEmpty())
        cells_.remove(CellKey(row, column));
    else
        cells_.insert(CellKey(row, column), text);
}

void ColorGrid::clearCells()
{
    cells_.clear();
    viewport()->update();
}

int ColorGrid::currentRow() const
{
    const QModelIndex idx = currentIndex();
    return idx.isValid() ? idx.row() : 0;
}

int ColorGrid::currentColumn() const
{
    const QModelIndex idx = currentIndex();
    return idx.isValid() ? idx.column() : fixedColumns();
}

void ColorGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && cur.row() == row)
        return;
    const int column = std::min(std::max(currentColumn(), fixedColumns()), columnCount() - 1);
    setCurrentIndex(model_->index(row, column));
}

void ColorGrid::setCurrentRowQuietly(int row)
{
    quiet_ = true;
    setCurrentRow(row);
    quiet_ = false;
}

int ColorGrid::clientHeight() const { return viewport()->height(); }
int ColorGrid::clientWidth() const { return viewport()->width(); }

void ColorGrid::repaintCells() { viewport()->update(); }

void ColorGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClickedAnywhere();
}

void ColorGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (quiet_ || !current.isValid() || (previous.isValid() && previous.row() == current.row()))
        return;
    emit cellSelected(current.row(), current.column());
}
