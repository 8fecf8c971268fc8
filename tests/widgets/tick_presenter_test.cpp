// The tick's readouts composed without the widgets: pixel for pixel what the
// widgets paint for the same frames.
#include <QLabel>
#include <QtTest>

#include "app/Application.h"
#include "app/MainWindowUi.h"
#include "ui/ColorSwatch.h"
#include "ui/PictureView.h"
#include "ui/PanelStatusBar.h"
#include "ui/QtTickPresenter.h"
#include "ui/TickCompositor.h"

namespace {

// The main window's readouts, laid out as it lays them out.
struct Readouts {
    QWidget client;
    PictureView* magnifier = new PictureView(&client);
    ColorSwatch* swatch = new ColorSwatch(&client);
    QLabel* code = new QLabel(&client);
    PanelStatusBar* statusBar = new PanelStatusBar(&client);

    Readouts()
    {
        client.setFixedSize(276, 131);
        magnifier->setGeometry(3, 3, 106, 106);
        swatch->setGeometry(173, 2, 100, 58);
        code->setGeometry(173, 44, 100, 13);
        code->setAlignment(Qt::AlignCenter);
        code->setAttribute(Qt::WA_TranslucentBackground);
        statusBar->setGeometry(0, 112, 276, 19);
        SetUpReadoutPanels(*statusBar);
        statusBar->setPanelText(1, "Capture: Alt+C");
    }
    TickWidgets widgets() const { return {magnifier, swatch, code, statusBar, 0, 2, 3}; }
    QImage grab(const QWidget* w, QRect area = {})
    {
        if (area.isNull())
            area = QRect(QPoint(), w->size());
        return client.grab(area.translated(w->pos())).toImage().convertToFormat(QImage::Format_RGB32);
    }
};

QImage Magnified(int seed)
{
    QImage image(106, 106, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 5) & 255, (x * y + seed) & 255));
    return image;
}

} // namespace

class TickPresenterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setFont(Application::programFont()); }

    void composedReadoutsMatchTheWidgets()
    {
        Readouts readouts;
        readouts.client.show();
        QVERIFY(QTest::qWaitForWindowExposed(&readouts.client));
        QtTickPresenter widgets(readouts.widgets());
        TickCompositor compositor(readouts.widgets());

        const QImage magnified = Magnified(3);
        // Light and dark swatches; kerned letters, a ligature, a code wider
        // than the swatch; positions negative and wider than their panel;
        // contrasts and names shortened to their panels.
        const QString contrasts[] = {"4.4:1 AA large", "21.0:1 AAA", "1.0:1 Fail", "10,4:1 AA groß"};
        const QString names[] = {"red", "\u2248 coral, \u0394E 5.2", "\u2248 lightgoldenrodyellow, \u0394E 12.3"};
        const TickFrame frames[] = {
            {&magnified, Rgb{255, 0, 0}, "#FF0000", Rgb{255, 255, 255}, "[0,0]", &contrasts[0], &names[0]},
            {nullptr, Rgb{240, 240, 240}, "rgb(240, 240, 240)", kBlack, "[1279,1023]", &contrasts[1], &names[1]},
            {nullptr, Rgb{48, 32, 16}, "#302010", Rgb{255, 255, 255}, "[-1920,-45]"},
            {nullptr, Rgb{127, 127, 127}, "#ffffff fl", kBlack, "[123456,7890123]", &contrasts[2], &names[2]},
            {nullptr, Rgb{255, 160, 0}, "hsl(199, 100%, 50%) and much more", kBlack, "[5,17]", &contrasts[3]},
            {nullptr, Rgb{0, 255, 0}, "0.00, 1.00, 0.00", kBlack, "[640,512]"},
        };
        QImage magnifier(compositor.magnifierSize(), QImage::Format_RGB32);
        QImage swatch(compositor.swatchSize(), QImage::Format_RGB32);
        QImage position(compositor.positionSize(), QImage::Format_RGB32);
        const QRect contrastArea = TickCompositor::panelArea(readouts.statusBar, 2);
        QImage contrast(contrastArea.size(), QImage::Format_RGB32);
        const QRect nameArea = TickCompositor::panelArea(readouts.statusBar, 3);
        QImage name(nameArea.size(), QImage::Format_RGB32);
        for (const TickFrame& frame : frames) {
            widgets.show(frame);
            if (frame.magnifier) {
                compositor.drawMagnifier(magnifier, *frame.magnifier);
                QCOMPARE(magnifier, readouts.grab(readouts.magnifier));
            }
            compositor.drawSwatch(swatch, frame.color, frame.code, frame.codeColor);
            QCOMPARE(swatch, readouts.grab(readouts.swatch));
            compositor.drawPosition(position, frame.position);
            QCOMPARE(position, readouts.grab(readouts.statusBar, readouts.statusBar->panelRect(0)));
            if (frame.contrast) {
                compositor.drawContrast(contrast, *frame.contrast);
                QCOMPARE(contrast, readouts.grab(readouts.statusBar, contrastArea));
            }
            if (frame.name) {
                compositor.drawName(name, *frame.name);
                QCOMPARE(name, readouts.grab(readouts.statusBar, nameArea));
            }
        }
        // Only the ligature and the lines beyond Latin-1 (the two names' "≈", the two contrasts
        // shortened in the window's panel, "… large" and "… groß") were left to QPainter.
        QCOMPARE(compositor.painterFallbacks(), 5);
    }
};

QTEST_MAIN(TickPresenterTest)
#include "tick_presenter_test.moc"
