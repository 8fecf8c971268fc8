#include "ui/WidgetHelpers.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

QColor ToQColor(Rgb color)
{
    return QColor(color.r, color.g, color.b);
}

Rgb FromQColor(const QColor& color)
{
    return {std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue())};
}

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        window.move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}
