#include "core/colorlist/ColorListOps.h"

#include <utility>

void InsertColorFirst(TColor color, TColorArray& list)
{
    list.insert(list.begin(), color);
}

void AppendColor(TColor color, TColorArray& list)
{
    list.push_back(color);
}

void DeleteColor(std::uint32_t index, TColorArray& list)
{
    if (index >= list.size())
        return;
    list.erase(list.begin() + index);
}

void MoveColorUp(std::uint32_t index, TColorArray& list)
{
    if (index == 0 || index >= list.size())
        return;
    std::swap(list[index], list[index - 1]);
}

void MoveColorDown(std::uint32_t index, TColorArray& list)
{
    if (list.empty() || index >= list.size() - 1)
        return;
    std::swap(list[index], list[index + 1]);
}
