// The colour the program shows is the device pixel under the pointer's hot
// spot, whatever the scale factor, the depth and the X screen: the real
// program on X servers of the test's own, over a picture in which every pixel
// differs from its neighbours.
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

#include "DesktopTestSupport.h"

namespace {

// A display's root windows, painted and read back as the server stores them.
class Roots {
public:
    explicit Roots(const QString& display) : c_(xcb_connect(qPrintable(display), nullptr))
    {
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c_)); it.rem; xcb_screen_next(&it))
            roots_.push_back(*it.data);
    }
    ~Roots() { xcb_disconnect(c_); }
    bool ok() const { return !xcb_connection_has_error(c_) && !roots_.empty(); }

    // The picture's stored value at (x, y) of a screen; never the magnifier's pure red.
    std::uint32_t Pattern(int screen, int x, int y) const
    {
        if (roots_[screen].root_depth == 16)
            return ((x * 3) & 31) << 11 | ((y * 5) & 63) << 5 | (16 + 8 * screen + ((x + y) & 7));
        return ((x * 7) & 255) << 16 | ((y * 13) & 255) << 8 | ((0x40 + 0x80 * screen + ((x + y) & 0x3F)) & 255);
    }
    std::uint32_t Red(int screen) const { return roots_[screen].root_depth == 16 ? 0xF800 : 0xFF0000; }

    void Paint(int screen)
    {
        const xcb_screen_t& s = roots_[screen];
        const int bytes = s.root_depth == 16 ? 2 : 4;
        const xcb_pixmap_t pixmap = xcb_generate_id(c_);
        xcb_create_pixmap(c_, s.root_depth, pixmap, s.root, s.width_in_pixels, s.height_in_pixels);
        const xcb_gcontext_t gc = xcb_generate_id(c_);
        xcb_create_gc(c_, gc, pixmap, 0, nullptr);
        const int rows = 16000 / (s.width_in_pixels * bytes);
        std::vector<std::uint8_t> strip(std::size_t(rows) * s.width_in_pixels * bytes);
        for (int y0 = 0; y0 < s.height_in_pixels; y0 += rows) {
            const int n = std::min(rows, s.height_in_pixels - y0);
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < s.width_in_pixels; ++x) {
                    const std::uint32_t v = Pattern(screen, x, y0 + y);
                    std::memcpy(&strip[(std::size_t(y) * s.width_in_pixels + x) * bytes], &v, bytes);
                }
            xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, s.width_in_pixels, std::uint16_t(n), 0,
                          std::int16_t(y0), 0, s.root_depth, std::uint32_t(n * s.width_in_pixels * bytes),
                          strip.data());
        }
        xcb_change_window_attributes(c_, s.root, XCB_CW_BACK_PIXMAP, &pixmap);
        xcb_clear_area(c_, 0, s.root, 0, 0, 0, 0);
        xcb_free_gc(c_, gc);
        xcb_free_pixmap(c_, pixmap);
        std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }

    // What Xft.dpi and the like the programs of this display start with.
    void SetResources(const QByteArray& text)
    {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, roots_[0].root, XCB_ATOM_RESOURCE_MANAGER,
                            XCB_ATOM_STRING, 8, std::uint32_t(text.size()), text.constData());
        std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }

    // Stored values of a rectangle of a screen, row by row.
    std::vector<std::uint32_t> Read(int screen, const QRect& r) const
    {
        std::vector<std::uint32_t> pixels;
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, roots_[screen].root, std::int16_t(r.x()),
                              std::int16_t(r.y()), std::uint16_t(r.width()), std::uint16_t(r.height()), ~0u),
            nullptr);
        if (!reply)
            return pixels;
        const int bytes = roots_[screen].root_depth == 16 ? 2 : 4;
        const int stride = (r.width() * bytes + 3) / 4 * 4;
        const std::uint8_t* data = xcb_get_image_data(reply);
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) {
                std::uint32_t v = 0;
                std::memcpy(&v, data + y * stride + x * bytes, bytes);
                pixels.push_back(bytes == 4 ? v & 0xFFFFFF : v);
            }
        std::free(reply);
        return pixels;
    }

