#include "AlarmLamp.h"

#include "Twips.h"

AlarmLamp::AlarmLamp(const QString& name, QWidget* parent) : QLabel(parent)
{
    setAccessibleName(name);
    setFixedSize(Twips(255), Twips(255));
    setFill(red());
}

void AlarmLamp::setFill(const QColor& colour)
{
    m_fill = colour;
    const QString background =
        colour.isValid() ? colour.name(QColor::HexRgb) : QStringLiteral("transparent");
    setStyleSheet(QStringLiteral("QLabel { border: 1px solid black; background-color: %1; }").arg(background));
    setAccessibleDescription(colour.isValid() && colour != lightGrey() ? QStringLiteral("on") : QStringLiteral("off"));
}
