#include "capture/QtTickPresenter.h"

#include <QLabel>

#include "app/Widgets.h"

void QtTickPresenter::show(const TickFrame& frame)
{
    if (frame.magnifier) {
        if (frame.magnifier != &widgets_.magnifier->Canvas())
            widgets_.magnifier->Canvas() = *frame.magnifier;
        widgets_.magnifier->update();
    }
    widgets_.swatch->SetBrushColor(frame.color);
    QLabel* label = widgets_.code;
    const QColor textColor = ToQColor(frame.codeColor);
    if (label->palette().color(QPalette::WindowText) != textColor) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, textColor);
        label->setPalette(palette);
    }
    if (label->text() != frame.code)
        label->setText(frame.code);
    widgets_.statusBar->SetPanelText(widgets_.positionPanel, frame.position);
}