private:
    xcb_connection_t* c_;
    std::vector<xcb_screen_t> roots_;
};

// The program's window on the display, in device pixels.
QRect MainWindowOn(const QString& display, qint64 pid)
{
    QRect rect;
    WaitFor([&] {
        int x = 0, y = 0, w = 0, h = 0;
        const QStringList lines = XDoOn(display, {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                                                  "--name", "^Huebird v", "getwindowgeometry", "--shell", "%1"})
                                      .split('\n');
        for (const QString& line : lines) {
            if (line.startsWith("X=")) x = line.mid(2).toInt();
            if (line.startsWith("Y=")) y = line.mid(2).toInt();
            if (line.startsWith("WIDTH=")) w = line.mid(6).toInt();
            if (line.startsWith("HEIGHT=")) h = line.mid(7).toInt();
        }
        rect = QRect(x, y, w, h);
        return w > 0;
    }, 30000);
    return rect;
}

// The first and last line of the magnifier's cross running the given way:
// the longest runs of its red in the window's picture.
std::pair<int, int> CrossLines(const std::vector<std::uint32_t>& image, QSize size, std::uint32_t red,
                               bool vertical, int minimum)
{
    int first = -1, last = -1;
    const int lines = vertical ? size.width() : size.height();
    const int length = vertical ? size.height() : size.width();
    for (int line = 0; line < lines; ++line) {
        int run = 0, longest = 0;
        for (int i = 0; i < length; ++i) {
            const int x = vertical ? line : i, y = vertical ? i : line;
            run = image[std::size_t(y) * size.width() + x] == red ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= minimum) {
            if (first < 0)
                first = line;
            last = line;
        }
    }
    return {first, last};
}

} // namespace

class ScreenPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void theColourIsTheDevicePixelUnderThePointer_data()
    {
        QTest::addColumn<QStringList>("screens");
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QByteArray>("resources");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("pointerScreen");
        const QStringList depth24 = {"-screen", "0", "1024x768x24"};
        const QStringList depth16 = {"-screen", "0", "1024x768x16"};
        const QStringList twoScreens = {"-screen", "0", "1024x768x24", "-screen", "1", "800x600x24"};
        QTest::newRow("scale 1") << depth24 << QStringList() << QByteArray() << 1.0 << 0;
        QTest::newRow("scale 2") << depth24 << QStringList{"QT_SCALE_FACTOR=2"} << QByteArray() << 2.0 << 0;
        QTest::newRow("Xft.dpi 144") << depth24 << QStringList() << QByteArray("Xft.dpi:\t144\n") << 1.5 << 0;
        QTest::newRow("depth 16") << depth16 << QStringList() << QByteArray() << 1.0 << 0;
        QTest::newRow("depth 16, scale 2") << depth16 << QStringList{"QT_SCALE_FACTOR=2"} << QByteArray() << 2.0 << 0;
        QTest::newRow("second X screen") << twoScreens << QStringList() << QByteArray() << 1.0 << 1;
    }

    void theColourIsTheDevicePixelUnderThePointer()
    {
        QFETCH(QStringList, screens);
        QFETCH(QStringList, env);
        QFETCH(QByteArray, resources);
        QFETCH(double, scale);
        QFETCH(int, pointerScreen);
        PrivateXServer x(screens);
        QVERIFY2(!x.display().isEmpty(), "no private X server could be started");
        Roots roots(x.display());
        QVERIFY(roots.ok());
        for (int s = 0; s <= pointerScreen; ++s)
            roots.Paint(s);
        if (!resources.isEmpty())
            roots.SetResources(resources);

        RunningApp app;
        QVERIFY(app.start(QStringList{"DISPLAY=" + x.display()} + env));
        const QRect window = MainWindowOn(x.display(), app.process().processId());
        QVERIFY2(window.width() > 0, "the main window did not appear");
        QVERIFY2(std::abs(window.width() - 276 * scale) <= 2, "the program runs at another scale");
        auto device = [scale](double logical) { return int(std::lround(logical * scale)); };
        const QPoint client = window.bottomRight() + QPoint(1, 1) - QPoint(device(276), device(131));
        const QPoint swatch = client + QPoint(device(223), device(22)) - window.topLeft();

        // Odd and even device pixels, and each remainder of a division by 3. On
        // the second screen also where the magnifier lies on the first.
        std::vector<QPoint> points = {{101, 101}, {100, 100}, {103, 102}};
        if (pointerScreen > 0)
            points.push_back(client + QPoint(device(56), device(56)));
        const std::uint32_t red = roots.Red(0);
        for (const QPoint p : points) {
            XDoOn(x.display(), {"mousemove", "--screen", QString::number(pointerScreen), QString::number(p.x()),
                                QString::number(p.y())});
            // What the swatch and four places of the magnifier show: its centre
            // block on both sides of the cross, the block right of it and the one above.
            struct Place {
                const char* what;
                int dx, dy;
                std::uint32_t shown = 0;
            };
            Place places[] = {{"the swatch", 0, 0},
                              {"the magnifier's centre", 0, 0},
                              {"the magnifier's centre", 0, 0},
                              {"the magnifier right of its centre", 1, 0},
                              {"the magnifier above its centre", 0, -1}};
            bool cross = false;
            const bool right = WaitFor([&] {
                const std::vector<std::uint32_t> image = roots.Read(0, window);
                if (image.size() != std::size_t(window.width()) * window.height())
                    return false;
                auto at = [&](int ix, int iy) { return image[std::size_t(iy) * window.width() + ix]; };
                const auto [x0, x1] = CrossLines(image, window.size(), red, true, device(90));
                const auto [y0, y1] = CrossLines(image, window.size(), red, false, device(90));
                cross = x0 >= 0 && y0 >= 0 && x1 - x0 <= 2 && y1 - y0 <= 2;
                if (!cross)
                    return false;
                places[0].shown = at(swatch.x(), swatch.y());
                places[1].shown = at(x0 - 1, y0 - 1);
                places[2].shown = at(x1 + 1, y1 + 1);
                places[3].shown = at(x0 + device(3.5), y1 + 1);
                places[4].shown = at(x1 + 1, y0 - device(2.5));
                return std::all_of(std::begin(places), std::end(places), [&](const Place& place) {
                    return place.shown == roots.Pattern(pointerScreen, p.x() + place.dx, p.y() + place.dy);
                });
            }, 5000);
            QString faults = cross ? QString() : QString(" no cross in the magnifier");
            for (const Place& place : places) {
                if (!cross || place.shown == roots.Pattern(pointerScreen, p.x() + place.dx, p.y() + place.dy))
                    continue;
                // Which pixel it shows instead, when it is one nearby.
                QString instead = QString("%1").arg(place.shown, 0, 16);
                for (int s = 0; s <= pointerScreen; ++s)
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx)
                            if (roots.Pattern(s, p.x() + place.dx + dx, p.y() + place.dy + dy) == place.shown)
                                instead = QString("the pixel at (%1,%2) from it on screen %3").arg(dx).arg(dy).arg(s);
                faults += QString(" %1 shows %2;").arg(place.what, instead);
            }
            QVERIFY2(right, qPrintable(QString("pointer at (%1,%2) of screen %3:%4")
                                           .arg(p.x()).arg(p.y()).arg(pointerScreen).arg(faults)));
        }
    }
};

QTEST_MAIN(ScreenPixelsTest)
#include "screen_pixels_test.moc"
