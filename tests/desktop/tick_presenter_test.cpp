// The tick's readouts put straight on the X server look as the widgets paint
// them: the screen under the X11 presenter against the screen under the
// widgets, frame by frame.
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>
#include <vector>

#include "DesktopTestSupport.h"
#include "app/Application.h"
#include "app/Widgets.h"
#include "capture/QtTickPresenter.h"
#include "platform/x11/X11TickPresenter.h"

class TickPresenterX11Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setFont(ApplicationFont()); }

    void screenMatchesTheWidgets()
    {
        QWidget window;
        window.setFixedSize(276, 131);
        auto* magnifier = new TPicture(&window);
        magnifier->setGeometry(3, 3, 106, 106);
        auto* swatch = new TShape(&window);
        swatch->setGeometry(173, 2, 100, 58);
        auto* code = new QLabel(&window);
        code->setGeometry(173, 44, 100, 13);
        code->setAlignment(Qt::AlignCenter);
        code->setAttribute(Qt::WA_TranslucentBackground);
        auto* statusBar = new TStatusBar(&window);
        statusBar->setGeometry(0, 112, 276, 19);
        statusBar->AddPanel(70);
        statusBar->AddPanel(120, Qt::AlignHCenter);
        statusBar->SetPanelText(1, "Capture: Alt+C");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const TickWidgets widgets{magnifier, swatch, code, statusBar, 0};
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
            const TColor color = TColor(i * 0x152A3F) & 0xFFFFFF;
            frames.push_back({nullptr, color, QString("#%1").arg(color, 6, 16, QChar('0')).toUpper(),
                              ContrastTextColor(color), QString("[%1,%2]").arg(i * 107 - 50).arg(i * 85)});
        }
        for (std::size_t i = 0; i < frames.size(); ++i)
            frames[i].magnifier = &squares[i];

        QtTickPresenter painted(widgets);
        std::vector<QImage> expected;
        for (const TickFrame& frame : frames) {
            painted.show(frame);
            const QImage rendered = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY(WaitFor([&] { return onScreen() == rendered; }));
            expected.push_back(rendered);
        }

        auto direct = X11TickPresenter::create(widgets, X11TickPresenter::DisplayName(
            qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display()));
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
};

QTEST_MAIN(TickPresenterX11Test)
#include "tick_presenter_test.moc"
