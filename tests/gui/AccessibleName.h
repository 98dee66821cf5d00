#pragma once

#include <QAccessible>
#include <QString>

// The name the accessibility layer gives an object, as a screen reader reads it.
inline QString AccessibleName(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}
