// The parts of the Wayland screen reader that decide something without a
// compositor: the pixel order of copies and an output's device area.
#include <QTest>
#include <cstdint>
#include <wayland-client.h>

#include "platform/wayland/Registry.h"
#include "platform/wayland/ShmPool.h"

class WaylandPartsTest : public QObject {
    Q_OBJECT
private slots:
    void rowsBecomeOpaqueRgbWhateverTheirOrder()
    {
        const std::uint32_t xrgb[] = {0x00102030u, 0x80FFFFFFu};
        const std::uint32_t xbgr[] = {0x00302010u, 0x80FFFFFFu};
        std::uint32_t out[2] = {};
        for (std::uint32_t format : {WL_SHM_FORMAT_XRGB8888, WL_SHM_FORMAT_ARGB8888}) {
            ConvertShmRow(format, xrgb, 2, out);
            QCOMPARE(out[0], 0xFF102030u);
            QCOMPARE(out[1], 0xFFFFFFFFu);
        }
        for (std::uint32_t format : {WL_SHM_FORMAT_XBGR8888, WL_SHM_FORMAT_ABGR8888}) {
            ConvertShmRow(format, xbgr, 2, out);
            QCOMPARE(out[0], 0xFF102030u);
        }
        QVERIFY(!IsSupportedShmFormat(WL_SHM_FORMAT_RGB565));
    }

    void anOutputsDeviceAreaIsItsModeUpright()
    {
        WaylandOutput output;
        output.logical = {400, 0, 800, 600};
        output.modeWidth = 1600;
        output.modeHeight = 1200;
        ScreenArea area = output.area();
        QCOMPARE(area.ratio, 2.0);
        QVERIFY((area.device == PixelRect{0, 0, 1600, 1200}));
        // Turned a quarter: the mode's width stands upright.
        output.logical = {0, 0, 600, 800};
        output.transform = WL_OUTPUT_TRANSFORM_90;
        area = output.area();
        QVERIFY((area.device == PixelRect{0, 0, 1200, 1600}));
        // No mode told: the scale decides.
        output.modeWidth = output.modeHeight = 0;
        output.scale = 3;
        QVERIFY((output.area().device == PixelRect{0, 0, 1800, 2400}));
        // Not described yet: nothing.
        output.logical = {};
        QVERIFY(output.area().device.Empty());
    }
};

QTEST_GUILESS_MAIN(WaylandPartsTest)
#include "wayland_parts_test.moc"
