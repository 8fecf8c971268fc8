// The main window's list view, the capture command, the list commands, the
// code field, and the capture tick drawing the magnifier.
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <set>
#include <vector>

#include "WidgetTestSupport.h"
#include "MainWindowParts.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "core/color/ColorCodes.h"
#include "platform/ScreenSampler.h"

namespace {

constexpr Rgb kOrange = Rgb{255, 128, 0}; // red 255, green 128, blue 0

// A screen whose pixel at (x, y) is given by a function, and a cursor set by the test.
class FakeScreen : public IScreenSampler {
public:
    QPoint cursor;
    std::function<QRgb(int, int)> pixel = [](int, int) { return qRgb(0, 0, 0); };
    std::vector<QRect> grabs;

    ScreenPointer Pointer() override { return {cursor, true, 0, {cursor.x(), cursor.y()}}; }
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override
    {
        const QRect source(pointer.device.x - radius, pointer.device.y - radius, 2 * radius + 1,
                           2 * radius + 1);
        grabs.push_back(source);
        if (out.size() != source.size() || out.format() != QImage::Format_RGB32)
            out = QImage(source.size(), QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                out.setPixel(x, y, pixel(source.x() + x, source.y() + y));
    }
};

QRgb PixelOf(Rgb c) { return ToQColor(c).rgb(); }

// The red pixels of the cross and centre square on a 106 x 106 magnifier.
std::set<std::pair<int, int>> CrossPixels()
{
    std::set<std::pair<int, int>> p;
    for (int i = 0; i < 106; ++i) {
        p.insert({i, 53});
        p.insert({53, i});
    }
    for (int i = 33; i < 73; ++i) {
        p.insert({i, 33});
        p.insert({i, 73});
        p.insert({33, i});
    }
    for (int i = 33; i <= 73; ++i)
        p.insert({73, i});
    return p;
}

class ShownForm {
public:
    explicit ShownForm(std::unique_ptr<IScreenSampler> screen = {}, char decimalSeparator = '.')
        : form({.prompts = prompts,
                .paths = dir.paths(),
                .decimalSeparator = decimalSeparator,
                .screenSampler = std::move(screen)})
    {
        form.show();
        // Before any event loop: a tick would make the screen's colour the captured one.
        capture().stop(); // the tests run the ticks themselves
        ok = QTest::qWaitForWindowActive(&form);
    }
    ~ShownForm() { form.close(); }
    ColorListModel& list() const { return Parts(form).list(); }
    CaptureController& capture() const { return Parts(form).capture(); }
    TestAppDir dir;
    RecordingPrompts prompts;
    MainWindow form;
    bool ok = false;
};

void Fill(MainWindow& form, const RgbList& colors)
{
    Parts(form).list().setColors(colors);
}

// A point of the row inside the narrow grid (its one column is wider than the grid).
QPoint RowPoint(ColorGrid* grid, int row)
{
    return {10, grid->visualRect(grid->model()->index(row, 0)).center().y()};
}

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(w, c.toLatin1());
}

} // namespace

class ListViewTest : public QObject {
    Q_OBJECT

private slots:
    void rowCountFollowsTheList_data()
    {
        QTest::addColumn<int>("colors");
        QTest::addColumn<int>("rows");
        QTest::newRow("empty") << 0 << 6;
        QTest::newRow("one") << 1 << 6;
        QTest::newRow("four") << 4 << 6;
        QTest::newRow("five") << 5 << 5;
        QTest::newRow("twelve") << 12 << 12;
    }

