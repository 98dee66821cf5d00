#include "AccessibleState.h"

#include <QString>
#include <QWidget>

void SetLampState(QWidget& lamp, bool lit)
{
    lamp.setAccessibleDescription(lit ? QStringLiteral("on") : QStringLiteral("off"));
}

void SetShownValue(QWidget& display, const QString& value)
{
    // The blanks that line the numbers up on screen are not read out.
    display.setAccessibleDescription(value.trimmed());
}
