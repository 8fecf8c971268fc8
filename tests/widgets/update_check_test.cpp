// The new-version check against a real HTTP server on the loopback address,
// and the new-version dialog.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "MainWindowParts.h"
#include "WidgetTestSupport.h"
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "http/HttpClient.h"
#include "config/SettingsStore.h"
#include "config/Translations.h"
#include "update/NewVersionDialog.h"
#include "update/UpdateChecker.h"

namespace {

const QByteArray kServicePath = "/update/huebird-check.php";

// Answers HEAD and GET on 127.0.0.1 and records every request line.
class TinyHttpServer : public QObject {
public:
    struct Request {
        QByteArray method;
        QByteArray target;
    };
    int HeadStatus = 200;
    int GetStatus = 200;
    QByteArray Body;
    bool Silent = false; // reads requests and never answers
    int GetDelayMs = 0;  // the GET's reply waits this long
    std::function<void(const QByteArray& method)> OnRequest;
    std::vector<Request> Requests;

    TinyHttpServer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
        });
    }
    void Close() { server_.close(); }
    std::string Address() const
    {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + kServicePath.toStdString();
    }
private:
    void Serve(QTcpSocket* socket)
    {
        QByteArray& pending = pending_[socket];
        pending += socket->readAll();
        for (qsizetype end; (end = pending.indexOf("\r\n\r\n")) >= 0;) {
            const QByteArray head = pending.left(end);
            pending.remove(0, end + 4);
            const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
            const Request request{words.value(0), words.value(1)};
            Requests.push_back(request);
            if (OnRequest)
                OnRequest(request.method);
            if (Silent)
                continue;
            const bool isHead = request.method == "HEAD";
            QByteArray reply = "HTTP/1.1 " + QByteArray::number(isHead ? HeadStatus : GetStatus)
                               + " Reply\r\nContent-Type: text/html\r\nContent-Length: "
                               + QByteArray::number(Body.size()) + "\r\n\r\n";
            if (!isHead)
                reply += Body;
            if (!isHead && GetDelayMs > 0)
                QTimer::singleShot(GetDelayMs, socket, [socket, reply] { socket->write(reply); });
            else
                socket->write(reply);
        }
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

QCheckBox* DontShowAgain(QDialog& dialog) { return dialog.findChild<QCheckBox*>("DontShowAgain"); }
QPushButton* Button(QDialog& dialog, const char* name) { return dialog.findChild<QPushButton*>(name); }
QLabel* Label(QDialog& dialog, const char* name) { return dialog.findChild<QLabel*>(name); }

// Closes the modal new-version dialog whenever it shows, counting the showings.
class DialogCloser {
public:
    explicit DialogCloser(bool checkTheBox = false)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, checkTheBox] {
            auto* dialog = qobject_cast<NewVersionDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            ++Shown;
            DontShowAgain(*dialog)->setChecked(checkTheBox);
            Button(*dialog, "ButtonNo")->click();
        });
        timer_.start(10);
    }
    int Shown = 0;

private:
    QTimer timer_;
};

QByteArray IniText(bool showNewVersion)
{
    return QByteArray("[General]\r\nLanguage=en\r\nRns=0\r\nShowNewVersion=")
           + (showNewVersion ? "True" : "False") + "\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n";
}

// The main window as the program starts it, aimed at a test server, with a
// fast update timer.
struct RunningForm {
    TestAppDir dir;
    RecordingPrompts messages;
    std::unique_ptr<MainWindow> form;