    void rowCountFollowsTheList()
    {
        QFETCH(int, colors);
        QFETCH(int, rows);
        ShownForm f;
        QVERIFY(f.ok);
        f.list().setSelectedIndex(3);
        f.list().setCurrentColor(Rgb{86, 52, 18});
        RgbList list;
        for (int i = 0; i < colors; ++i)
            list.push_back(Rgb{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
        Fill(f.form, list);
        QCOMPARE(Parts(f.form).GridCapture->rowCount(), rows);
        QCOMPARE(f.list().currentColor(), (Rgb{86, 52, 18})); // a refill never changes it
        if (colors > 0)
            QCOMPARE(f.list().selectedIndex(), 0);
        if (colors == 12)
            QTRY_VERIFY(Parts(f.form).GridCapture->verticalScrollBar()->isVisible());
    }

    void rowsShowTheirColoursAndEmptyRowsStayPlain()
    {
        ShownForm f;
        QVERIFY(f.ok);
        Fill(f.form, {Rgb{255, 0, 0}, Rgb{0, 255, 0}});
        ColorGrid* grid = Parts(f.form).GridCapture;
        const QImage image = grid->viewport()->grab().toImage();
        const auto at = [&](int row) {
            return image.pixel(10, grid->visualRect(grid->model()->index(row, 0)).center().y());
        };
        QCOMPARE(at(0), PixelOf(Rgb{255, 0, 0}));
        QCOMPARE(at(1), PixelOf(Rgb{0, 255, 0}));
        QCOMPARE(at(3), grid->palette().color(QPalette::Base).rgb());
        const ColorListModel& list = f.list();
        QCOMPARE(list.index(1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black)); // green is light
        QCOMPARE(list.index(0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
    }

    void captureTakesTheSwatchColourFirst()
    {
        ShownForm f;
        QVERIFY(f.ok);
        Parts(f.form).ShSelectedColor->setBrushColor(kOrange);
        Parts(f.form).item("ContextCaptureColor")->trigger();
        QCOMPARE(f.list().colors(), RgbList({kOrange}));
        QCOMPARE(f.list().currentColor(), kOrange);
        QCOMPARE(Parts(f.form).GridCapture->rowCount(), 6);
        QCOMPARE(Parts(f.form).GridCapture->currentRow(), 0);
        QCOMPARE(Parts(f.form).EditCaptureColor->text(), QStringLiteral("#FF8000"));
        QCOMPARE(Parts(f.form).EditCaptureColor->palette().color(QPalette::Base), ToQColor(kOrange));
        QCOMPARE(Parts(f.form).EditCaptureColor->palette().color(QPalette::Text), QColor(Qt::black));
        // Twice without a new sample: the same colour twice, row 0 selected.
        Parts(f.form).GridCapture->setCurrentRow(2);
        Parts(f.form).item("ContextCaptureColor")->trigger();
        QCOMPARE(f.list().colors(), RgbList({kOrange, kOrange}));
        QCOMPARE(Parts(f.form).GridCapture->currentRow(), 0);
        QCOMPARE(f.list().selectedIndex(), 0);
        QVERIFY(!Parts(f.form).item("ContextCaptureColor")->isVisible());
    }

    void selectingARowShowsItsCode()
    {
        ShownForm f;
        QVERIFY(f.ok);
        Fill(f.form, {Rgb{255, 255, 255}, Rgb{0, 0, 0}, kOrange});
        ColorGrid* grid = Parts(f.form).GridCapture;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          RowPoint(grid, 2));
        QCOMPARE(f.list().selectedIndex(), 2);
        QCOMPARE(f.list().currentColor(), kOrange);
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), kOrange);
        QCOMPARE(Parts(f.form).EditCaptureColor->text(), QStringLiteral("#FF8000"));
        // An empty row changes nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          RowPoint(grid, 4));
        QCOMPARE(f.list().selectedIndex(), 2);
        QCOMPARE(f.list().currentColor(), kOrange);
    }

    void deleteActsOnlyWithTheGridFocused()
    {
        ShownForm f;
        QVERIFY(f.ok);
        const Rgb one{1, 1, 1}, two{2, 2, 2}, three{3, 3, 3};
        Fill(f.form, {one, two, three});
        ColorGrid* grid = Parts(f.form).GridCapture;
        grid->setCurrentRow(1);
        QCOMPARE(f.list().selectedIndex(), 1);

        // Del in the code field edits the field, never the list.
        Parts(f.form).EditCaptureColor->setFocus();
        QTest::keyClick(Parts(f.form).EditCaptureColor, Qt::Key_Delete);
        Parts(f.form).item("ContextDeleteColor")->trigger();
        QCOMPARE(f.list().colors(), RgbList({one, two, three}));

        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(f.list().colors(), RgbList({one, three}));
        QTRY_VERIFY(Parts(f.form).NotationBox->hasFocus());
        QCOMPARE(f.list().selectedIndex(), 0);
        QCOMPARE(f.list().currentColor(), two); // deleting leaves it alone

        // Clicking the row that was current before the refill selects it again,
        // so Del removes the row the user sees chosen.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          RowPoint(grid, 1));
        QCOMPARE(f.list().selectedIndex(), 1);
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(f.list().colors(), RgbList({one}));

        // The last colour: the code field empties and turns white.
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        Parts(f.form).item("ContextDeleteColor")->trigger();
        QVERIFY(f.list().colors().empty());
        QVERIFY(Parts(f.form).EditCaptureColor->text().isEmpty());
        QCOMPARE(Parts(f.form).EditCaptureColor->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(Parts(f.form).GridCapture->rowCount(), 6);

        // On the empty list it still does no harm.
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        Parts(f.form).item("ContextDeleteColor")->trigger();
        QVERIFY(f.list().colors().empty());
    }

    void clearingKeepsTheCodeField()
    {
        ShownForm f;
        QVERIFY(f.ok);
        for (QAction* clear : {Parts(f.form).item("ContextClearColorList"), Parts(f.form).item("MenuClearColorList")}) {
            Fill(f.form, RgbList(12, kOrange));
            Parts(f.form).GridCapture->setCurrentRow(3);
            clear->trigger();
            QVERIFY(f.list().colors().empty());
            QCOMPARE(Parts(f.form).GridCapture->rowCount(), 6);
            QCOMPARE(Parts(f.form).EditCaptureColor->text(), QStringLiteral("#FF8000"));
            QCOMPARE(Parts(f.form).EditCaptureColor->palette().color(QPalette::Base), ToQColor(kOrange));
        }
    }

    void changingTheNotationRewritesTheFieldOnlyWithAList()
    {
        ShownForm f;
        QVERIFY(f.ok);
        Parts(f.form).EditCaptureColor->setText("left alone");
        Parts(f.form).NotationBox->setCurrentIndex(1);
        QCOMPARE(Parts(f.form).EditCaptureColor->text(), QStringLiteral("left alone"));

        Fill(f.form, {Rgb{0, 0, 0}, kOrange});
        Parts(f.form).GridCapture->setCurrentRow(1);
        QCOMPARE(f.list().selectedIndex(), 1);
        Parts(f.form).NotationBox->setCurrentIndex(7); // Hexa
        QCOMPARE(Parts(f.form).EditCaptureColor->text(),
                 QString::fromStdString(std::string(WriteColorCode(7, kOrange, '.').View())));
        QCOMPARE(f.list().selectedIndex(), 0);
        QCOMPARE(f.list().currentColor(), kOrange);
    }

    void typingIsFilteredOnceTheFieldHoldsText()
    {
        ShownForm f;
        QVERIFY(f.ok);
        QLineEdit* edit = Parts(f.form).EditCaptureColor;
        edit->setFocus();
        edit->clear();
        Type(edit, "G");            // the first key is never filtered
        Type(edit, "Gg-x#aF09 ,."); // then only the code keys pass
        QCOMPARE(edit->text(), QStringLiteral("G#aF09 .."));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("G#aF09 ."));
        // Delete and Tab are keys, not typed characters: they keep working.
        edit->home(false);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("#aF09 ."));
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
        edit->setFocus();

        // Either separator types the user's.
        edit->setText("1");
        Type(edit, ",5");
        QCOMPARE(edit->text(), QStringLiteral("1.5"));
        ShownForm comma({}, ',');
        QVERIFY(comma.ok);
        QLineEdit* commaEdit = Parts(comma.form).EditCaptureColor;
        commaEdit->setFocus();
        commaEdit->setText("1");
        Type(commaEdit, ".5");
        QCOMPARE(commaEdit->text(), QStringLiteral("1,5"));
    }

