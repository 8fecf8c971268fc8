#include "platform/portal/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QRandomGenerator>

namespace {
const char* const kRequestInterface = "org.freedesktop.portal.Request";
const char* const kSessionInterface = "org.freedesktop.portal.Session";
constexpr int kPropertyTimeoutMs = 5000;
} // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {}

QString PortalRequest::NewToken()
{
    static quint32 counter = 0;
    return QStringLiteral("huebird%1_%2").arg(++counter).arg(QRandomGenerator::global()->generate());
}

QString PortalRequest::ObjectPath(const QDBusConnection& bus, const QString& kind, const QString& token)
{
    // ":1.42" becomes "1_42".
    QString sender = bus.baseService();
    sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2/%3/%4").arg(QLatin1String(kPortalPath), kind, sender, token);
}

PortalRequest* PortalRequest::Call(const QDBusConnection& bus, const QString& interface, const QString& method,
                                   const QVariantList& arguments, QVariantMap options, QObject* parent)
{
    auto* request = new PortalRequest(bus, parent);
    const QString token = NewToken();
    options.insert(QStringLiteral("handle_token"), token);
    request->Watch(ObjectPath(bus, QStringLiteral("request"), token));

    QDBusMessage message = QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                                          interface, method);
    message.setArguments(QVariantList(arguments) << options);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, -1), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, [request](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isError()) {
            request->Finish(Other, {{QStringLiteral("error"), reply.error().message()}});
            return;
        }
        // Portals older than the handle_token convention answer at a path of their own.
        const QString path = reply.value().path();
        if (!request->done_ && path != request->path_) {
            request->Unwatch();
            request->Watch(path);
        }
    });
    return request;
}

bool PortalRequest::Watch(const QString& path)
{
    path_ = path;
    // Any sender: the path is ours alone, and the portal's unique name may not be known yet.
    return bus_.connect(QString(), path_, QLatin1String(kRequestInterface), QStringLiteral("Response"), this,
                        SLOT(Respond(uint, QVariantMap)));
}

void PortalRequest::Unwatch()
{
    bus_.disconnect(QString(), path_, QLatin1String(kRequestInterface), QStringLiteral("Response"), this,
                    SLOT(Respond(uint, QVariantMap)));
}

void PortalRequest::Respond(uint response, const QVariantMap& results)
{
    Finish(response, results);
}

void PortalRequest::Finish(uint response, const QVariantMap& results)
{
    if (done_)
        return;
    done_ = true;
    Unwatch();
    emit finished(response, results);
    deleteLater();
}

QString PortalPathValue(const QVariant& value)
{
    if (value.canConvert<QDBusObjectPath>() && value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

QVariant PortalProperty(const QDBusConnection& bus, const QString& interface, const QString& name)
{
    if (!bus.isConnected())
        return {};
    QDBusMessage get = QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = bus.call(get, QDBus::Block, kPropertyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

void WatchPortalSession(const QDBusConnection& bus, const QString& session, QObject* receiver, const char* slot)
{
    QDBusConnection(bus).connect(QLatin1String(kPortalService), session, QLatin1String(kSessionInterface),
                                 QStringLiteral("Closed"), receiver, slot);
}

void ClosePortalSession(const QDBusConnection& bus, const QString& session, QObject* receiver, const char* slot)
{
    if (session.isEmpty())
        return;
    if (receiver)
        QDBusConnection(bus).disconnect(QLatin1String(kPortalService), session, QLatin1String(kSessionInterface),
                                        QStringLiteral("Closed"), receiver, slot);
    QDBusMessage close = QDBusMessage::createMethodCall(QLatin1String(kPortalService), session,
                                                        QLatin1String(kSessionInterface), QStringLiteral("Close"));
    bus.call(close, QDBus::NoBlock);
}
