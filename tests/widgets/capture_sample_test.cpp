// What a capture takes from still screens, at their device pixels: the pixel
// under the pointer, or the exact mean of the square around it in linear
// light, on an unscaled screen and on one at twice the scale.
#include <QtTest>

#include "capture/CentreSample.h"
#include "capture/FrozenScreens.h"

namespace {

// Black and white by device pixel: a mean over logical pixels, or over a
// square not centred on the pointer's device pixel, comes out otherwise.
QImage Checker(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

Rgb Grey(int level) { return {std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)}; }

} // namespace

class CaptureSampleTest : public QObject {
    Q_OBJECT
private slots:
    void averagesAreExactMeansOverDevicePixels_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }

    void averagesAreExactMeansOverDevicePixels()
    {
        QFETCH(int, scale);
        const QRect geometry(100, 50, 200, 150);
        const FrozenScreens screens({{geometry, Checker(geometry.size() * scale)}});
        const ScreenPointer onBlack = screens.pointerAt(0, {50.0, 40.0});
        QCOMPARE(onBlack.device, (PixelPoint{50 * scale, 40 * scale}));
        // One device pixel right: on a scaled screen still the same logical pixel.
        const ScreenPointer onWhite = screens.nudged(onBlack, 1, 0);
        QCOMPARE(onWhite.device, (PixelPoint{50 * scale + 1, 40 * scale}));
        QCOMPARE(onWhite.pos, geometry.topLeft() + QPoint(scale == 1 ? 51 : 50, 40));
        QCOMPARE(screens.nudged(onBlack, -1000, 10).device, (PixelPoint{0, 40 * scale + 10}));

        QImage square;
        struct Case {
            int side;
            int black, white; // sRGB of the mean: white on 4, 12, 40 of 9, 25, 81 pixels and the rest
        };
        for (const Case& c : {Case{1, 0, 255}, Case{3, 178, 197}, Case{5, 184, 191}, Case{9, 186, 189}}) {
            screens.grabAround(onBlack, 19, square);
            QCOMPARE(CentreSample(square, c.side), Grey(c.black));
            screens.grabAround(onWhite, 19, square);
            QCOMPARE(CentreSample(square, c.side), Grey(c.white));
        }
    }
};

QTEST_MAIN(CaptureSampleTest)
#include "capture_sample_test.moc"
