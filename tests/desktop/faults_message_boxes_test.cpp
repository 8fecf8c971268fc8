// Every kind of box the real program shows (information, warning, error, the
// overwrite question with either answer), answered with its real button
// through XTest: closing a box must neither end the program nor lose its list.
#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QtTest>

#include "DesktopTestSupport.h"

namespace {

constexpr int kBoxTimeoutMs = 30000;
const QColor kColours[] = {QColor(200, 60, 90), QColor(40, 160, 90), QColor(30, 60, 200)};

bool Near(QRgb a, const QColor& b)
{
    return std::abs(qRed(a) - b.red()) <= 2 && std::abs(qGreen(a) - b.green()) <= 2
           && std::abs(qBlue(a) - b.blue()) <= 2;
}

class BoxesProgram {
public:
    RunningApp app;
    QPoint client;

    bool Start()
    {
        if (!app.start())
            return false;
        // The settings' hotkey is refused at the start, before the main window shows.
        if (!Answer("Avertissement", "Return") || !app.waitForMainWindow())
            return false;
        client = app.clientPoint(0, 0);
        return true;
    }

    // The program's visible window of exactly that title; empty when there is none.
    QString VisibleWindowTitled(const QString& title)
    {
        return XDo({"search", "--all", "--onlyvisible", "--pid", QString::number(app.process().processId()),
                    "--name", "^" + QRegularExpression::escape(title) + "$"})
            .trimmed()
            .split('\n')
            .first();
    }

    // Every visible window of the program, by title: what stood in for an awaited one.
    QString VisibleTitles()
    {
        QStringList titles;
        const QString ids = XDo({"search", "--all", "--onlyvisible", "--pid", QString::number(app.process().processId()),
                                 "--name", "."});
        for (const QString& id : ids.split('\n', Qt::SkipEmptyParts))
            titles << "\"" + XDo({"getwindowname", id}).trimmed() + "\"";
        return titles.join(", ");
    }

    // Waits for the box, presses its button's key in it, waits until it has gone
    // and checks that the program runs on.
    bool Answer(const QString& title, const QString& key)
    {
        QString box;
        if (!WaitFor([&] { return !(box = VisibleWindowTitled(title)).isEmpty(); }, kBoxTimeoutMs)) {
            qWarning("no box \"%s\" appeared; shown: %s", qPrintable(title), qPrintable(VisibleTitles()));
            return false;
        }
        XDo({"windowfocus", "--sync", box});
        PressKeys(key);
        if (!WaitFor([&] { return VisibleWindowTitled(title).isEmpty(); }, kBoxTimeoutMs)) {
            qWarning("the box \"%s\" stayed open", qPrintable(title));
            return false;
        }
        return app.process().state() == QProcess::Running;
    }

    // A command of the menu bar, by its access keys ("alt+f", "s").
    void MenuCommand(const QString& menu, const QString& item)
    {
        XDo({"windowfocus", "--sync", app.windowId()});
        PressKeys(menu);
        PressKeys(item);
    }

    bool SaveAs(const QString& path)
    {
        MenuCommand("alt+f", "s");
        QString dialog;
        if (!WaitFor([&] { return !(dialog = VisibleWindowTitled("Save As")).isEmpty(); }, kBoxTimeoutMs)) {
            qWarning("no \"Save As\" dialog appeared; shown: %s", qPrintable(VisibleTitles()));
            return false;
        }
        XDo({"windowfocus", "--sync", dialog});
        PressKeys("ctrl+a");
        XDo({"type", "--delay", "20", path});
        PressKeys("Return");
        if (!WaitFor([&] { return VisibleWindowTitled("Save As").isEmpty(); }, kBoxTimeoutMs)) {
            qWarning("the \"Save As\" dialog stayed open");
            return false;
        }
        return true;
    }

    QRgb Swatch() const { return ScreenPixel(client.x() + 223, client.y() + 22); }
    QRgb Row(int r) const { return ScreenPixel(client.x() + 129, client.y() + 12 + 20 * r); }
};

} // namespace

class FaultsMessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void closingAnyBoxKeepsTheProgramAndItsList()
    {
        BoxesProgram program;
        program.app.writeFile("HuebirdLite.ini", "[General]\r\nLanguage=en\r\nRns=3\r\nShowNewVersion=False\r\n\r\n"
                                                 "[Interface]\r\nCBX_FormatCapture=0\r\n\r\n"
                                                 "[Preferences]\r\nHK_CAPTURE=A\r\n");
        program.app.writeFile("palettes/classic-84.txt", "not a palette\r\n12 34\r\n");
        program.app.writeFile("existing.txt", "kept\r\n");
        const QString existing = program.app.dir() + "existing.txt";
        QVERIFY(program.Start());

        program.MenuCommand("alt+f", "s");
        QVERIFY2(program.Answer("Information", "Return"), "nothing to save");

        // The refused hotkey gave way to Alt+C.
        for (int i = 0; i < 3; ++i) {
            const QColor colour = kColours[i];
            // Each in its own place: pointing at the same place again would be no move.
            ColourPatch patch(QRect(40 + 200 * i, 40, 150, 150), colour);
            QVERIFY(patch.WaitUntilShown());
            patch.PointAt();
            QVERIFY(WaitFor([&] { return Near(program.Swatch(), colour); }, 10000));
            PressKeys("alt+c");
            QVERIFY(WaitFor([&] { return Near(program.Row(0), colour); }, 10000));
        }

        const QPoint field = program.client + QPoint(223, 96);
        MovePointer(field.x(), field.y());
        XDo({"click", "1"});
        for (const char* key : {"Home", "shift+End", "1", "2", "Return"})
            PressKeys(key);
        QVERIFY2(program.Answer("Information", "Return"), "code that cannot be read");

        program.MenuCommand("alt+o", "p");
        QVERIFY2(program.Answer("Avertissement", "Return"), "file that is no palette");

        QVERIFY(program.SaveAs(program.app.dir() + "missing/list.txt"));
        QVERIFY2(program.Answer("Erreur", "Return"), "failed save");

        QVERIFY(program.SaveAs(existing));
        QVERIFY2(program.Answer("Confirmation", "Escape"), "overwrite refused");
        QCOMPARE(program.app.readFile("existing.txt"), QByteArray("kept\r\n"));

        QVERIFY(program.SaveAs(existing));
        QVERIFY2(program.Answer("Confirmation", "Return"), "overwrite accepted");
        QVERIFY(WaitFor([&] { return program.app.readFile("existing.txt").startsWith("[RGB,"); }, 10000));

        // The program still answers, with the whole list: its copy reaches the clipboard.
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        QVERIFY(WaitFor([&] { return clipboard->text() == "before"; }, 10000));
        program.MenuCommand("alt+e", "o");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), QStringLiteral("#1E3CC8\r\n#28A05A\r\n#C83C5A\r\n"), 15000);
        QVERIFY(program.app.readFile("existing.txt").contains("\t#1E3CC8\r\n"));

        QVERIFY(program.app.closeAndWait());
        QCOMPARE(program.app.process().exitCode(), 0);
        QVERIFY(program.app.readFile("HuebirdLite.ini").contains("\r\nHK_CAPTURE=Alt+C\r\n"));
    }
};

QTEST_MAIN(FaultsMessageBoxesTest)
#include "faults_message_boxes_test.moc"
