#include "ui/TickCompositor.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cstring>

#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"
#include "ui/WidgetHelpers.h"

namespace {

QImage PanelBackground(const PanelStatusBar* bar, int panel)
{
    const QRect area = TickCompositor::panelArea(bar, panel);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(bar->palette().color(QPalette::Window));
    QPainter p(&image);
    p.translate(-area.topLeft());
    bar->paintPanelFrame(p, panel);
    return image;
}

} // namespace

TickCompositor::TickCompositor(const TickWidgets& widgets)
    : magnifierSize_(widgets.magnifier->size()),
      swatchSize_(widgets.swatch->size()),
      codeRect_(widgets.code->geometry().translated(-widgets.swatch->pos())),
      codeFlags_(int(QStyle::visualAlignment(widgets.code->layoutDirection(), widgets.code->alignment()))),
      codeGlyphs_(widgets.code->font()),
      position_(panel(widgets, widgets.positionPanel)),
      contrast_(widgets.contrastPanel >= 0 ? panel(widgets, widgets.contrastPanel) : Panel()),
      panelTextColor_(widgets.statusBar->palette().color(QPalette::WindowText).rgb()),
      panelGlyphs_(widgets.statusBar->font())
{
}

QRect TickCompositor::panelArea(const PanelStatusBar* bar, int index)
{
    return bar->panelRect(index).intersected(bar->rect());
}

TickCompositor::Panel TickCompositor::panel(const TickWidgets& widgets, int index)
{
    const PanelStatusBar* bar = widgets.statusBar;
    return {PanelBackground(bar, index), bar->panelTextRect(index).translated(-bar->panelRect(index).topLeft()),
            bar->panelTextFlags(index)};
}

void TickCompositor::learnGlyphs()
{
    codeGlyphs_.learn(u"#0123456789ABCDEF");
    panelGlyphs_.learn(u"[,]-0123456789");
    codeGlyphs_.learnPlaces(u"#0123456789ABCDEF", codeRect_);
    panelGlyphs_.learnPlaces(u"[,]-0123456789", position_.textRect);
}

void TickCompositor::drawMagnifier(QImage& image, const QImage& magnified) const
{
    const QImage source = magnified.format() == QImage::Format_RGB32
                              ? magnified
                              : magnified.convertToFormat(QImage::Format_RGB32);
    const int rows = std::min(image.height(), source.height());
    const std::size_t bytes = std::size_t(std::min(image.width(), source.width())) * 4;
    for (int y = 0; y < rows; ++y)
        std::memcpy(image.scanLine(y), source.constScanLine(y), bytes);
}

// A filled rectangle in a one-pixel black frame, the code over it.
void TickCompositor::drawSwatch(QImage& image, Rgb color, const QString& code, Rgb codeColor)
{
    image.fill(ToQColor(color));
    const QRgb black = qRgb(0, 0, 0);
    const int w = image.width(), h = image.height();
    auto* top = reinterpret_cast<QRgb*>(image.scanLine(0));
    auto* bottom = reinterpret_cast<QRgb*>(image.scanLine(h - 1));
    std::fill(top, top + w, black);
    std::fill(bottom, bottom + w, black);
    for (int y = 1; y < h - 1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        line[0] = line[w - 1] = black;
    }
    codeGlyphs_.drawText(image, codeRect_, codeFlags_, code, ToQColor(codeColor).rgb());
}

void TickCompositor::drawPosition(QImage& image, const QString& position)
{
    drawPanel(image, position_, position);
}

void TickCompositor::drawContrast(QImage& image, const QString& contrast)
{
    drawPanel(image, contrast_, contrast);
}

void TickCompositor::drawPanel(QImage& image, const Panel& panel, const QString& text)
{
    const std::size_t bytes = std::size_t(panel.background.width()) * 4;
    for (int y = 0; y < panel.background.height(); ++y)
        std::memcpy(image.scanLine(y), panel.background.constScanLine(y), bytes);
    panelGlyphs_.drawText(image, panel.textRect, panel.flags, text, panelTextColor_);
}
