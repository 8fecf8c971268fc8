#pragma once
#include <QWidget>

#include "core/color/ColorMath.h"

// A rectangle filled with its brush colour, in a one-pixel black frame
// unless told otherwise.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    TColor brushColor() const { return brush_; }
    void setBrushColor(TColor color);
    void setFilled(bool filled);
    void setFramed(bool framed);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TColor brush_ = 0x00FFFFFF;
    bool filled_ = true;
    bool framed_ = true;
};
