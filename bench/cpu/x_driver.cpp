// Drives the X server for the CPU benchmark: paints a busy picture on the root
// window, moves the real pointer along a fixed path, or holds it still.
//
//   x_driver background            root window gets a fractal picture
//   x_driver path STEPS SECONDS    the pointer visits STEPS points in SECONDS
//   x_driver rest X Y SECONDS      the pointer waits at (X, Y)
//
// Everything is deterministic, so runs before and after a change see the same
// pixels and the same motion.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Connection {
    xcb_connection_t* c = nullptr;
    xcb_screen_t* screen = nullptr;
    Connection()
    {
        c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "x_driver: cannot open the display\n");
            std::exit(2);
        }
        screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    }
    ~Connection() { xcb_disconnect(c); }
};

// A Mandelbrot picture with a wrapped palette: nearly every region has edges,
// so a magnifier anywhere on it keeps changing as the pointer moves.
std::uint32_t FractalPixel(int x, int y, int w, int h)
{
    const double cx = -0.7453 + (x - w / 2.0) * 0.03 / w;
    const double cy = 0.1127 + (y - h / 2.0) * 0.03 / w;
    double zx = 0, zy = 0;
    int i = 0;
    for (; i < 400 && zx * zx + zy * zy < 4.0; ++i) {
        const double t = zx * zx - zy * zy + cx;
        zy = 2 * zx * zy + cy;
        zx = t;
    }
    if (i == 400) // inside: shades from where the orbit ended, so no area is flat
        return (std::uint32_t(std::fabs(zx) * 600) % 256) << 16 | (std::uint32_t(std::fabs(zy) * 900) % 256) << 8 | 0x40;
    const auto r = std::uint32_t((i * 7) % 256), g = std::uint32_t((i * 13 + 80) % 256),
               b = std::uint32_t((i * 29 + 160) % 256);
    return (r << 16) | (g << 8) | b;
}

int Background(Connection& x)
{
    const int w = x.screen->width_in_pixels, h = x.screen->height_in_pixels;
    if (x.screen->root_depth != 24) {
        std::fprintf(stderr, "x_driver: the benchmark needs a depth-24 screen\n");
        return 2;
    }
    const xcb_pixmap_t pixmap = xcb_generate_id(x.c);
    xcb_create_pixmap(x.c, 24, pixmap, x.screen->root, std::uint16_t(w), std::uint16_t(h));
    const xcb_gcontext_t gc = xcb_generate_id(x.c);
    xcb_create_gc(x.c, gc, pixmap, 0, nullptr);
    // Row bands small enough for one request each.
    const int band = 32;
    std::vector<std::uint32_t> pixels(std::size_t(w) * band);
    for (int y0 = 0; y0 < h; y0 += band) {
        const int rows = std::min(band, h - y0);
        for (int y = 0; y < rows; ++y)
            for (int xx = 0; xx < w; ++xx)
                pixels[std::size_t(y) * w + xx] = FractalPixel(xx, y0 + y, w, h);
        xcb_put_image(x.c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, std::uint16_t(w), std::uint16_t(rows), 0,
                      std::int16_t(y0), 0, 24, std::uint32_t(std::size_t(w) * rows * 4),
                      reinterpret_cast<const std::uint8_t*>(pixels.data()));
    }
    xcb_change_window_attributes(x.c, x.screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(x.c, 0, x.screen->root, 0, 0, 0, 0);
    // The root keeps the pixmap after this client leaves.
    xcb_set_close_down_mode(x.c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    xcb_free_gc(x.c, gc);
    // A round trip, so everything has reached the server before we leave.
    free(xcb_get_input_focus_reply(x.c, xcb_get_input_focus(x.c), nullptr));
    return 0;
}

void MoveTo(Connection& x, int px, int py)
{
    xcb_test_fake_input(x.c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, x.screen->root, std::int16_t(px),
                        std::int16_t(py), 0);
    xcb_flush(x.c);
}

// A Lissajous figure over the screen, leaving out the middle where the
// program's window sits.
int Path(Connection& x, int steps, double seconds)
{
    const int w = x.screen->width_in_pixels, h = x.screen->height_in_pixels;
    const auto start = std::chrono::steady_clock::now();
    const auto interval = std::chrono::duration<double>(seconds / steps);
    for (int i = 0; i < steps; ++i) {
        const double t = 2 * M_PI * i / steps;
        int px = int(w / 2 + (w / 2 - 40) * std::sin(3 * t));
        int py = int(h / 2 + (h / 2 - 40) * std::sin(2 * t + M_PI / 4));
        if (std::abs(px - w / 2) < 200 && std::abs(py - h / 2) < 150)
            py = py < h / 2 ? h / 2 - 150 : h / 2 + 150;
        MoveTo(x, px, py);
        std::this_thread::sleep_until(start + (i + 1) * interval);
    }
    return 0;
}

int Rest(Connection& x, int px, int py, double seconds)
{
    MoveTo(x, px, py);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    Connection x;
    if (mode == "background")
        return Background(x);
    if (mode == "path" && argc == 4)
        return Path(x, std::atoi(argv[2]), std::atof(argv[3]));
    if (mode == "rest" && argc == 5)
        return Rest(x, std::atoi(argv[2]), std::atoi(argv[3]), std::atof(argv[4]));
    std::fprintf(stderr, "usage: x_driver background | path STEPS SECONDS | rest X Y SECONDS\n");
    return 2;
}
