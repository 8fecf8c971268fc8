#pragma once
// One call of a desktop portal method that answers later: the method returns
// a request object at once, and the result arrives as that object's Response
// signal. The signal is watched before the call is made, at the path the
// handle token fixes, so no answer is lost however fast it comes.
#include <QDBusConnection>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

inline constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";

class PortalRequest : public QObject {
    Q_OBJECT
public:
    // The portal's response codes; failures of the call itself come as Other
    // with the D-Bus error's text under "error" in the results.
    enum Response : uint { Accepted = 0, Cancelled = 1, Other = 2 };

    // Calls interface.method(arguments..., options) on the desktop portal;
    // options gain a fresh handle_token. The request deletes itself after
    // finished().
    static PortalRequest* Call(const QDBusConnection& bus, const QString& interface, const QString& method,
                               const QVariantList& arguments, QVariantMap options, QObject* parent);

    // A token the portal accepts as the last element of an object path.
    static QString NewToken();
    // The path of a portal object this connection creates under the token
    // (kind "request" or "session").
    static QString ObjectPath(const QDBusConnection& bus, const QString& kind, const QString& token);

signals:
    void finished(uint response, const QVariantMap& results);

private slots:
    void Respond(uint response, const QVariantMap& results);

private:
    PortalRequest(const QDBusConnection& bus, QObject* parent);
    bool Watch(const QString& path);
    void Unwatch();
    void Finish(uint response, const QVariantMap& results);

    QDBusConnection bus_;
    QString path_;
    bool done_ = false;
};

// A portal session: the receiver's slot (no arguments) hears when the desktop
// ends it; closing it stops listening.
void WatchPortalSession(const QDBusConnection& bus, const QString& session, QObject* receiver, const char* slot);
void ClosePortalSession(const QDBusConnection& bus, const QString& session, QObject* receiver = nullptr,
                        const char* slot = nullptr);

// A property of a portal interface ("version"); invalid when the bus or the
// portal does not answer. Waits: the call may start the portal service.
QVariant PortalProperty(const QDBusConnection& bus, const QString& interface, const QString& name);

// A value of the results that the portal may send as a string or an object
// path (session handles changed type between portal versions).
QString PortalPathValue(const QVariant& value);
