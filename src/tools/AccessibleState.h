#pragma once

class QString;
class QWidget;

// What a screen reader says of a lamp, an LED or a shown number besides its
// name, so that a window of lamps and numbers can be read without seeing
// it: whether the lamp is lit ("on" or "off"), or the value on show. Both
// go in the accessible description; its change is announced.
void SetLampState(QWidget& lamp, bool lit);
void SetShownValue(QWidget& display, const QString& value);
