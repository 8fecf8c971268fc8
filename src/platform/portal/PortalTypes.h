#pragma once
// The structures portals send inside their results, for QtDBus.
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// A global shortcut: its identifier and properties (description, triggers).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

// A screen-cast stream: its PipeWire node and properties (position, size).
struct PortalStream {
    uint nodeId = 0;
    QVariantMap properties;
};

Q_DECLARE_METATYPE(PortalShortcut)
Q_DECLARE_METATYPE(PortalStream)

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);
QDBusArgument& operator<<(QDBusArgument& argument, const PortalStream& stream);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalStream& stream);

// Makes the types known to QtDBus; cheap to call again.
void RegisterPortalTypes();
