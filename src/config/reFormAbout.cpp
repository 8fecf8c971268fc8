#include "config/reFormAbout.h"

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName("FormAbout");
}
