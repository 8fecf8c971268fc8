// The clipboard's owner is another program, and it fails the paste: it exits
// (killed) after taking the clipboard, or hangs without ever answering. The
// paste must give up, the program must stay usable, and the next paste from a
// sound owner must work.
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DesktopTestSupport.h"

namespace {

// This program again, as another X client that takes the clipboard and waits.
class ClipboardOwner {
public:
    explicit ClipboardOwner(const QString& text)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(), {"--own-clipboard", text});
    }
    ~ClipboardOwner()
    {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(pid_t(process_.processId()), SIGKILL);
            process_.waitForFinished(5000);
        }
    }
    bool waitUntilOwned() { return process_.waitForReadyRead(15000) && process_.readLine().startsWith("owned"); }
    void vanish()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }
    void freeze() { ::kill(pid_t(process_.processId()), SIGSTOP); }

private:
    QProcess process_;
};

int OwnClipboard(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::clipboard()->setText(QString::fromLocal8Bit(argv[2]));
    QCoreApplication::processEvents();
    std::printf("owned\n");
    std::fflush(stdout);
    return QGuiApplication::exec();
}

// Offers text, and ends the moment it is asked for it: the owner dies mid-transfer.
class TextOfAnOwnerThatDies : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }

protected:
    QVariant retrieveData(const QString&, QMetaType) const override { std::_Exit(0); }
};

int OwnClipboardAndDieWhenAsked(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::clipboard()->setMimeData(new TextOfAnOwnerThatDies);
    QCoreApplication::processEvents();
    std::printf("owned\n");
    std::fflush(stdout);
    return QGuiApplication::exec();
}

} // namespace

class FaultsClipboardTest : public QObject {
    Q_OBJECT

private:
    static QPoint ClientPoint(const RunningApp& app, int x, int y)
    {
        const QRect w = app.windowRect();
        return {w.x() + x, w.y() + w.height() - 131 + y};
    }

    // Pastes into the code field with the Edit menu's key and presses Enter.
    static void PasteIntoTheCodeField(const RunningApp& app)
    {
        const QPoint field = ClientPoint(app, 223, 96);
        MovePointer(field.x(), field.y());
        XDo({"click", "1"});
        QTest::qWait(200);
        PressKeys("ctrl+alt+v");
        PressKeys("Return");
    }

    static QString CopiedList(const RunningApp& app)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        WaitFor([&] { return clipboard->text() == "before"; }, 5000);
        const QPoint free = ClientPoint(app, 114, 50);
        MovePointer(free.x(), free.y());
        XDo({"click", "3"});
        QTest::qWait(400);
        PressKeys("Down");
        PressKeys("Return");
        WaitFor([&] { return clipboard->text() != "before"; }, 8000);
        return clipboard->text();
    }

    void pasteThenASoundPaste(bool frozen)
    {
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        // One colour in the list, so that copying it always has something to copy.
        PressKeys("alt+c");
        QTest::qWait(300);
        {
            ClipboardOwner owner("#FF0000");
            QVERIFY(owner.waitUntilOwned());
            QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#FF0000"));
            if (frozen)
                owner.freeze();
            else
                owner.vanish();
            // The program answers the next command only when the paste has
            // given up: the time until its copy of the list arrives.
            QElapsedTimer clock;
            clock.start();
            PasteIntoTheCodeField(app);
            const QString list = CopiedList(app);
            qInfo("the paste from a %s owner held the program %lld ms", frozen ? "frozen" : "vanished",
                  clock.elapsed());
            QVERIFY2(list != "before" && !list.isEmpty(), "the program hung on the clipboard");
            QVERIFY(!list.contains("#FF0000"));
        }
        QVERIFY(app.process().state() == QProcess::Running);

        // The next paste comes from this test, which answers.
        QGuiApplication::clipboard()->setText("#00FF7F");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#00FF7F"));
        PasteIntoTheCodeField(app);
        QTest::qWait(300);
        const QString list = CopiedList(app);
        QVERIFY2(list.startsWith("#00FF7F\r\n"), qPrintable(list));
        QVERIFY(!list.contains("#FF0000"));

        QVERIFY(app.closeAndWait());
        QCOMPARE(app.process().exitCode(), 0);
        QVERIFY(app.readFile("HuebirdLite.ini").contains("Rns=1\r\n"));
    }

private slots:
    void ownerThatVanishedBeforeThePaste() { pasteThenASoundPaste(false); }
    void ownerThatNeverAnswers() { pasteThenASoundPaste(true); }

    void ownerThatDiesMidTransferLeavesTheCodeFieldAsItWas()
    {
        RunningApp app;
        QVERIFY(app.start());
        QVERIFY(app.waitForMainWindow());
        PressKeys("alt+c"); // the colour's code fills the field
        const QPoint field = ClientPoint(app, 223, 96);
        MovePointer(field.x(), field.y());
        XDo({"click", "1"});
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        QVERIFY(WaitFor([&] { return clipboard->text() == "before"; }, 5000));
        PressKeys("ctrl+c");
        QVERIFY(WaitFor([&] { return clipboard->text() != "before"; }, 20000));
        const QString code = clipboard->text();
        QVERIFY2(code.startsWith('#'), qPrintable(code));

        QProcess owner;
        owner.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        owner.start(QCoreApplication::applicationFilePath(), {"--own-clipboard-and-die"});
        QVERIFY(owner.waitForReadyRead(15000) && owner.readLine().startsWith("owned"));
        PressKeys("ctrl+alt+v");
        QVERIFY(owner.waitForFinished(20000));
        // Nobody owns the clipboard now: only the field's own copy can fill it.
        PressKeys("ctrl+c");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), code, 20000);
        QVERIFY(app.closeAndWait());
    }
};

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--own-clipboard") == 0)
        return OwnClipboard(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--own-clipboard-and-die") == 0)
        return OwnClipboardAndDieWhenAsked(argc, argv);
    QGuiApplication app(argc, argv);
    FaultsClipboardTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "faults_clipboard_test.moc"
