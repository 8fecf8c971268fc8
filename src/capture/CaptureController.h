#pragma once
// Follows the pointer: every 50 ms it reads the square of pixels around the
// pointer, magnifies it, shows the colour under the pointer with its code, and
// puts the position and the contrast to the list's selected colour into the
// status bar.
#include <QObject>
#include <QImage>
#include <QTimer>
#include <memory>
#include <optional>
#include <string_view>

#include "color/ColorContrast.h"

class IScreenSampler;
class QLabel;
class TPicture;
class TShape;
class TStatusBar;

// The window's widgets the tick paints into.
struct CaptureWidgets {
    TPicture* magnifier = nullptr;
    // The frame around the magnifier: over it only the pixel under the pointer is read.
    QWidget* magnifierFrame = nullptr;
    TShape* swatch = nullptr;
    QLabel* code = nullptr; // over the swatch
    TStatusBar* statusBar = nullptr;
};

class CaptureController : public QObject {
    Q_OBJECT
public:
    static constexpr int kRadius = 19; // the magnifier shows 2 kRadius + 1 pixels square
    static constexpr int kIntervalMs = 50;
    static constexpr TColor kCrossColor = 0x0000FF;
    static constexpr int kPositionPanel = 0;
    static constexpr int kContrastPanel = 2;

    CaptureController(std::unique_ptr<IScreenSampler> sampler, const CaptureWidgets& widgets,
                      QObject* parent = nullptr);
    ~CaptureController() override;

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    const QTimer& timer() const { return timer_; }

    // The timer's work: one reading of the screen, shown.
    void tick();

    // The cross and the square around the centre block, in kCrossColor.
    static void drawCross(QImage& canvas);

public slots:
    void setNotation(int index);
    // The colour the contrast is measured against; none leaves the panel empty.
    void setSelectedColor(std::optional<TColor> color);
    void setContrastStyle(char decimalSeparator, std::string_view aaLarge, std::string_view fail);

signals:
    // The colour under the pointer and the pointer's position, when either changed.
    void sampled(TColor color, QPoint position);

private:
    QImage& magnifierCanvas();
    void showColor(TColor color);
    void showContrast(TColor color);

    std::unique_ptr<IScreenSampler> sampler_;
    CaptureWidgets widgets_;
    QTimer timer_;
    int notation_ = 0;
    std::optional<TColor> selected_;
    ContrastReadout contrast_;
    // Two buffers for the square around the pointer, swapped so that no tick
    // allocates: the one the magnifier shows, and the one the next read fills.
    QImage shown_;
    QImage source_;
    bool showsScreen_ = false; // false while the magnifier is blanked
    QImage cursorPixel_; // the pixel under the pointer while it is over the magnifier
    std::optional<TColor> lastColor_;
    QPoint lastPosition_;
};
