// What one capture tick costs while the pointer moves over a busy screen,
// without a simulation and with each one: the simulation runs on the
// magnifier's pixels at every tick that shows new ones.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <cstring>

#include "app/MainWindowUi.h"
#include "capture/CaptureController.h"
#include "platform/ScreenSampler.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"

namespace {

// A screen of many colours, no two alike nearby; each read is a copy of the
// square around a pointer that moves by a few pixels a tick, as the X
// server's would be.
class MovingPointerScreen : public IScreenSampler {
public:
    explicit MovingPointerScreen(int step) : screen_(1024, 256, QImage::Format_RGB32), step_(step)
    {
        for (int y = 0; y < screen_.height(); ++y)
            for (int x = 0; x < screen_.width(); ++x)
                screen_.setPixel(x, y, qRgb((x * 7) & 255, (y * 5 + x) & 255, (x * y) & 255));
    }
    ScreenPointer Pointer() override
    {
        moved_ = (moved_ + step_) % (screen_.width() - 64);
        return ScreenPointer{{2000 + moved_, 100}, true, 0, {32 + moved_, 100}};
    }
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override
    {
        const int side = 2 * radius + 1;
        if (out.width() != side || out.height() != side || out.format() != QImage::Format_RGB32)
            out = QImage(side, side, QImage::Format_RGB32);
        for (int y = 0; y < side; ++y)
            std::memcpy(out.scanLine(y),
                        screen_.constScanLine(pointer.device.y - radius + y) + (pointer.device.x - radius) * 4,
                        std::size_t(side) * 4);
    }

private:
    QImage screen_;
    int step_;
    int moved_ = 0;
};

// The main window's readouts, at their sizes.
struct Readouts {
    QWidget client;
    QWidget* frame = new QWidget(&client);
    PictureView* magnifier = new PictureView(&client);
    ColorSwatch* swatch = new ColorSwatch(&client);
    QLabel* code = new QLabel(&client);
    PanelStatusBar* statusBar = new PanelStatusBar(&client);
    Readouts()
    {
        client.setFixedSize(276, 131);
        frame->setGeometry(2, 2, 108, 108);
        magnifier->setGeometry(3, 3, 106, 106);
        swatch->setGeometry(173, 2, 100, 58);
        code->setGeometry(173, 44, 100, 13);
        statusBar->setGeometry(0, 112, 276, 19);
        SetUpReadoutPanels(*statusBar);
    }
    TickWidgets widgets() const { return {magnifier, swatch, code, statusBar, 0, 2, 3}; }
};

void TickWhileThePointerMoves(benchmark::State& state)
{
    Readouts readouts;
    CaptureController capture(std::make_unique<MovingPointerScreen>(int(state.range(1))), readouts.widgets(),
                              readouts.frame, '.');
    const auto vision = ColorVision(state.range(0));
    capture.setColorVision(vision, QString::fromLatin1(ColorVisionName(vision).data()));
    for (int i = 0; i < 50; ++i) // the first ticks make the presenter and the tables
        capture.tick();
    for (auto _ : state)
        capture.tick();
    capture.stop();
    state.SetLabel(std::string(ColorVisionName(vision)) + ", pixels a tick: " + std::to_string(state.range(1)));
}

// Simulations by number (0 is none), and how far the pointer moves a tick.
BENCHMARK(TickWhileThePointerMoves)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kColorVisionCount - 1, 1), {1, 8}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
