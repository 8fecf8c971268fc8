#include "ui/ColorSwatch.h"

#include <QPainter>

#include "ui/WidgetHelpers.h"

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, filled_);
}

void ColorSwatch::setBrushColor(Rgb color)
{
    if (color == brush_)
        return;
    brush_ = color;
    update();
}

void ColorSwatch::setFilled(bool filled)
{
    filled_ = filled;
    setAttribute(Qt::WA_OpaquePaintEvent, filled);
    update();
}

void ColorSwatch::setFramed(bool framed)
{
    framed_ = framed;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (filled_)
        p.fillRect(rect(), ToQColor(brush_));
    if (!framed_)
        return;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
