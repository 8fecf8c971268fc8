#include "colorlist/ColorListModel.h"

#include <utility>

ColorListModel::ColorListModel(QObject* parent) : QObject(parent) {}

void ColorListModel::setColors(TColorArray colors)
{
    colors_ = std::move(colors);
    emit colorsChanged();
}

void ColorListModel::insertFirst(TColor color)
{
    InsertColorFirst(color, colors_);
    emit colorsChanged();
}

void ColorListModel::remove(std::int32_t index)
{
    DeleteColor(std::uint32_t(index), colors_);
    emit colorsChanged();
}

void ColorListModel::clear()
{
    colors_.clear();
    emit colorsChanged();
}

void ColorListModel::release()
{
    TColorArray().swap(colors_);
    emit colorsChanged();
}

void ColorListModel::setCurrentColor(TColor color)
{
    if (color == currentColor_)
        return;
    currentColor_ = color;
    emit currentColorChanged(color);
}

void ColorListModel::setSelectedIndex(std::int32_t index)
{
    selectedIndex_ = index;
    // Also when it stays: the colour at the index may have changed with the list.
    emit selectionChanged(index);
}

std::optional<TColor> ColorListModel::selectedColor() const
{
    if (selectedIndex_ < 0 || std::size_t(selectedIndex_) >= colors_.size())
        return std::nullopt;
    return colors_[std::size_t(selectedIndex_)];
}
