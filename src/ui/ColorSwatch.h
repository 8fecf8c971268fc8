#pragma once
#include <QWidget>

#include "core/color/ColorMath.h"

// A rectangle filled with its brush colour, in a one-pixel black frame
// unless told otherwise.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    Rgb brushColor() const { return brush_; }
    void setBrushColor(Rgb color);
    void setFilled(bool filled);
    void setFramed(bool framed);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Rgb brush_ = kWhite;
    bool filled_ = true;
    bool framed_ = true;
};