    void enterReadsTheCode_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("typed");  // typed key by key
        QTest::addColumn<QString>("pasted"); // or set as it stands
        QTest::addColumn<int>("outcome");    // 0 read, 1 message, 2 silently nothing
        QTest::addColumn<Rgb>("color");

        QTest::newRow("RGB typed with commas") << 1 << '.' << "255, 128, 0" << "" << 0 << kOrange;
        QTest::newRow("RGB pasted with commas") << 1 << '.' << "" << "255, 128, 0" << 0 << kOrange;
        QTest::newRow("LAB typed with a minus") << 5 << '.' << "50, -20, 30" << "" << 0
                                                << LabToRGB({50, -20, 30});
        QTest::newRow("RGB five parts") << 1 << '.' << "255 , 128 , 0" << "" << 1 << kBlack;
        QTest::newRow("RGB beyond a byte") << 1 << '.' << "300 0 0" << "" << 1 << kBlack;
        QTest::newRow("RGB letters") << 1 << '.' << "FF 0 0" << "" << 2 << kBlack;
        QTest::newRow("HTML with #") << 0 << '.' << "#FF8000" << "" << 0 << kOrange;
        QTest::newRow("HTML spaced") << 0 << '.' << "ff 80 00" << "" << 0 << kOrange;
        QTest::newRow("HTML too short") << 0 << '.' << "#FF800" << "" << 1 << kBlack;
        QTest::newRow("CSS colour name in HTML") << 0 << '.' << "" << "Red" << 0 << Rgb{255, 0, 0};
        QTest::newRow("Hexa 0x") << 7 << '.' << "" << "0xFF8000" << 0 << kOrange;
        QTest::newRow("Hexa red 00") << 7 << '.' << "" << "0x0080FF" << 0 << Rgb{0, 128, 255};
        QTest::newRow("TColor $00") << 6 << '.' << "" << "$000080FF" << 0 << kOrange;
        QTest::newRow("TColor bare") << 6 << '.' << "0080FF" << "" << 0 << kOrange;
        QTest::newRow("CMYK three parts") << 4 << '.' << "0, 50, 100" << "" << 1 << kBlack;
        QTest::newRow("RGB[0,1] own code") << 10 << '.' << "1.00 - 0.50 - 0.00" << "" << 0 << kOrange;
        QTest::newRow("RGB[0,1] comma locale") << 10 << ',' << "1.00 - 0.50 - 0.00" << "" << 0 << kOrange;
        QTest::newRow("nothing selected") << -1 << '.' << "" << "FF8000" << 1 << kBlack;
    }

    void enterReadsTheCode()
    {
        QFETCH(int, format);
        QFETCH(char, separator);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(int, outcome);
        QFETCH(Rgb, color);
        ShownForm f({}, separator);
        QVERIFY(f.ok);
        auto& messages = f.prompts;
        Fill(f.form, {Rgb{17, 17, 17}});
        f.list().setCurrentColor(Rgb{17, 17, 17});
        Parts(f.form).NotationBox->setCurrentIndex(format);
        QLineEdit* edit = Parts(f.form).EditCaptureColor;
        edit->setFocus();
        edit->clear();
        if (!typed.isEmpty())
            Type(edit, typed);
        else
            edit->setText(pasted);
        QTest::keyClick(edit, Qt::Key_Return);

        QCOMPARE(messages.messages.size(), size_t(outcome == 1 ? 1 : 0));
        if (outcome == 1) {
            QCOMPARE(messages.messages[0].kind, (unsigned char)0);
            QCOMPARE(messages.messages[0].text, TextOf(f.form, "SErrorColorInput"));
        }
        if (outcome == 0) {
            QCOMPARE(f.list().colors(), RgbList({color, Rgb{17, 17, 17}}));
            QCOMPARE(f.list().currentColor(), color);
            QCOMPARE(edit->text(), QString::fromStdString(std::string(WriteColorCode(format, color, separator).View())));
            QCOMPARE(edit->palette().color(QPalette::Base), ToQColor(color));
        } else {
            QCOMPARE(f.list().colors(), RgbList({Rgb{17, 17, 17}}));
            QCOMPARE(f.list().currentColor(), (Rgb{17, 17, 17}));
        }
    }

    void enterInAnEmptyFieldDoesNothing()
    {
        ShownForm f;
        QVERIFY(f.ok);
        auto& messages = f.prompts;
        Parts(f.form).EditCaptureColor->setFocus();
        Parts(f.form).EditCaptureColor->clear();
        QTest::keyClick(Parts(f.form).EditCaptureColor, Qt::Key_Return);
        QVERIFY(messages.messages.empty());
        QVERIFY(f.list().colors().empty());
    }

    void theCrossAndSquareFallOnTheirPixels()
    {
        QImage canvas(106, 106, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        CaptureController::drawCross(canvas);
        const auto red = CrossPixels();
        for (int y = 0; y < 106; ++y)
            for (int x = 0; x < 106; ++x)
                QVERIFY2(canvas.pixel(x, y) == (red.count({x, y}) ? qRgb(255, 0, 0) : qRgb(255, 255, 255)),
                         qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
    }

    void aTickMagnifiesTheSquareAroundTheCursor()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        fake->grabs.clear(); // read while the window was shown
        // A pattern that tells every screen pixel from its neighbours.
        fake->pixel = [](int x, int y) { return qRgb((x * 7) & 0xFF, (y * 11) & 0xFF, 0x40); };
        fake->cursor = Parts(f.form).SHImageZoom->mapToGlobal(QPoint(0, 0)) + QPoint(500, 300);
        const QPoint c = fake->cursor;
        f.capture().tick();

        QCOMPARE(fake->grabs.size(), size_t(1));
        QCOMPARE(fake->grabs[0], QRect(c.x() - 19, c.y() - 19, 39, 39));
        QCOMPARE(Parts(f.form).StatusBar->panelText(0), QString("[%1,%2]").arg(c.x()).arg(c.y()));
        const QImage& canvas = Parts(f.form).ImgZoom->canvas();
        const auto red = CrossPixels();
        std::vector<int> blockWidths(39, 0);
        for (int y = 0; y < 106; ++y)
            for (int x = 0; x < 106; ++x) {
                if (red.count({x, y})) {
                    QCOMPARE(canvas.pixel(x, y), qRgb(255, 0, 0));
                    continue;
                }
                const int sx = x * 39 / 106, sy = y * 39 / 106;
                QCOMPARE(canvas.pixel(x, y), fake->pixel(c.x() - 19 + sx, c.y() - 19 + sy));
            }
        for (int x = 0; x < 106; ++x)
            ++blockWidths[x * 39 / 106];
        for (int w : blockWidths)
            QVERIFY(w == 2 || w == 3);
        // The centre block shows the cursor's pixel, which also fills the swatch.
        QCOMPARE(canvas.pixel(52, 52), fake->pixel(c.x(), c.y()));
        const QColor centre = QColor(fake->pixel(c.x(), c.y()));
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), FromQColor(centre));
        QCOMPARE(Parts(f.form).LabelColor->text(),
                 QString::fromStdString(std::string(WriteColorCode(0, FromQColor(centre), '.').View())));
        // The tick leaves the timer armed for 50 ms after its own work.
        const QTimer& timer = f.capture().timer();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 50);
        QVERIFY(timer.isSingleShot());
    }

    void theLabelContrastsWithTheSample_data()
    {
        QTest::addColumn<Rgb>("sample");
        QTest::addColumn<QColor>("text");
        QTest::newRow("grey 128") << Rgb{128, 128, 128} << QColor(Qt::black);
        QTest::newRow("grey 127") << Rgb{127, 127, 127} << QColor(Qt::white);
        QTest::newRow("red") << Rgb{255, 0, 0} << QColor(Qt::white);
        QTest::newRow("blue") << Rgb{0, 0, 255} << QColor(Qt::white);
        QTest::newRow("green") << Rgb{0, 255, 0} << QColor(Qt::black);
        QTest::newRow("yellow") << Rgb{255, 255, 0} << QColor(Qt::black);
    }

    void theLabelContrastsWithTheSample()
    {
        QFETCH(Rgb, sample);
        QFETCH(QColor, text);
        auto screen = std::make_unique<FakeScreen>();
        screen->pixel = [sample](int, int) { return PixelOf(sample); };
        screen->cursor = QPoint(-3000, -3000); // negative coordinates: a monitor to the left
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        f.capture().tick();
        QCOMPARE(Parts(f.form).LabelColor->palette().color(QPalette::WindowText), text);
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), sample);
        QCOMPARE(Parts(f.form).StatusBar->panelText(0), QStringLiteral("[-3000,-3000]"));
    }

    void theThirdPanelShowsTheContrastToTheSelectedColour()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        fake->pixel = [](int, int) { return qRgb(0x77, 0x77, 0x77); };
        fake->cursor = QPoint(5, 5);
        f.capture().tick();
        QCOMPARE(Parts(f.form).StatusBar->panelText(2), QString()); // nothing selected

        Fill(f.form, {Rgb{255, 255, 255}, Rgb{0, 0, 0}});
        f.capture().tick();
        QCOMPARE(Parts(f.form).StatusBar->panelText(2), QStringLiteral("4.4:1 AA large"));
        Parts(f.form).GridCapture->setCurrentRow(1);
        f.capture().tick();
        QCOMPARE(Parts(f.form).StatusBar->panelText(2), QStringLiteral("4.6:1 AA"));

        Parts(f.form).item("MenuClearColorList")->trigger();
        f.capture().tick();
        QCOMPARE(Parts(f.form).StatusBar->panelText(2), QString());

        // The user's separator, and the words of the language in use.
        auto commaScreen = std::make_unique<FakeScreen>();
        commaScreen->pixel = fake->pixel;
        commaScreen->cursor = fake->cursor;
        ShownForm comma(std::move(commaScreen), ',');
        QVERIFY(comma.ok);
        UseLanguageLines(LanguageOf(comma.form), "SContrastAALarge=AA groß\n");
        Fill(comma.form, {Rgb{255, 255, 255}, Rgb{0, 0, 0}});
        comma.capture().tick();
        QCOMPARE(Parts(comma.form).StatusBar->panelText(2), QStringLiteral("4,4:1 AA groß"));
    }

    void theFourthPanelNamesTheNearestColour()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen), ',');
        QVERIFY(f.ok);
        PanelStatusBar* bar = Parts(f.form).StatusBar;
        fake->cursor = QPoint(5, 5);
        fake->pixel = [](int, int) { return qRgb(0xFF, 0x7F, 0x50); };
        f.capture().tick();
        QCOMPARE(bar->panelText(3), QStringLiteral("coral"));
        // The user's separator; a name too long for the panel is shortened, never the difference.
        fake->pixel = [](int, int) { return qRgb(0xE8, 0x81, 0x62); };
        f.capture().tick();
        QCOMPARE(f.capture().fullPanelText(3), QStringLiteral("\u2248 coral, \u0394E 5,2"));
        QVERIFY2(bar->panelText(3).endsWith(QStringLiteral(", \u0394E 5,2")), qPrintable(bar->panelText(3)));
        fake->pixel = [](int, int) { return qRgb(0xFA, 0xFA, 0xD0); };
        f.capture().tick();
        QVERIFY2(bar->panelText(3).endsWith(QStringLiteral("\u2026, \u0394E 0,5")), qPrintable(bar->panelText(3)));
        QCOMPARE(f.capture().fullPanelText(3), QStringLiteral("\u2248 lightgoldenrodyellow, \u0394E 0,5"));
        QCOMPARE(bar->shownText(3, bar->panelText(3)), bar->panelText(3));
        // The words of the language in use.
        UseLanguageLines(LanguageOf(f.form), "SColorNameNear=%s ~%s\n");
        fake->pixel = [](int, int) { return qRgb(0xE8, 0x81, 0x62); };
        f.capture().tick();
        QCOMPARE(bar->panelText(3), QStringLiteral("coral ~5,2"));
    }

    void simulateShowsTheMagnifierAsSeenAndKeepsTheSwatch()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        fake->cursor = QPoint(5, 5);
        fake->pixel = [](int, int) { return qRgb(0xFF, 0x00, 0x00); };
        f.capture().tick();
        const QImage& zoom = Parts(f.form).ImgZoom->canvas();
        QCOMPARE(zoom.pixel(10, 10), qRgb(0xFF, 0x00, 0x00));
        const QRgb corner = zoom.pixel(2, zoom.height() - 3);

        Parts(f.form).item("MenuSimulateProtanopia")->trigger();
        f.capture().tick();
        QCOMPARE(zoom.pixel(10, 10), qRgb(109, 95, 0));
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), (Rgb{255, 0, 0}));
        QCOMPARE(Parts(f.form).LabelColor->text(), QStringLiteral("#FF0000"));
        QVERIFY(Parts(f.form).item("MenuSimulateProtanopia")->isChecked());
        // The label in the bottom-left corner: white letters on black.
        QCOMPARE(zoom.pixel(1, zoom.height() - 2), qRgb(0, 0, 0));
        int white = 0;
        for (int y = zoom.height() - 14; y < zoom.height(); ++y)
            for (int x = 0; x < 60; ++x)
                white += qGray(zoom.pixel(x, y)) > 200;
        QVERIFY(white > 10);

        // A moving pointer over many colours: every pixel as seen, new or in sight before.
        fake->pixel = [](int x, int y) { return qRgb((x * 37) & 255, (y * 11 + x) & 255, (x * y) & 255); };
        for (const QPoint move : {QPoint(0, 0), QPoint(5, 0), QPoint(-7, 3), QPoint(0, -38), QPoint(60, 2)}) {
            fake->cursor += move;
            f.capture().tick();
            for (int y = 0; y < 80; y += 7)
                for (int x = 0; x < zoom.width(); x += 5) {
                    const QPoint screen = fake->cursor - QPoint(19, 19) + QPoint(x * 39 / 106, y * 39 / 106);
                    const QRgb real = fake->pixel(screen.x(), screen.y());
                    // Rows and columns that miss the cross and the label.
                    QCOMPARE(zoom.pixel(x, y),
                             ToQColor(SimulateColorVision(ColorVision::Protanopia, FromQColor(QColor(real)))).rgb());
                }
        }

        fake->pixel = [](int, int) { return qRgb(0xFF, 0x00, 0x00); };
        Parts(f.form).item("MenuSimulateNone")->trigger();
        f.capture().tick();
        QCOMPARE(zoom.pixel(10, 10), qRgb(0xFF, 0x00, 0x00));
        QCOMPARE(zoom.pixel(2, zoom.height() - 3), corner);
        // The choice is kept in the settings.
        Parts(f.form).item("MenuSimulateDeuteranopia")->trigger();
        f.form.close();
        QVERIFY(f.dir.read("HuebirdLite.ini").contains("\r\nSimulation=Deuteranopia\r\n"));
    }

    void aTickAtRestShowsOnlyWhatChanged()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        fake->grabs.clear(); // read while the window was shown
        CaptureController& capture = f.capture();
        QSignalSpy sampled(&capture, &CaptureController::sampled);
        fake->pixel = [](int, int) { return qRgb(0x30, 0x20, 0x10); };
        fake->cursor = QPoint(5, 5);
        capture.tick();
        capture.tick(); // nothing moved, nothing changed
        QCOMPARE(sampled.count(), 1);
        QCOMPARE(fake->grabs.size(), size_t(2)); // still read, to see whether the screen changed

        // The list shows its colour in the swatch; the next tick shows the screen's again.
        Fill(f.form, {Rgb{0, 0, 0}, Rgb{239, 205, 171}});
        Parts(f.form).GridCapture->setCurrentRow(1);
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), (Rgb{239, 205, 171}));
        capture.tick();
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), (Rgb{48, 32, 16}));
        QCOMPARE(Parts(f.form).StatusBar->panelText(2), QStringLiteral("10.4:1 AAA")); // against the selection

        // New pixels under a still pointer are shown.
        fake->pixel = [](int, int) { return qRgb(0x60, 0x50, 0x40); };
        capture.tick();
        QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), (Rgb{96, 80, 64}));
        QCOMPARE(Parts(f.form).ImgZoom->canvas().pixel(10, 10), qRgb(0x60, 0x50, 0x40));
        QCOMPARE(sampled.count(), 2);
    }

    void overTheMagnifierNothingIsMagnified()
    {
        auto screen = std::make_unique<FakeScreen>();
        FakeScreen* fake = screen.get();
        ShownForm f(std::move(screen));
        QVERIFY(f.ok);
        fake->pixel = [](int, int) { return qRgb(0, 0, 0x80); };
        const QPoint frame = Parts(f.form).SHImageZoom->mapToGlobal(QPoint(0, 0));
        // Its corners (left and top inclusive, right and bottom exclusive).
        const struct {
            QPoint offset;
            bool inside;
        } cases[] = {{{0, 0}, true}, {{107, 107}, true}, {{108, 50}, false}, {{50, 108}, false},
                     {{-1, 0}, false}, {{0, -1}, false}, {{50, 50}, true}, {{0, -1}, false}};
        for (const auto& c : cases) {
            fake->grabs.clear();
            fake->cursor = frame + c.offset;
            f.capture().tick();
            QCOMPARE(fake->grabs.size(), size_t(1));
            QCOMPARE(fake->grabs[0].size(), c.inside ? QSize(1, 1) : QSize(39, 39));
            QCOMPARE(Parts(f.form).ShSelectedColor->brushColor(), (Rgb{0, 0, 128}));
            const QImage& canvas = Parts(f.form).ImgZoom->canvas();
            if (!c.inside) {
                // Also when the screen has not changed since the magnifier was blanked.
                QCOMPARE(canvas.pixel(10, 10), qRgb(0, 0, 0x80));
                continue;
            }
            QCOMPARE(fake->grabs[0].topLeft(), fake->cursor);
            const auto red = CrossPixels();
            for (int y = 0; y < 106; ++y)
                for (int x = 0; x < 106; ++x)
                    QCOMPARE(canvas.pixel(x, y), red.count({x, y}) ? qRgb(255, 0, 0) : qRgb(255, 255, 255));
        }
    }

    void aMillionColoursShowAtOnce()
    {
        ShownForm f;
        QVERIFY(f.ok);
        RgbList list(1'000'000);
        for (std::size_t i = 0; i < list.size(); ++i)
            list[i] = RgbFromStoredColor(i);
        CpuClock timer;
        timer.start();
        f.list().setColors(std::move(list)); // the grid refills at once
        const qint64 fill = timer.elapsed();
        Parts(f.form).GridCapture->scrollToBottom();
        Parts(f.form).GridCapture->viewport()->grab();
        const qint64 total = timer.elapsed();
        qInfo("a million colours: refill %lld ms, with scrolling to the end and painting %lld ms"
              " of processor time", fill, total);
        QCOMPARE(Parts(f.form).GridCapture->rowCount(), 1'000'000);
        QVERIFY(total < 1000);
    }
};

QTEST_MAIN(ListViewTest)
#include "listview_test.moc"
