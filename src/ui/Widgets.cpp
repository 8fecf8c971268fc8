#include "ui/Widgets.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

QColor ToQColor(TColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        window.move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}

TShape::TShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, filled_);
}

void TShape::SetBrushColor(TColor color)
{
    color &= 0x00FFFFFF;
    if (color == brush_)
        return;
    brush_ = color;
    update();
}

void TShape::SetFilled(bool filled)
{
    filled_ = filled;
    setAttribute(Qt::WA_OpaquePaintEvent, filled);
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (filled_)
        p.fillRect(rect(), ToQColor(brush_));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TPicture::TPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPicture::SetPicture(const QImage& image, bool stretch)
{
    source_ = image;
    stretch_ = stretch;
    canvas_ = stretch ? image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : image;
    update();
}

void TPicture::resizeEvent(QResizeEvent*)
{
    if (stretch_ && !source_.isNull())
        canvas_ = source_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else if (canvas_.isNull() || canvas_.size() != size()) {
        canvas_ = QImage(size(), QImage::Format_RGB32);
        canvas_.fill(Qt::white);
    }
}

void TPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TStatusBar::AddPanel(int width, Qt::Alignment alignment)
{
    panels_.push_back({width, alignment, {}});
    update();
}

QString TStatusBar::PanelText(int index) const
{
    return index >= 0 && index < PanelCount() ? panels_[index].text : QString();
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    if (index < 0 || index >= PanelCount() || panels_[index].text == text)
        return;
    panels_[index].text = text;
    // The position panel changes on every tick: repaint that panel alone.
    update(PanelRect(index));
}

int TStatusBar::PanelWidth(int index) const
{
    return index >= 0 && index < PanelCount() ? panels_[index].width : 0;
}

QRect TStatusBar::PanelRect(int index) const
{
    int left = 0;
    for (int i = 0; i < index && i < PanelCount(); ++i)
        left += panels_[i].width;
    return QRect(left, 0, PanelWidth(index), height());
}

QRect TStatusBar::PanelTextRect(int index) const
{
    const QRect panel = PanelRect(index);
    return QRect(panel.x(), 2, panel.width() - 2, height() - 2).adjusted(2, 0, -2, 0);
}

int TStatusBar::PanelTextFlags(int index) const
{
    return int((index >= 0 && index < PanelCount() ? panels_[index].alignment : Qt::AlignLeft)
               | Qt::AlignVCenter);
}

void TStatusBar::PaintPanelFrame(QPainter& p, int index) const
{
    const QRect panel = PanelRect(index);
    const QRect r(panel.x(), 2, panel.width() - 2, height() - 2);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void TStatusBar::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    for (int i = 0; i < PanelCount(); ++i) {
        // Only the panels to repaint: laying out a text is most of the work.
        if (!event->rect().intersects(PanelRect(i)))
            continue;
        PaintPanelFrame(p, i);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(PanelTextRect(i), PanelTextFlags(i), panels_[i].text);
    }
}
