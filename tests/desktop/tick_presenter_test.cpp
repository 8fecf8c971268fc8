// The tick's readouts put straight on the X server look as the widgets paint
// them: the screen under the X11 presenter against the screen under the
// widgets, frame by frame, in a window of the test's and in the real program.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

#include "DesktopTestSupport.h"
#include "app/Application.h"
#include "app/MainWindowUi.h"
#include "ui/ColorSwatch.h"
#include "ui/PictureView.h"
#include "ui/PanelStatusBar.h"
#include "ui/QtTickPresenter.h"
#include "platform/x11/X11Connection.h"
#include "capture/x11/X11TickPresenter.h"

namespace {

// The root window shows a picture whose every pixel differs from its neighbours.
void PaintBusyDesktop()
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, std::uint16_t(w), std::uint16_t(h));
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    std::vector<std::uint32_t> row(std::size_t(w) * 4);
    for (int y0 = 0; y0 < h; y0 += 4) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < w; ++x)
                row[std::size_t(y * w + x)] = std::uint32_t(((x * 7) & 255) << 16 | (((y0 + y) * 13) & 255) << 8
                                                            | ((x * (y0 + y)) & 255));
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, std::uint16_t(w), 4, 0, std::int16_t(y0), 0,
                      screen->root_depth, std::uint32_t(row.size() * 4), reinterpret_cast<const std::uint8_t*>(row.data()));
    }
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    xcb_disconnect(c);
}

int ChildWindowCount(const QString& windowId)
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, windowId.toUInt()), nullptr);
    const int count = tree ? xcb_query_tree_children_length(tree) : -1;
    std::free(tree);
    xcb_disconnect(c);
    return count;
}

const QPoint kPointerPath[] = {{400, 300}, {401, 300}, {640, 512}, {1000, 900}, {5, 5},     {1279, 1023},
                               {700, 150}, {702, 153}, {350, 800}, {900, 420}, {1200, 60}, {60, 1000}};

} // namespace

class TickPresenterX11Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setFont(Application::programFont()); }

    void screenMatchesTheWidgets()
    {
        QWidget window;
        window.setFixedSize(276, 131);
        auto* magnifier = new PictureView(&window);
        magnifier->setGeometry(3, 3, 106, 106);
        auto* swatch = new ColorSwatch(&window);
        swatch->setGeometry(173, 2, 100, 58);
        auto* code = new QLabel(&window);
        code->setGeometry(173, 44, 100, 13);
        code->setAlignment(Qt::AlignCenter);
        code->setAttribute(Qt::WA_TranslucentBackground);
        auto* statusBar = new PanelStatusBar(&window);
        statusBar->setGeometry(0, 112, 276, 19);
        SetUpReadoutPanels(*statusBar);
        statusBar->setPanelText(1, "Capture: Alt+C");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const TickWidgets widgets{magnifier, swatch, code, statusBar, 0, 2, 3};
        const auto onScreen = [&] { return GrabScreen(QRect(window.mapToGlobal(QPoint()), window.size())); };

        // A dozen pointer positions over a busy picture: its square, its colour, its code.
        std::vector<QImage> squares;
        std::vector<TickFrame> frames;
        for (int i = 0; i < 12; ++i) {
            QImage square(106, 106, QImage::Format_RGB32);
            for (int y = 0; y < 106; ++y)
                for (int x = 0; x < 106; ++x)
                    square.setPixel(x, y, qRgb((x * 13 + i * 40) & 255, (y * 7 + i * 3) & 255, (x ^ y) & 255));
            squares.push_back(square);
            const Rgb color = RgbFromStoredColor(i * 0x152A3F);
            frames.push_back({nullptr, color, QString("#%1").arg(StoredColorFromRgb(color), 6, 16, QChar('0')).toUpper(),
                              ContrastTextColor(color), QString("[%1,%2]").arg(i * 107 - 50).arg(i * 85)});
        }
        // The contrast and the name change on some frames only.
        const QString contrasts[] = {"4.4:1 AA large", "21.0:1 AAA", "1.0:1 Fail"};
        const QString names[] = {"coral", "\u2248 lightgoldenrodyellow, \u0394E 12.3"};
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i].magnifier = &squares[i];
            if (i % 4 != 3)
                frames[i].contrast = &contrasts[i % 4];
            if (i % 3 != 2)
                frames[i].name = &names[i % 3];
        }

        QtTickPresenter painted(widgets);
        std::vector<QImage> expected;
        for (const TickFrame& frame : frames) {
            painted.show(frame);
            const QImage rendered = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY(WaitFor([&] { return onScreen() == rendered; }));
            expected.push_back(rendered);
        }

        auto direct = X11TickPresenter::create(widgets, X11Connection::open(X11Connection::displayName(
            qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display())));
        QVERIFY(direct);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            direct->show(frames[i]);
            QVERIFY2(WaitFor([&] { return onScreen() == expected[i]; }), qPrintable(frames[i].position));
        }
        // Covered and shown again, the window still shows the last frame.
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(WaitFor([&] { return onScreen() == expected.back(); }));
    }

    // The real program at a dozen pointer positions, with its own presenter
    // and with the widgets: the same window, pixel for pixel.
    void realWindowMatchesTheWidgets()
    {
        PaintBusyDesktop();
        std::vector<QImage> painted;
        for (const bool direct : {false, true}) {
            RunningApp app;
            QVERIFY(app.start(direct ? QStringList() : QStringList{"HUEBIRD_TICK_PRESENTER=qt"}));
            QVERIFY(app.waitForMainWindow());
            QCOMPARE(ChildWindowCount(app.windowId()) >= 3, direct);
            const auto window = [&] { return GrabScreen(app.windowRect()); };
            for (std::size_t i = 0; i < std::size(kPointerPath); ++i) {
                const QImage before = window();
                MovePointer(kPointerPath[i].x(), kPointerPath[i].y());
                if (direct) {
                    QVERIFY2(WaitFor([&] { return window() == painted[i]; }),
                             qPrintable(QString("at %1,%2").arg(kPointerPath[i].x()).arg(kPointerPath[i].y())));
                    continue;
                }
                // Moved (each position reads differently), then settled: unchanged over several ticks.
                QVERIFY(WaitFor([&] { return window() != before; }));
                QImage last = window();
                QElapsedTimer still;
                still.start();
                QVERIFY(WaitFor([&] {
                    const QImage now = window();
                    if (now != last)
                        last = now, still.restart();
                    return still.elapsed() >= 400;
                }));
                painted.push_back(last);
            }
            QVERIFY(app.closeAndWait());
        }
    }
};

QTEST_MAIN(TickPresenterX11Test)
#include "tick_presenter_test.moc"