    RunningForm(const std::string& address, bool showNewVersion, int updateIntervalMs = 50,
                HttpSettings http = HttpSettings())
    {
        dir.write("HuebirdLite.ini", IniText(showNewVersion));
        // The program's own modal loop, as a user meets the dialog.
        messages.execDialogs = true;
        form = std::make_unique<MainWindow>(
            MainWindowServices{.prompts = messages, .paths = dir.paths(), .updateAddress = address, .updateHttp = http});
        checker().setDelay(updateIntervalMs);
        form->show();
    }
    UpdateChecker& checker() const { return *form->findChild<UpdateChecker*>(); }
};

} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    void oneCheckPerRun_data()
    {
        QTest::addColumn<int>("headStatus");
        QTest::addColumn<int>("getStatus");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("gets");
        QTest::addColumn<int>("shown");
        const QByteArray old = "<ver>OldVersion</ver>";
        QTest::newRow("old version") << 200 << 200 << old << 1 << 1;
        QTest::newRow("in a page") << 200 << 200 << QByteArray("<p>\n" + old + "\n</p>") << 1 << 1;
        QTest::newRow("no opening tag") << 200 << 200 << QByteArray("abcdOldVersion</ver>") << 1 << 1;
        QTest::newRow("version number") << 200 << 200 << QByteArray("<ver>2.0.2.1</ver>") << 1 << 0;
        QTest::newRow("other case") << 200 << 200 << QByteArray("<ver>oldversion</ver>") << 1 << 0;
        QTest::newRow("no closing tag") << 200 << 200 << QByteArray("<ver>OldVersion") << 1 << 0;
        QTest::newRow("HEAD 404") << 404 << 200 << old << 0 << 0;
        QTest::newRow("HEAD 204") << 204 << 200 << old << 0 << 0;
        QTest::newRow("GET 503") << 200 << 503 << old << 1 << 0;
    }
    void oneCheckPerRun()
    {
        QFETCH(int, headStatus);
        QFETCH(int, getStatus);
        QFETCH(QByteArray, body);
        QFETCH(int, gets);
        QFETCH(int, shown);
        TinyHttpServer server;
        server.HeadStatus = headStatus;
        server.GetStatus = getStatus;
        server.Body = body;
        DialogCloser closer;
        RunningForm run(server.Address(), true);

        QTRY_COMPARE_WITH_TIMEOUT(server.Requests.size(), std::size_t(1 + gets), 10000);
        QTRY_COMPARE(closer.Shown, shown);
        // Never again that run: the timer stays off and nothing more is asked.
        QTest::qWait(400);
        QVERIFY(!run.checker().isScheduled());
        QCOMPARE(closer.Shown, shown);
        QCOMPARE(server.Requests.size(), std::size_t(1 + gets));
        QCOMPARE(server.Requests[0].method + ' ' + server.Requests[0].target, "HEAD " + kServicePath);
        if (gets)
            QCOMPARE(server.Requests[1].method + ' ' + server.Requests[1].target, "GET " + kServicePath + "?A=2021");
        QVERIFY(run.messages.messages.empty());
    }

    void unreachableServiceEndsSilentlyWhileTheWindowTicks_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("minWaitMs");
        QTest::newRow("no server") << false << 0;
        QTest::newRow("never answers") << true << 650;
    }
    void unreachableServiceEndsSilentlyWhileTheWindowTicks()
    {
        QFETCH(bool, listening);
        QFETCH(int, minWaitMs);
        TinyHttpServer server;
        server.Silent = true;
        const std::string address = server.Address();
        if (!listening)
            server.Close(); // the port now refuses connections
        DialogCloser closer;
        RunningForm run(address, true, 300000, {.TimeoutMs = 700});
        QSignalSpy ticks(&Parts(*run.form).capture().timer(), &QTimer::timeout);
        bool secondCheckReturned = false;
        QTimer::singleShot(minWaitMs / 3, run.form.get(), [&] {
            run.checker().check(); // must not start a second check
            secondCheckReturned = true;
        });

        QElapsedTimer clock;
        clock.start();
        run.checker().check();
        const qint64 waited = clock.elapsed();

        QVERIFY2(waited >= minWaitMs && waited < 5000, QByteArray::number(waited));
        QVERIFY2(ticks.count() >= minWaitMs / 100, QByteArray::number(ticks.count()));
        QCOMPARE(server.Requests.size(), std::size_t(listening ? 1 : 0));
        QTRY_VERIFY(secondCheckReturned);
        QCOMPARE(server.Requests.size(), std::size_t(listening ? 1 : 0));
        QCOMPARE(closer.Shown, 0);
        QVERIFY(!run.checker().isScheduled());
        QVERIFY(run.messages.messages.empty());
    }

    void switchedOffSendsNothing()
    {
        TinyHttpServer server;
        server.Body = "<ver>OldVersion</ver>";
        DialogCloser closer;
        RunningForm run(server.Address(), false);
        QTest::qWait(500);
        QVERIFY(!run.checker().isScheduled());
        QVERIFY(server.Requests.empty());
        QCOMPARE(closer.Shown, 0);
    }

    void dialogLayoutAndTexts()
    {
        RecordingPrompts prompts;
        Settings settings;
        Translations translations("", '.');
        NewVersionDialog dialog(prompts, settings, translations);
        QLabel* const line1 = Label(dialog, "Line1");
        QLabel* const line2 = Label(dialog, "Line2");
        QLabel* const line3 = Label(dialog, "Line3");
        QPushButton* const yes = Button(dialog, "ButtonYes");
        QPushButton* const no = Button(dialog, "ButtonNo");
        QCheckBox* const box = DontShowAgain(dialog);
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        const QList<QPair<QWidget*, QRect>> expected = {
            {Label(dialog, "Icon"), QRect(11, 16, 32, 32)},
            {line1, QRect(51, 8, 235, 13)},
            {line2, QRect(51, 24, 235, 13)},
            {line3, QRect(51, 40, 235, 13)},
            {yes, QRect(65, 64, 90, 33)},
            {no, QRect(157, 64, 75, 33)},
            {box, QRect(7, 112, 225, 17)},
        };
        for (const auto& [widget, rect] : expected)
            QCOMPARE(widget->geometry(), rect);
        QVERIFY(line2->font().italic());
        QVERIFY(!line1->font().italic());
        QCOMPARE(line1->alignment(), Qt::AlignCenter);
        QCOMPARE(yes->nextInFocusChain(), no);
        QCOMPARE(no->nextInFocusChain(), box);

        const QList<QPair<QByteArray, std::function<QString()>>> shownTexts = {
            {"SNewVersionCaption", [&] { return dialog.windowTitle(); }},
            {"SNewVersion1", [&] { return line1->text(); }},
            {"SNewVersion2", [&] { return line2->text(); }},
            {"SNewVersion3", [&] { return line3->text(); }},
            {"CB_DontShowThisMessage", [&] { return box->text(); }},
            {"SYes", [&] { return yes->text(); }},
            {"SNo", [&] { return no->text(); }},
        };
        TestAppDir dir;
        QByteArray file;
        for (int i = 0; i < shownTexts.size(); ++i)
            file += shownTexts[i].first + "=T\xC3\xA9xt " + QByteArray::number(i) + "\n";
        dir.write("lang_xx.txt", file);
        QVERIFY(translations.load(dir.file("lang_xx.txt")));
        dialog.show();
        for (int i = 0; i < shownTexts.size(); ++i)
            QCOMPARE(shownTexts[i].second(), QString::fromUtf8("Téxt ") + QString::number(i));
    }

    void everyWayOfClosingAppliesTheCheckBox_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("showBefore");
        QTest::addColumn<bool>("check");
        for (const char* way : {"yes", "no", "title bar", "escape"}) {
            QTest::addRow("%s, box checked", way) << QString(way) << true << true;
            QTest::addRow("%s, box left alone", way) << QString(way) << true << false;
            QTest::addRow("%s, box unchecked", way) << QString(way) << false << false;
        }
    }
    void everyWayOfClosingAppliesTheCheckBox()
    {
        QFETCH(QString, way);
        QFETCH(bool, showBefore);
        QFETCH(bool, check);
        Settings settings;
        settings.showNewVersion = showBefore;
        RecordingPrompts prompts;
        Translations translations("", '.');
        NewVersionDialog dialog(prompts, settings, translations);
        dialog.show();
        QCOMPARE(DontShowAgain(dialog)->isChecked(), !showBefore);
        if (check || !showBefore)
            DontShowAgain(dialog)->setChecked(check);

        if (way == "yes")
            QTest::mouseClick(Button(dialog, "ButtonYes"), Qt::LeftButton);
        else if (way == "no")
            QTest::mouseClick(Button(dialog, "ButtonNo"), Qt::LeftButton);
        else if (way == "title bar")
            dialog.close();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);

        QVERIFY(!dialog.isVisible());
        QCOMPARE(settings.showNewVersion, !check);
    }

    void yesOpensTheDownloadPageOfTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("french");
        QTest::newRow("fr") << "fr" << true;
        QTest::newRow("FR") << "FR" << false;
        QTest::newRow("en") << "en" << false;
        QTest::newRow("de") << "de" << false;
        QTest::newRow("none") << "" << false;
        QTest::newRow("fr-CA") << "fr-CA" << false;
    }
    void yesOpensTheDownloadPageOfTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(bool, french);
        Settings settings;
        settings.showNewVersion = true;
        RecordingPrompts prompts;
        Translations translations("", '.');
        TestAppDir dir;
        dir.write("lang.txt", "FLanguage=" + language.toUtf8() + "\n");
        QVERIFY(translations.load(dir.file("lang.txt")));
        QCOMPARE(QString::fromStdString(translations.languageCode()), language);
        NewVersionDialog dialog(prompts, settings, translations);
        dialog.show();
        QTest::mouseClick(Button(dialog, "ButtonYes"), Qt::LeftButton);
        QCOMPARE(prompts.opened.size(), 1);
        QCOMPARE(prompts.opened[0], QUrl(french ? "http://huebird.example.com/FR/download-fr.php"
                                                : "http://huebird.example.com/EN/download-en.php"));
        QVERIFY(!dialog.isVisible());
        QVERIFY(settings.showNewVersion);
    }

    // The window closes while the service is slow to answer: no dialog comes
    // after it, and nothing asks the service again.
    void noDialogAndNoSecondCheckAfterTheWindowClosed()
    {
        TinyHttpServer server;
        server.Body = "<ver>OldVersion</ver>";
        server.GetDelayMs = 600;
        DialogCloser closer;
        RunningForm run(server.Address(), true);
        bool closed = false;
        server.OnRequest = [&](const QByteArray& method) {
            if (method == "GET")
                QTimer::singleShot(100, run.form.get(), [&] {
                    run.form->close();
                    closed = true;
                });
        };
        QTRY_VERIFY_WITH_TIMEOUT(closed, 10000);
        QTest::qWait(1000);
        QCOMPARE(closer.Shown, 0);
        QVERIFY(!run.checker().isScheduled());
        QCOMPARE(server.Requests.size(), std::size_t(2));
    }

    // Last: closing the main window ends the application's event loops.
    void checkedBoxIsWrittenAtExit()
    {
        TinyHttpServer server;
        server.Body = "<ver>OldVersion</ver>";
        DialogCloser closer(true);
        RunningForm run(server.Address(), true);
        QTRY_COMPARE_WITH_TIMEOUT(closer.Shown, 1, 10000);
        run.form->close();
        const QByteArray written = run.dir.read("HuebirdLite.ini");
        QVERIFY2(written.contains("\r\nShowNewVersion=False\r\n"), written.constData());
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
