#include "platform/portal/PortalScreenCast.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QUuid>
#include <fcntl.h>

#include "platform/portal/PipeWireCursorStream.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalTypes.h"

namespace {

const char* const kInterface = "org.freedesktop.portal.ScreenCast";
constexpr uint kSourceMonitor = 1;
constexpr uint kCursorMetadata = 4;
constexpr uint kPersistUntilRevoked = 2;

QPoint PairValue(const QVariant& value)
{
    if (!value.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument argument = value.value<QDBusArgument>();
    int x = 0, y = 0;
    argument.beginStructure();
    argument >> x >> y;
    argument.endStructure();
    return {x, y};
}

QString ReasonOf(uint response, const QVariantMap& results, const char* step)
{
    if (response == PortalRequest::Cancelled)
        return QStringLiteral("the screen was not shared");
    const QString error = results.value(QStringLiteral("error")).toString();
    return QStringLiteral("the screen-cast portal refused %1%2").arg(QLatin1String(step),
                                                                      error.isEmpty() ? QString() : ": " + error);
}

} // namespace

PortalScreenCast::PortalScreenCast(const QDBusConnection& bus, QObject* parent)
    : ScreenCast(parent), bus_(bus), stream_(new PipeWireCursorStream(this))
{
    RegisterPortalTypes();
    connect(stream_, &PipeWireCursorStream::frameReady, this, &PortalScreenCast::frameReady);
    connect(stream_, &PipeWireCursorStream::failed, this, [this](const QString& reason) {
        Stop();
        emit failed(reason);
    });
}

PortalScreenCast::~PortalScreenCast()
{
    stream_->Close();
    CloseSession();
}

bool PortalScreenCast::Available()
{
    if (available_ < 0)
        available_ = (PortalProperty(bus_, QLatin1String(kInterface), QStringLiteral("AvailableCursorModes")).toUInt()
                      & kCursorMetadata) != 0;
    return available_ == 1;
}

void PortalScreenCast::Start(const QString& restoreToken)
{
    Stop();
    const quint64 generation = generation_;
    if (!Available()) {
        Fail(generation, QStringLiteral("the desktop offers no screen cast with the pointer's position"));
        return;
    }
    const QString token = PortalRequest::NewToken();
    const QString expected = PortalRequest::ObjectPath(bus_, QStringLiteral("session"), token);
    auto* create = PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("CreateSession"), {},
                                       {{QStringLiteral("session_handle_token"), token}}, this);
    connect(create, &PortalRequest::finished, this,
            [this, generation, expected, restoreToken](uint response, const QVariantMap& results) {
                if (generation != generation_)
                    return;
                if (response != PortalRequest::Accepted) {
                    Fail(generation, ReasonOf(response, results, "a session"));
                    return;
                }
                session_ = PortalPathValue(results.value(QStringLiteral("session_handle")));
                if (session_.isEmpty())
                    session_ = expected;
                WatchPortalSession(bus_, session_, this, SLOT(SessionClosed()));
                SelectSources(generation, restoreToken);
            });
}

void PortalScreenCast::SelectSources(quint64 generation, const QString& restoreToken)
{
    QVariantMap options{{QStringLiteral("types"), kSourceMonitor},
                        {QStringLiteral("multiple"), false},
                        {QStringLiteral("cursor_mode"), kCursorMetadata},
                        {QStringLiteral("persist_mode"), kPersistUntilRevoked}};
    // The portal rejects the whole call for a token that is not a UUID.
    if (!QUuid::fromString(restoreToken).isNull())
        options.insert(QStringLiteral("restore_token"), restoreToken);
    auto* select = PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("SelectSources"),
                                       {QVariant::fromValue(QDBusObjectPath(session_))}, options, this);
    connect(select, &PortalRequest::finished, this, [this, generation](uint response, const QVariantMap& results) {
        if (generation != generation_)
            return;
        if (response != PortalRequest::Accepted) {
            Fail(generation, ReasonOf(response, results, "the screen"));
            return;
        }
        StartSession(generation);
    });
}

void PortalScreenCast::StartSession(quint64 generation)
{
    auto* start = PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("Start"),
                                      {QVariant::fromValue(QDBusObjectPath(session_)), QString()}, {}, this);
    connect(start, &PortalRequest::finished, this, [this, generation](uint response, const QVariantMap& results) {
        if (generation != generation_)
            return;
        const QList<PortalStream> streams =
            qdbus_cast<QList<PortalStream>>(results.value(QStringLiteral("streams")));
        if (response != PortalRequest::Accepted || streams.isEmpty()) {
            Fail(generation, ReasonOf(response, results, "to start"));
            return;
        }
        const PortalStream& stream = streams.first();
        const QPoint size = PairValue(stream.properties.value(QStringLiteral("size")));
        geometry_ = QRect(PairValue(stream.properties.value(QStringLiteral("position"))), QSize(size.x(), size.y()));
        OpenRemote(generation, stream.nodeId, results.value(QStringLiteral("restore_token")).toString());
    });
}

void PortalScreenCast::OpenRemote(quint64 generation, uint nodeId, const QString& restoreToken)
{
    QDBusMessage open = QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                                       QLatin1String(kInterface), QStringLiteral("OpenPipeWireRemote"));
    open << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(open), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation, nodeId, restoreToken](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (generation != generation_)
                    return;
                QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
                if (reply.isError() || !reply.value().isValid()) {
                    Fail(generation, QStringLiteral("the portal gave no PipeWire connection: %1")
                                         .arg(reply.error().message()));
                    return;
                }
                // The reply keeps its descriptor; the stream takes a copy of its own.
                const int fd = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
                QString error;
                if (fd < 0 || !stream_->Open(fd, nodeId, &error)) {
                    Fail(generation, error.isEmpty() ? QStringLiteral("no PipeWire connection") : error);
                    return;
                }
                emit started(restoreToken);
            });
}

void PortalScreenCast::Fail(quint64 generation, const QString& reason)
{
    if (generation != generation_)
        return;
    Stop();
    emit failed(reason);
}

void PortalScreenCast::Stop()
{
    ++generation_;
    stream_->Close();
    CloseSession();
    geometry_ = QRect();
}

void PortalScreenCast::CloseSession()
{
    ClosePortalSession(bus_, session_, this, SLOT(SessionClosed()));
    session_.clear();
}

// The desktop (or the user, through it) stopped the sharing.
void PortalScreenCast::SessionClosed()
{
    Fail(generation_, QStringLiteral("the desktop stopped sharing the screen"));
}
