// Precise picking on sway, where no program moves the pointer: pick mode's
// arrow keys move the place it reads over the still screens, the loupe names
// the mean of the averaged square there, and a click captures that mean.
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandScreenSampler.h"

namespace {

QImage Checker(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

// 3 x 3 around a black pixel of the checker: white on 4 of 9 pixels; around a white one on 5.
const QColor kAroundBlack(178, 178, 178);
const QColor kAroundWhite(197, 197, 197);

} // namespace

class PickPrecisionTest : public QObject {
    Q_OBJECT
public:
    explicit PickPrecisionTest(WaylandSession& session) : session_(session) {}

private:
    WaylandSession& session_;
    WaylandScreenSampler sampler_;

private slots:
    void theArrowKeysMoveTheAveragedPickOverTheStillScreens()
    {
        QVERIFY(sampler_.isAvailable());
        const QString picture = session_.saveImage("checker.png", Checker({800, 600}));
        bool ok = false;
        session_.swaymsg({QString("output * bg %1 tile").arg(picture)}, &ok);
        QVERIFY(ok);
        RunningApp app;
        app.writeFile("HuebirdLite.ini",
                      "[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\nSampleSize=3\r\n");
        QVERIFY(app.start(session_.environment({"QT_QPA_PLATFORM="})));
        const qint64 pid = app.process().processId();
        ProgramWindow window(session_, sampler_, pid);
        QVERIFY(window.waitUntilPlaced());
        // A black pixel of the checker on whichever output the window is not,
        // with room for the loupe right of and below it.
        const QPoint origin = window.rect().center().x() < 800 ? QPoint(800, 0) : QPoint(0, 0);
        const QPoint at = origin + QPoint(300, 200);
        QVERIFY(window.waitForPixel(at, Qt::black));
        QVERIFY(session_.pointer(QString("move %1 %2").arg(at.x()).arg(at.y()).toUtf8()));

        QProcessEnvironment env = app.environment();
        env.insert(session_.variables());
        env.insert("QT_QPA_PLATFORM", "");
        QProcess sender;
        sender.setProcessEnvironment(env);
        sender.start(qEnvironmentVariable("HB_APP"), {"--pick"});
        QVERIFY(sender.waitForFinished(kPatientMs) && sender.exitCode() == 0);
        // The loupe's caption, filled with the colour it names: 24 pixels
        // right of and below the pointer, under 120 pixels of magnified screen.
        const QPoint caption = at + QPoint(24 + 4, 24 + 1 + 120 + 10);
        QVERIFY(window.waitForPixel(caption, kAroundBlack));
        QVERIFY(session_.typeUntil({"-k", "Right"}, [&] { return window.pixel(caption + QPoint(1, 0)) == kAroundWhite.rgb(); }));
        QVERIFY(session_.pointer("click"));
        const auto fullScreenWindows = [&] {
            int count = 0;
            for (const QJsonObject& w : session_.windowsOf(pid))
                count += w.value("fullscreen_mode").toInt() != 0;
            return count;
        };
        QVERIFY(session_.typeUntil({"-k", "Escape"}, [&] { return fullScreenWindows() == 0; }));
        QVERIFY(window.waitForPixel(window.swatch(), kAroundWhite));
        QVERIFY(window.waitForPixel(window.listRow(0), kAroundWhite));

        QVERIFY(window.close(app.process()));
    }
};

HB_WAYLAND_TEST_MAIN(PickPrecisionTest)
#include "pick_precision_test.moc"
