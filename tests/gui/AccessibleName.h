#pragma once

#include <QAccessible>
#include <QString>

// The name the accessibility layer gives an object, as a screen reader reads it.
inline QString AccessibleName(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// What it says of the object beyond its name: a lamp's "on" or "off", the
// value a display shows.
inline QString AccessibleDescription(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Description) : QString();
}
