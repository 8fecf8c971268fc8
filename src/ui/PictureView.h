#pragma once
#include <QImage>
#include <QWidget>

// A picture whose surface the program draws on, shown unscaled.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    QImage& canvas() { return canvas_; }
    const QImage& canvas() const { return canvas_; }
    void setPicture(const QImage& image, bool stretch);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage canvas_;
    QImage source_;
    bool stretch_ = false;
};
