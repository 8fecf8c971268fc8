#include "ui/QtTickPresenter.h"

#include <QLabel>
#include <cstring>

#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"
#include "ui/WidgetHelpers.h"

void QtTickPresenter::show(const TickFrame& frame)
{
    if (frame.magnifier) {
        QImage& canvas = widgets_.magnifier->canvas();
        // Pixels copied into the canvas it has, so that no tick allocates.
        if (frame.magnifier != &canvas) {
            if (canvas.size() == frame.magnifier->size() && canvas.format() == frame.magnifier->format())
                for (int y = 0; y < canvas.height(); ++y)
                    std::memcpy(canvas.scanLine(y), frame.magnifier->constScanLine(y),
                                std::size_t(canvas.bytesPerLine()));
            else
                canvas = frame.magnifier->copy();
        }
        widgets_.magnifier->update();
    }
    widgets_.swatch->setBrushColor(frame.color);
    QLabel* label = widgets_.code;
    const QColor textColor = ToQColor(frame.codeColor);
    if (label->palette().color(QPalette::WindowText) != textColor) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, textColor);
        label->setPalette(palette);
    }
    if (label->text() != frame.code)
        label->setText(frame.code);
    widgets_.statusBar->setPanelText(widgets_.positionPanel, frame.position);
    if (frame.contrast && widgets_.contrastPanel >= 0)
        widgets_.statusBar->setPanelText(widgets_.contrastPanel, *frame.contrast);
    if (frame.name && widgets_.namePanel >= 0)
        widgets_.statusBar->setPanelText(widgets_.namePanel, *frame.name);
}
