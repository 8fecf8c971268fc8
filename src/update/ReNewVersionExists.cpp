#include "update/ReNewVersionExists.h"

TNewVersionExists* NewVersionExists = nullptr;

TNewVersionExists::TNewVersionExists(QWidget* parent) : QDialog(parent)
{
    setObjectName("NewVersionExists");
}
