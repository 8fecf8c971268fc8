#pragma once
// The test portal backend (portal_backend.py) steered from a test, and the
// PipeWire test screen (cursor_producer) whose picture and pointer it shares.
#include <QDBusInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "DesktopTestSupport.h"

namespace portal_test {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

inline QDBusInterface& Backend()
{
    static QDBusInterface control("org.freedesktop.impl.portal.desktop.huebirdtest", "/org/huebird/PortalTest",
                                  "org.huebird.PortalTest");
    return control;
}

// What the backend was asked since the last call.
inline QJsonArray Events()
{
    const QDBusReply<QString> reply = Backend().call("Events");
    return QJsonDocument::fromJson(reply.value().toUtf8()).array();
}

inline QList<QJsonObject> EventsNamed(const QJsonArray& events, const QString& name)
{
    QList<QJsonObject> found;
    for (const QJsonValue& e : events)
        if (e.toObject().value("event").toString() == name)
            found.append(e.toObject());
    return found;
}

// Waits until the backend has been asked for name; those requests.
inline QList<QJsonObject> WaitForEvents(const QString& name)
{
    QJsonArray all;
    QElapsedTimer timer;
    timer.start();
    while (EventsNamed(all, name).isEmpty() && timer.elapsed() < kPatientMs) {
        for (const QJsonValue& e : Events())
            all.append(e);
        QTest::qWait(20);
    }
    return EventsNamed(all, name);
}

// The producer's picture.
inline QRgb Expected(int x, int y)
{
    return qRgb(x % 256, y % 256, (16 * (x / 256 + 4 * (y / 256)) + 7) & 0xFF);
}

class Producer {
public:
    bool Start()
    {
        process_.start(qEnvironmentVariable("HB_CURSOR_PRODUCER"), {QString::number(kWidth), QString::number(kHeight)});
        if (!process_.waitForStarted(kPatientMs))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!process_.canReadLine() && timer.elapsed() < kPatientMs)
            process_.waitForReadyRead(200);
        const QByteArray line = process_.readLine().trimmed();
        if (!line.startsWith("node "))
            return false;
        nodeId = line.mid(5).toUInt();
        return Backend().call("SetStream", nodeId, kWidth, kHeight).type() == QDBusMessage::ReplyMessage;
    }
    void Move(QPoint p) { process_.write(QByteArray::number(p.x()) + ' ' + QByteArray::number(p.y()) + '\n'); }
    ~Producer()
    {
        process_.write("quit\n");
        if (!process_.waitForFinished(3000))
            process_.kill();
    }
    uint nodeId = 0;

private:
    QProcess process_;
};

} // namespace portal_test
