#include "colorlist/reFormColorList.h"

TFormColorList* FormColorList = nullptr;

TFormColorList::TFormColorList(QWidget* parent) : QDialog(parent)
{
    setObjectName("FormColorList");
    setWindowTitle("Color list");
}
