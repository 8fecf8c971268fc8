#include "core/colorlist/ColorListOps.h"

#include <utility>

void InsertColorFirst(Rgb color, RgbList& list)
{
    list.insert(list.begin(), color);
}

void AppendColor(Rgb color, RgbList& list)
{
    list.push_back(color);
}

void DeleteColor(std::uint32_t index, RgbList& list)
{
    if (index >= list.size())
        return;
    list.erase(list.begin() + index);
}

void MoveColorUp(std::uint32_t index, RgbList& list)
{
    if (index == 0 || index >= list.size())
        return;
    std::swap(list[index], list[index - 1]);
}

void MoveColorDown(std::uint32_t index, RgbList& list)
{
    if (list.empty() || index >= list.size() - 1)
        return;
    std::swap(list[index], list[index + 1]);
}
