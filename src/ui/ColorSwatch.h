#pragma once
#include <QWidget>

#include "color/ColorMath.h"

// A rectangle with a one-pixel black frame, filled with its brush colour.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    TColor brushColor() const { return brush_; }
    void setBrushColor(TColor color);
    void setFilled(bool filled);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TColor brush_ = 0x00FFFFFF;
    bool filled_ = true;
};
