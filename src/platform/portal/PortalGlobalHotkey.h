#pragma once
// System-wide hotkeys through the desktop's GlobalShortcuts portal (KDE Plasma,
// GNOME 48 and later, Hyprland): the combinations are bound in a portal
// session, and a press arrives as the portal's Activated signal whichever
// application has the focus. The desktop may let the user change a
// combination, or refuse it.
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QMap>
#include <QVariantMap>

#include "platform/GlobalHotkey.h"

// The portal's text of a combination: modifiers CTRL, ALT, SHIFT and the key's
// keysym name, joined by "+" ("ALT+c", "CTRL+SHIFT+F5"). Empty when the key has
// no name.
QString PortalShortcutTrigger(QKeyCombination combination);

class PortalGlobalHotkey : public IGlobalHotkey {
    Q_OBJECT
public:
    explicit PortalGlobalHotkey(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);
    ~PortalGlobalHotkey() override;

    // Whether the session bus offers the portal; asked once (it may start the
    // portal service, so it can take a moment).
    bool Available();

    // True when the request has gone to the portal; its answer comes later:
    // RegistrationRefused for each refused identifier, then BindingSettled.
    // Registrations made in one turn of the event loop are bound together.
    bool Register(int id, QKeyCombination combination) override;
    void Unregister(int id) override;

    // What the desktop shows beside the combination.
    void SetDescription(int id, const QString& text);
    // How the desktop says the bound combination is pressed ("Alt+C"); empty
    // until bound, or when the desktop does not say.
    QString TriggerDescription(int id) const;

signals:
    // The portal has answered for every registration.
    void BindingSettled();

private slots:
    void SessionClosed();
    void Activate(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                  const QVariantMap& options);

private:
    struct Binding {
        QString trigger;
        QString triggerDescription;
    };

    void ScheduleBind();
    void Bind();
    void BindInSession(quint64 generation, const QString& session);
    void CloseSession();
    void RefuseAll();
    static QString ShortcutId(int id);

    QDBusConnection bus_;
    int available_ = -1; // not asked yet
    QMap<int, Binding> bindings_;
    QMap<int, QString> descriptions_;
    QString session_;
    // Each binding round replaces the session; answers of an older round are ignored.
    quint64 generation_ = 0;
    bool bindScheduled_ = false;
};
