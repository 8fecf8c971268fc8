#pragma once
// Small controls of the windows: a filled rectangle shape, a picture with its
// own drawing surface, a status bar of fixed-width panels.
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "color/ColorMath.h"

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// Moves the window, frame included, to the middle of the primary screen's free area.
void CentreOnScreen(QWidget& window);

// A rectangle with a one-pixel black frame, filled with its brush colour.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);
    TColor BrushColor() const { return brush_; }
    void SetBrushColor(TColor color);
    void SetFilled(bool filled);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TColor brush_ = 0x00FFFFFF;
    bool filled_ = true;
};

// A picture whose surface the program draws on, shown unscaled.
class TPicture : public QWidget {
    Q_OBJECT
public:
    explicit TPicture(QWidget* parent = nullptr);
    QImage& Canvas() { return canvas_; }
    const QImage& Canvas() const { return canvas_; }
    void SetPicture(const QImage& image, bool stretch);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage canvas_;
    QImage source_;
    bool stretch_ = false;
};

// Status bar with panels of fixed widths, left to right.
class TStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);
    void AddPanel(int width, Qt::Alignment alignment = Qt::AlignLeft);
    int PanelCount() const { return int(panels_.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    int PanelWidth(int index) const;
    // Where panel index lies in the bar, where its text goes, and how.
    QRect PanelRect(int index) const;
    QRect PanelTextRect(int index) const;
    int PanelTextFlags(int index) const;
    // The panel's sunken frame, drawn over the bar's background.
    void PaintPanelFrame(QPainter& painter, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        int width;
        Qt::Alignment alignment;
        QString text;
    };
    std::vector<Panel> panels_;
};
