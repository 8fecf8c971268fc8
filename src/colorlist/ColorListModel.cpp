#include "colorlist/ColorListModel.h"

#include <QColor>
#include <climits>
#include <utility>

#include "core/color/ColorCodes.h"
#include "core/color/ColorContrast.h"
#include "ui/WidgetHelpers.h"

ColorListModel::ColorListModel(char decimalSeparator, QObject* parent)
    : QAbstractListModel(parent), decimalSeparator_(decimalSeparator)
{
}

int ColorListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return colors_.size() > std::size_t(INT_MAX) ? INT_MAX : int(colors_.size());
}

QVariant ColorListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || std::size_t(index.row()) >= colors_.size())
        return {};
    const Rgb color = colors_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return codeOf(color);
    case Qt::BackgroundRole:
        return ToQColor(color);
    case Qt::ForegroundRole:
        return ToQColor(ContrastTextColor(color));
    case ContrastRole: {
        const std::optional<Rgb> selected = selectedColor();
        if (!selected)
            return QString();
        const int tenths = ContrastTenths(color, *selected);
        return QString::fromStdString(ContrastRatioText(tenths, decimalSeparator_));
    }
    default:
        return {};
    }
}

void ColorListModel::allRowsChanged(int role)
{
    if (!colors_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {role});
}

void ColorListModel::setColors(RgbList colors)
{
    beginResetModel();
    colors_ = std::move(colors);
    endResetModel();
    emit colorsChanged();
}

void ColorListModel::insertFirst(Rgb color)
{
    beginInsertRows({}, 0, 0);
    InsertColorFirst(color, colors_);
    endInsertRows();
    emit colorsChanged();
}

void ColorListModel::remove(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= colors_.size())
        return;
    beginRemoveRows({}, index, index);
    DeleteColor(std::uint32_t(index), colors_);
    endRemoveRows();
    emit colorsChanged();
}

void ColorListModel::moveUp(std::int32_t index)
{
    if (index <= 0 || std::size_t(index) >= colors_.size())
        return;
    beginMoveRows({}, index, index, {}, index - 1);
    MoveColorUp(std::uint32_t(index), colors_);
    endMoveRows();
    emit colorsChanged();
}

void ColorListModel::moveDown(std::int32_t index)
{
    if (index < 0 || std::size_t(index) + 1 >= colors_.size())
        return;
    beginMoveRows({}, index, index, {}, index + 2);
    MoveColorDown(std::uint32_t(index), colors_);
    endMoveRows();
    emit colorsChanged();
}

void ColorListModel::clear()
{
    beginResetModel();
    colors_.clear();
    endResetModel();
    emit colorsChanged();
}

void ColorListModel::release()
{
    beginResetModel();
    RgbList().swap(colors_);
    endResetModel();
    emit colorsChanged();
}

void ColorListModel::setNotation(int notation)
{
    if (notation == notation_)
        return;
    notation_ = notation;
    allRowsChanged(Qt::DisplayRole);
}

QString ColorListModel::codeOf(Rgb color) const
{
    const ColorCodeText code = WriteColorCode(notation_, color, decimalSeparator_);
    return QString::fromLatin1(code.View().data(), qsizetype(code.View().size()));
}

void ColorListModel::setCurrentColor(Rgb color)
{
    if (color == currentColor_)
        return;
    currentColor_ = color;
    emit currentColorChanged(color);
}

void ColorListModel::setSelectedIndex(std::int32_t index)
{
    selectedIndex_ = index;
    allRowsChanged(ContrastRole);
    // Also when it stays: the colour at the index may have changed with the list.
    emit selectionChanged(index);
}

std::optional<Rgb> ColorListModel::selectedColor() const
{
    if (selectedIndex_ < 0 || std::size_t(selectedIndex_) >= colors_.size())
        return std::nullopt;
    return colors_[std::size_t(selectedIndex_)];
}
