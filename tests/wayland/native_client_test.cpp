// The program as a native Wayland client on sway: it starts, shows its main
// window, and quits when the compositor closes that window.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "DesktopTestSupport.h"
#include "WaylandSession.h"

namespace {

// The window of the process in sway's tree; empty when it has none.
QJsonObject WindowOf(const QJsonObject& node, qint64 pid)
{
    if (node.value("pid").toInteger() == pid)
        return node;
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(children).toArray()) {
            const QJsonObject found = WindowOf(child.toObject(), pid);
            if (!found.isEmpty())
                return found;
        }
    return {};
}

} // namespace

class NativeClientTest : public QObject {
    Q_OBJECT
public:
    explicit NativeClientTest(WaylandSession& session) : session_(session) {}

private:
    QStringList SessionEnvironment() const
    {
        QStringList env;
        for (const QString& key : session_.variables().keys())
            env << key + "=" + session_.variables().value(key);
        return env;
    }

    WaylandSession& session_;

private slots:
    void startsAndQuitsOnWayland()
    {
        RunningApp app;
        QVERIFY(app.start(SessionEnvironment() << "QT_QPA_PLATFORM=wayland"));
        const qint64 pid = app.process().processId();

        QJsonObject window;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(window = WindowOf(QJsonDocument::fromJson(session_.swaymsg({"-t", "get_tree"})).object(), pid))
                 .isEmpty(),
            kPatientMs);
        QCOMPARE(window.value("shell").toString(), QString("xdg_shell"));
        QVERIFY2(window.value("name").toString().startsWith("Huebird v"), qPrintable(window.value("name").toString()));

        // What the close box does on Wayland: the compositor asks the window to close. A request
        // that reaches a window still being set up on a loaded machine can go unanswered, so ask
        // again as a user would click again.
        QVERIFY(WaitFor([&] {
            bool ok = false;
            session_.swaymsg({QString("[pid=%1] kill").arg(pid)}, &ok);
            return app.process().waitForFinished(2000);
        }));
        QCOMPARE(app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.process().exitCode(), 0);
        QVERIFY(app.readFile("HuebirdLite.ini").contains("Rns=1\r\n"));
    }

    // Left to choose, the program takes the session's X display (XWayland).
    void prefersAnXDisplayUnlessToldOtherwise()
    {
        PrivateXServer x;
        QVERIFY(!x.display().isEmpty());
        RunningApp app;
        QVERIFY(app.start(SessionEnvironment() << "QT_QPA_PLATFORM=" << "DISPLAY=" + x.display()));
        const QString pid = QString::number(app.process().processId());
        QVERIFY(WaitFor([&] {
            return !XDoOn(x.display(), {"search", "--onlyvisible", "--pid", pid, "--name", "^Huebird v"}).isEmpty();
        }));
        const QJsonObject tree = QJsonDocument::fromJson(session_.swaymsg({"-t", "get_tree"})).object();
        QVERIFY(WindowOf(tree, app.process().processId()).isEmpty());
    }
};

HB_WAYLAND_TEST_MAIN(NativeClientTest)
#include "native_client_test.moc"
