#pragma once
// Follows the pointer: every 50 ms it reads the square of pixels around the
// pointer, magnifies it, shows the colour under the pointer with its code, and
// puts the position and the contrast to the list's selected colour into the
// status bar.
//
// The ticks run on the GUI thread from a timer, or, where the presenter can
// reach the screen without Qt, on the presenter's own thread, so that the
// event loop sleeps while the pointer moves. Either way one tick runs at a
// time, under mutex_, which the GUI thread's calls take too.
#include <QObject>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "capture/CaptureFrame.h"
#include "ui/TickPresenter.h"
#include "core/color/ColorContrast.h"

class IScreenSampler;
struct ScreenPointer;

class CaptureController : public QObject {
    Q_OBJECT
public:
    static constexpr int kRadius = 19; // the magnifier shows 2 kRadius + 1 pixels square
    static constexpr int kIntervalMs = 50;
    static constexpr Rgb kCrossColor{255, 0, 0};
    static constexpr int kPositionPanel = 0;
    static constexpr int kContrastPanel = 2;

    // Over the magnifier's frame only the pixel under the pointer is read: the
    // magnifier never magnifies itself.
    // Codes and ratios are written with decimalSeparator.
    CaptureController(std::unique_ptr<IScreenSampler> sampler, const TickWidgets& widgets, QWidget* magnifierFrame,
                      char decimalSeparator, QObject* parent = nullptr);
    ~CaptureController() override;

    void start();
    // Returns once no tick runs any more.
    void stop();
    bool isRunning() const { return timer_.isActive() || offThread_; }
    // The GUI thread's timer, idle while the ticks run elsewhere.
    const QTimer& timer() const { return timer_; }

    // One reading of the screen, shown, on the GUI thread; the timer armed
    // again after it. While the pointer rests over unchanged pixels a tick
    // reads and compares, and shows nothing.
    void tick();
    // Shows a square read elsewhere (pick mode over still screens) as the
    // tick shows its own; kRadius around the pointer.
    void showStill(const ScreenPointer& pointer, const QImage& square);
    // Shows a colour without a square around it (the desktop's own picker).
    void showColorOnly(Rgb color);

    // The colour under the pointer at the last tick (the swatch's before the first).
    Rgb color() const;
    const CaptureFrame& frame() const { return frame_; }

    // The cross and the square around the centre block, in kCrossColor.
    static void drawCross(QImage& canvas);
    // The magnifier's pixels that show the side x side source pixels around
    // the centre.
    static QRect sampleArea(QSize canvas, int side);

public slots:
    void setNotation(int index);
    // The colour the contrast is measured against; none leaves the panel empty.
    void setSelectedColor(std::optional<Rgb> color);
    void setContrastStyle(std::string_view aaLarge, std::string_view fail);
    // The swatch was painted over from elsewhere: the next tick paints it again.
    void invalidateSwatch();
    // The colour becomes the mean of the side x side device pixels around the
    // pointer (1: the pixel itself), framed in the magnifier.
    void setSampleSide(int side);

signals:
    // The colour under the pointer and the pointer's position, when either
    // changed; emitted on the thread that runs the ticks.
    void sampled(Rgb color, QPoint position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Magnified { Nothing, Screen, Blank };
    // A tick's work; mutex_ held.
    void sample(const QRect& noSamplingZone);
    QRect noSamplingZone() const;
    // From the GUI thread's timer to the presenter's thread, where it has one.
    void moveOffThread();
    // The square in source_, magnified unless it is what the magnifier shows.
    int magnifySource();
    void renderMagnifier(const QColor* fill);
    Rgb shownColor() const;
    void show(Rgb color, QPoint position, int changedParts);
    void writeCode();
    void writePosition();
    void present(int changedParts);
    bool updateContrast(Rgb color);

    mutable std::mutex mutex_;
    std::unique_ptr<IScreenSampler> sampler_;
    TickWidgets widgets_;
    QWidget* magnifierFrame_;
    const char decimalSeparator_;
    std::unique_ptr<TickPresenter> presenter_; // made at the first frame, over the shown window
    QTimer timer_;
    bool offThread_ = false; // the presenter runs the ticks
    QRect zone_; // the magnifier's frame on the desktop, kept by the GUI thread for the presenter's
    int notation_ = 0;
    int sampleSide_ = 1;
    std::optional<Rgb> selected_;
    ContrastReadout contrast_;
    bool contrastStale_ = true;
    int staleParts_ = CaptureFrame::AllParts; // to show whatever the screen says
    CaptureFrame frame_;
    bool sampledOnce_ = false;
    // Two buffers for the square around the pointer, swapped so that no tick
    // allocates: the one the magnifier shows, and the one the next read fills.
    QImage shown_;
    QImage source_;
    Magnified magnified_ = Magnified::Nothing;
    QImage cursorPixel_; // the pixel under the pointer while it is over the magnifier
};
