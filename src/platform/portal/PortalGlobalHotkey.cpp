#include "platform/portal/PortalGlobalHotkey.h"

#include <QDBusMessage>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include "platform/GlobalHotkey.h"
#include "platform/KeySyms.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalTypes.h"

// Last: Xlib's macros (None, Bool, ...) clash with Qt's headers.
#include <X11/Xlib.h>

namespace {
const char* const kInterface = "org.freedesktop.portal.GlobalShortcuts";
} // namespace

QString PortalShortcutTrigger(QKeyCombination combination)
{
    const std::uint32_t keySym = KeySymOf(combination);
    // XKeysymToString only looks the name up in a table: no display needed.
    const char* key = keySym ? XKeysymToString(keySym) : nullptr;
    if (!key || !*key)
        return {};
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (modifiers & Qt::ControlModifier)
        text += QLatin1String("CTRL+");
    if (modifiers & Qt::AltModifier)
        text += QLatin1String("ALT+");
    if (modifiers & Qt::ShiftModifier)
        text += QLatin1String("SHIFT+");
    return text + QLatin1String(key);
}

PortalGlobalHotkey::PortalGlobalHotkey(const QDBusConnection& bus, QObject* parent) : IGlobalHotkey(parent), bus_(bus)
{
    RegisterPortalTypes();
    if (bus_.isConnected())
        bus_.connect(QLatin1String(kPortalService), QLatin1String(kPortalPath), QLatin1String(kInterface),
                     QStringLiteral("Activated"), this,
                     SLOT(Activate(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalGlobalHotkey::~PortalGlobalHotkey()
{
    CloseSession();
}

bool PortalGlobalHotkey::Available()
{
    if (available_ < 0)
        available_ = PortalProperty(bus_, QLatin1String(kInterface), QStringLiteral("version")).toUInt() >= 1;
    return available_ == 1;
}

bool PortalGlobalHotkey::Register(int id, QKeyCombination combination)
{
    const QString trigger = PortalShortcutTrigger(combination);
    if (trigger.isEmpty() || !Available())
        return false;
    bindings_[id] = {trigger, {}};
    ScheduleBind();
    return true;
}

void PortalGlobalHotkey::Unregister(int id)
{
    if (bindings_.remove(id) > 0)
        ScheduleBind();
}

void PortalGlobalHotkey::SetDescription(int id, const QString& text)
{
    descriptions_[id] = text;
}

QString PortalGlobalHotkey::TriggerDescription(int id) const
{
    return bindings_.value(id).triggerDescription;
}

QString PortalGlobalHotkey::ShortcutId(int id)
{
    return QStringLiteral("hotkey%1").arg(id);
}

void PortalGlobalHotkey::ScheduleBind()
{
    if (bindScheduled_)
        return;
    bindScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        bindScheduled_ = false;
        Bind();
    });
}

// A session binds its shortcuts once, so every change binds the whole set in
// a new session.
void PortalGlobalHotkey::Bind()
{
    const quint64 generation = ++generation_;
    CloseSession();
    if (bindings_.isEmpty())
        return;

    const QString token = PortalRequest::NewToken();
    auto* create = PortalRequest::Call(bus_, QLatin1String(kInterface), QStringLiteral("CreateSession"), {},
                                       {{QStringLiteral("session_handle_token"), token}}, this);
    const QString expected = PortalRequest::ObjectPath(bus_, QStringLiteral("session"), token);
    connect(create, &PortalRequest::finished, this,
            [this, generation, expected](uint response, const QVariantMap& results) {
                QString session = PortalPathValue(results.value(QStringLiteral("session_handle")));
                if (session.isEmpty())
                    session = expected;
                if (generation != generation_) {
                    if (response == PortalRequest::Accepted)
                        ClosePortalSession(bus_, session);
                    return;
                }
                if (response != PortalRequest::Accepted) {
                    RefuseAll();
                    return;
                }
                session_ = session;
                WatchPortalSession(bus_, session_, this, SLOT(SessionClosed()));
                BindInSession(generation, session);
            });
}

void PortalGlobalHotkey::BindInSession(quint64 generation, const QString& session)
{
    QList<PortalShortcut> shortcuts;
    for (auto it = bindings_.cbegin(); it != bindings_.cend(); ++it)
        shortcuts.append({ShortcutId(it.key()),
                          {{QStringLiteral("description"),
                            descriptions_.value(it.key(), QStringLiteral("Capture the colour under the pointer"))},
                           {QStringLiteral("preferred_trigger"), it->trigger}}});
    auto* bind = PortalRequest::Call(
        bus_, QLatin1String(kInterface), QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(shortcuts), QString()}, {}, this);
    connect(bind, &PortalRequest::finished, this, [this, generation](uint response, const QVariantMap& results) {
        if (generation != generation_)
            return;
        if (response != PortalRequest::Accepted) {
            RefuseAll();
            return;
        }
        // The desktop answers with the shortcuts it bound; one left out was refused.
        // (A desktop that does not answer with them has bound them all.)
        QList<int> refused;
        const QVariant answered = results.value(QStringLiteral("shortcuts"));
        if (answered.isValid()) {
            QMap<QString, QString> bound;
            for (const PortalShortcut& shortcut : qdbus_cast<QList<PortalShortcut>>(answered))
                bound.insert(shortcut.id, shortcut.properties.value(QStringLiteral("trigger_description")).toString());
            for (auto it = bindings_.begin(); it != bindings_.end(); ++it) {
                if (bound.contains(ShortcutId(it.key())))
                    it->triggerDescription = bound.value(ShortcutId(it.key()));
                else
                    refused.append(it.key());
            }
        }
        QPointer<PortalGlobalHotkey> self(this);
        for (int id : refused)
            if (self)
                emit RegistrationRefused(id);
        if (self)
            emit BindingSettled();
    });
}

void PortalGlobalHotkey::RefuseAll()
{
    const QList<int> ids = bindings_.keys();
    QPointer<PortalGlobalHotkey> self(this);
    for (int id : ids)
        if (self)
            emit RegistrationRefused(id);
    if (self)
        emit BindingSettled();
}

void PortalGlobalHotkey::CloseSession()
{
    ClosePortalSession(bus_, session_, this, SLOT(SessionClosed()));
    session_.clear();
}

// The desktop ended the session: its shortcuts no longer reach us.
void PortalGlobalHotkey::SessionClosed()
{
    CloseSession();
    ++generation_;
    RefuseAll();
}

void PortalGlobalHotkey::Activate(const QDBusObjectPath& session, const QString& shortcutId, qulonglong,
                                  const QVariantMap&)
{
    if (session_.isEmpty() || session.path() != session_)
        return;
    for (auto it = bindings_.cbegin(); it != bindings_.cend(); ++it) {
        if (ShortcutId(it.key()) == shortcutId) {
            emit HotKeyPressed(it.key());
            return;
        }
    }
}
