// Opening the colour-list manager from the main window.
#include "app/reMainForm.h"
#include "colorlist/reFormColorList.h"

void TMainForm::ShowFormColorList()
{
    // The main window is disabled while the manager is open, but a second
    // request could still arrive through a shortcut: one manager at a time.
    if (TFormColorList::Open())
        return;
    if (ColorListOpenCount == 0) {
        constexpr int kManagerDefinedWidth = 220;
        ColorListTop = pos().y();
        ColorListLeft = pos().x() + kManagerDefinedWidth / 6;
    }
    ++ColorListOpenCount;
    auto* form = new TFormColorList(this);
    form->exec();
    delete form;
}
