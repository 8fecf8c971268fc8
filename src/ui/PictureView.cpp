#include "ui/PictureView.h"

#include <QPainter>

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QImage& image, bool stretch)
{
    source_ = image;
    stretch_ = stretch;
    canvas_ = stretch ? image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : image;
    update();
}

void PictureView::resizeEvent(QResizeEvent*)
{
    if (stretch_ && !source_.isNull())
        canvas_ = source_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else if (canvas_.isNull() || canvas_.size() != size()) {
        canvas_ = QImage(size(), QImage::Format_RGB32);
        canvas_.fill(Qt::white);
    }
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}
