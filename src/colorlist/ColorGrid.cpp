#include "colorlist/ColorGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "colorlist/ColorListModel.h"

// The grid's table: its rows and columns over the list's rows. Only the shape
// is stored; every cell is read from the list when it is painted.
class ColorGridModel : public QAbstractTableModel {
public:
    explicit ColorGridModel(ColorGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    void setList(QAbstractItemModel* list, const QList<ColorGrid::Column>& columns)
    {
        if (list_)
            list_->disconnect(this);
        beginResetModel();
        list_ = list;
        columns_ = columns;
        endResetModel();
        // The shape stays the owner's; the cells are painted again.
        const auto repaint = [this] { grid_->viewport()->update(); };
        connect(list_, &QAbstractItemModel::rowsInserted, this, repaint);
        connect(list_, &QAbstractItemModel::rowsRemoved, this, repaint);
        connect(list_, &QAbstractItemModel::rowsMoved, this, repaint);
        connect(list_, &QAbstractItemModel::modelReset, this, repaint);
        connect(list_, &QAbstractItemModel::layoutChanged, this, repaint);
        connect(list_, &QAbstractItemModel::dataChanged, this, repaint);
    }

    ColorGrid::Column column(int column) const { return columns_.value(column, ColorGrid::Column::Swatch); }

    int fixedColumns() const
    {
        int fixed = 0;
        while (fixed < columns_.size() && columns_[fixed] == ColorGrid::Column::RowNumber)
            ++fixed;
        return fixed;
    }

    // The list's value for a cell; nothing beyond the list.
    QVariant listData(int row, int role) const
    {
        if (!list_ || row < 0 || row >= list_->rowCount())
            return {};
        return list_->index(row, 0).data(role);
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : std::max(int(columns_.size()), 1);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        switch (column(index.column())) {
        case ColorGrid::Column::RowNumber:
            return numbersShown_ ? QString::number(index.row() + 1) : QString();
        case ColorGrid::Column::Swatch:
            return QString();
        case ColorGrid::Column::Code:
            return listData(index.row(), Qt::DisplayRole).toString();
        case ColorGrid::Column::Contrast:
            return listData(index.row(), ColorListModel::ContrastRole).toString();
        }
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (index.column() < fixedColumns())
            return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    void setRows(int rows)
    {
        rows = std::max(rows, 0);
        if (rows == rows_)
            return;
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }

    void setNumbersShown(bool shown) { numbersShown_ = shown; }

private:
    ColorGrid* grid_;
    QAbstractItemModel* list_ = nullptr;
    QList<ColorGrid::Column> columns_;
    int rows_ = 0;
    bool numbersShown_ = true;
};

namespace {

class ColorGridDelegate : public QStyledItemDelegate {
public:
    ColorGridDelegate(ColorGrid* grid, const ColorGridModel* model)
        : QStyledItemDelegate(grid), grid_(grid), model_(model)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const ColorGrid::Column column = model_->column(index.column());
        const bool fixed = index.column() < model_->fixedColumns();
        const bool selected = !fixed && (option.state & QStyle::State_Selected);

        const QPalette& pal = grid_->palette();
        QColor brush = fixed ? pal.color(QPalette::Button)
                       : selected ? pal.color(QPalette::Highlight)
                                  : pal.color(QPalette::Base);
        QColor text = fixed ? pal.color(QPalette::ButtonText)
                      : selected ? pal.color(QPalette::HighlightedText)
                                 : pal.color(QPalette::Text);
        // A list row is painted in its colour, the selected one too: the
        // selection shows elsewhere.
        if (column == ColorGrid::Column::Swatch || column == ColorGrid::Column::Code) {
            const QVariant background = model_->listData(index.row(), Qt::BackgroundRole);
            if (background.isValid()) {
                brush = background.value<QColor>();
                text = model_->listData(index.row(), Qt::ForegroundRole).value<QColor>();
            }
        }

        const QRect r = option.rect;
        painter->save();
        painter->setClipRect(r);
        painter->fillRect(r, brush);
        const QString shown = index.data().toString();
        if (!shown.isEmpty()) {
            painter->setPen(text);
            painter->setFont(option.font);
            if (column == ColorGrid::Column::RowNumber)
                painter->drawText(r.adjusted(3, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                                  shown);
            else
                painter->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        }
        painter->restore();
    }

private:
    ColorGrid* grid_;
    const ColorGridModel* model_;
};

} // namespace

ColorGrid::ColorGrid(QWidget* parent) : QTableView(parent), model_(new ColorGridModel(this))
{
    setModel(model_);
    setItemDelegate(new ColorGridDelegate(this, model_));
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

void ColorGrid::setList(QAbstractItemModel* list, const QList<Column>& columns)
{
    const int rows = rowCount();
    model_->setList(list, columns);
    applyDefaultSizes();
    setRowCount(rows);
}

int ColorGrid::rowCount() const { return model_->rowCount(); }
int ColorGrid::columnCount() const { return model_->columnCount(); }
int ColorGrid::fixedColumns() const { return model_->fixedColumns(); }

void ColorGrid::setRowCount(int rows)
{
    const int oldRow = currentRow();
    // A new row count rebuilds the grid's sections, which forgets the column widths.
    QList<int> widths;
    for (int column = 0; column < columnCount(); ++column)
        widths << columnWidth(column);
    model_->setRows(rows);
    applyDefaultSizes();
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
    // A reset model loses the current cell: keep it where it was when it still exists.
    if (oldRow >= 0 && oldRow < rowCount()) {
        QSignalBlocker block(selectionModel());
        const QModelIndex idx = model_->index(oldRow, std::min(fixedColumns(), columnCount() - 1));
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    }
    viewport()->update();
}

void ColorGrid::setRowNumbersShown(bool shown)
{
    model_->setNumbersShown(shown);
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
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return model_->index(row, column).data().toString();
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
