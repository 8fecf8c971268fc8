#include "ui/PanelStatusBar.h"

#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelStatusBar::addPanel(int width, Qt::Alignment alignment, Qt::TextElideMode elide)
{
    panels_.push_back({width, alignment, elide, {}});
    update();
}

QString PanelStatusBar::panelText(int index) const
{
    return index >= 0 && index < panelCount() ? panels_[index].text : QString();
}

void PanelStatusBar::setPanelText(int index, const QString& text)
{
    if (index < 0 || index >= panelCount() || panels_[index].text == text)
        return;
    panels_[index].text = text;
    // The position panel changes on every tick: repaint that panel alone.
    update(panelRect(index));
}

int PanelStatusBar::panelWidth(int index) const
{
    return index >= 0 && index < panelCount() ? panels_[index].width : 0;
}

QRect PanelStatusBar::panelRect(int index) const
{
    int left = 0;
    for (int i = 0; i < index && i < panelCount(); ++i)
        left += panels_[i].width;
    return QRect(left, 0, panelWidth(index), height());
}

QRect PanelStatusBar::panelTextRect(int index) const
{
    const QRect panel = panelRect(index);
    return QRect(panel.x(), 2, panel.width() - 2, height() - 2).adjusted(2, 0, -2, 0);
}

int PanelStatusBar::panelTextFlags(int index) const
{
    return int((index >= 0 && index < panelCount() ? panels_[index].alignment : Qt::AlignLeft)
               | Qt::AlignVCenter);
}

Qt::TextElideMode PanelStatusBar::panelElideMode(int index) const
{
    return index >= 0 && index < panelCount() ? panels_[index].elide : Qt::ElideNone;
}

QString PanelStatusBar::shownText(int index, const QString& text) const
{
    return shownText(QFontMetricsF(font()), text, panelTextRect(index).width(), panelElideMode(index));
}

QString PanelStatusBar::shownText(const QFontMetricsF& metrics, const QString& text, int width,
                                  Qt::TextElideMode elide)
{
    if (elide == Qt::ElideNone || metrics.horizontalAdvance(text) <= width)
        return text;
    return metrics.elidedText(text, elide, width);
}

int PanelStatusBar::panelAt(QPoint point) const
{
    for (int i = 0; i < panelCount(); ++i)
        if (panelRect(i).contains(point))
            return i;
    return -1;
}

void PanelStatusBar::paintPanelFrame(QPainter& p, int index) const
{
    const QRect panel = panelRect(index);
    const QRect r(panel.x(), 2, panel.width() - 2, height() - 2);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void PanelStatusBar::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    for (int i = 0; i < panelCount(); ++i) {
        // Only the panels to repaint: laying out a text is most of the work.
        if (!event->rect().intersects(panelRect(i)))
            continue;
        paintPanelFrame(p, i);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(panelTextRect(i), panelTextFlags(i), shownText(i, panels_[i].text));
    }
}
